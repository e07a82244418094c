#include "test_dialog.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "plugin_log.h"

namespace testplugin {
namespace {

constexpr WORD kLabelId = 1002;
constexpr WORD kImageId = 1003;
constexpr WORD kCheckId = 1001;
constexpr WORD kBevelId = 1004;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// What one showing of the dialog needs; lives on the stack of ShowDialog.
struct DialogRun {
  const DialogConfig* config;
  UniqueBitmap image;
};

std::wstring Wide(const std::string& ansi) {
  int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring text(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), length);
  return text;
}

// A dialog template in memory: the header, then items, each on a DWORD boundary.
class TemplateWriter {
 public:
  TemplateWriter(DWORD style, short cx, short cy, const std::string& caption, const DialogConfig& config) {
    words_.resize(sizeof(DLGTEMPLATE) / sizeof(WORD));
    auto* header = Header();
    header->style = style;
    header->cx = cx;
    header->cy = cy;
    words_.push_back(0);  // no menu
    if (config.windowClass.empty()) {
      words_.push_back(0);  // the standard dialog class
    } else {
      Text(Wide(config.windowClass));
    }
    Text(Wide(caption));
    if (style & DS_SETFONT) {
      words_.push_back(static_cast<WORD>(config.fontPoints));
      Text(Wide(config.fontFace));
    }
  }

  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const std::wstring& text) {
    if (words_.size() % 2) words_.push_back(0);
    size_t at = words_.size();
    words_.resize(at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD));
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(&words_[at]);
    item->style = style | WS_CHILD | WS_VISIBLE;
    item->x = x;
    item->y = y;
    item->cx = cx;
    item->cy = cy;
    item->id = id;
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    Text(text);
    words_.push_back(0);  // no creation data
    ++Header()->cdit;
  }

  const DLGTEMPLATE* Get() { return Header(); }

 private:
  DLGTEMPLATE* Header() { return reinterpret_cast<DLGTEMPLATE*>(words_.data()); }
  void Text(const std::wstring& text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

// A picture whose left half is red and right half blue, so a screenshot shows where it is.
HBITMAP MakeImage() {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !memory) {
    if (memory) DeleteDC(memory);
    return bitmap;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RECT left = {0, 0, 16, 32};
  RECT right = {16, 0, 32, 32};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(memory, &left, red);
  FillRect(memory, &right, blue);
  DeleteObject(red);
  DeleteObject(blue);
  SelectObject(memory, previous);
  DeleteDC(memory);
  return bitmap;
}

void ShowBox(HWND dialog, const std::string& text, UINT type, const char* what) {
  int answer = MessageBoxA(dialog, text.c_str(), "Test dialog", type);
  Log(std::string("dialog ") + what + " box answered " + std::to_string(answer));
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* run = reinterpret_cast<DialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      run = reinterpret_cast<DialogRun*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const DialogConfig& config = *run->config;
      if (config.image) {
        run->image.reset(MakeImage());
        SendDlgItemMessageW(dialog, kImageId, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(run->image.get()));
      }
      if (!config.check.empty() && config.checked) CheckDlgButton(dialog, kCheckId, BST_CHECKED);
      if (config.disabledId) EnableWindow(GetDlgItem(dialog, config.disabledId), FALSE);
      if (config.icon) {
        SendMessageW(dialog, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION)));
      }
      return TRUE;
    }
    case WM_COMMAND: {
      if (!run) return FALSE;
      const DialogConfig& config = *run->config;
      switch (LOWORD(wParam)) {
        case IDOK:
          if (!config.okBox.empty()) ShowBox(dialog, config.okBox, MB_OK | MB_ICONINFORMATION, "ok");
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          if (config.ignoreCancel) {
            Log("dialog cancel ignored");
          } else {
            EndDialog(dialog, IDCANCEL);
          }
          return TRUE;
        case IDHELP:
          ShowBox(dialog, config.helpBox, MB_OK | MB_ICONWARNING, "help");
          return TRUE;
        default:
          return FALSE;
      }
    }
    case WM_DESTROY:
      if (run && !run->config->check.empty()) {
        Log(IsDlgButtonChecked(dialog, kCheckId) == BST_CHECKED ? "dialog check box checked"
                                                                : "dialog check box unchecked");
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR ShowDialog(HWND owner, const DialogConfig& config) {
  DWORD style = WS_POPUP | WS_CAPTION;
  if (!config.noClose) style |= WS_SYSMENU;
  style |= config.sizeable ? WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : DS_MODALFRAME;
  if (!config.fontFace.empty()) style |= DS_SETFONT;

  // Rows from the top in dialog units; the buttons come last, side by side.
  struct Row {
    DWORD style;
    short height;
    WORD id;
    WORD atom;
    std::wstring text;
  };
  std::vector<Row> rows;
  if (!config.label.empty())
    rows.push_back({SS_LEFT | SS_NOPREFIX, 10, kLabelId, kStaticClass, Wide(config.label)});
  if (config.image) rows.push_back({SS_BITMAP, 24, kImageId, kStaticClass, L""});
  if (!config.check.empty()) {
    rows.push_back({BS_AUTOCHECKBOX | WS_TABSTOP, 10, kCheckId, kButtonClass, Wide(config.check)});
  }
  if (config.bevel) rows.push_back({SS_ETCHEDHORZ, 1, kBevelId, kStaticClass, L""});

  short y = 7;
  for (const Row& row : rows)
    y = static_cast<short>(y + row.height + 4);
  short buttonsTop = y;
  short height = static_cast<short>(y + 14 + 7);
  TemplateWriter writer(style, 180, height, config.caption, config);
  y = 7;
  for (const Row& row : rows) {
    writer.Item(row.style, 7, y, row.atom == kStaticClass && row.style == SS_BITMAP ? 32 : 166, row.height,
                row.id, row.atom, row.text);
    y = static_cast<short>(y + row.height + 4);
  }
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 7, buttonsTop, 50, 14, IDOK, kButtonClass, L"OK");
  if (config.cancel) writer.Item(WS_TABSTOP, 62, buttonsTop, 50, 14, IDCANCEL, kButtonClass, L"Cancel");
  if (!config.helpBox.empty())
    writer.Item(WS_TABSTOP, 117, buttonsTop, 50, 14, IDHELP, kButtonClass, L"&Help");

  DialogRun run{&config, nullptr};
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.Get(), owner, &DialogProcedure,
                                 reinterpret_cast<LPARAM>(&run));
}

}  // namespace testplugin

#include "common/win/dialog_support.h"

#include "common/form_placement.h"
#include "common/win/settings_store.h"
#include "common/win/system_text.h"

namespace quorvel::win {
namespace {

int ScreenDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

bool IsSizeable(HWND form) {
  return (GetWindowLongA(form, GWL_STYLE) & WS_THICKFRAME) != 0;
}

int StoredInteger(const std::string& formName, const char* valueName, int present) {
  return ToInteger(ReadSetting(formName, valueName, Variant::Int32(present)), present);
}

// The property of a form's dialog that holds its HostWindowsDisabled.
constexpr wchar_t kDisabledHostWindows[] = L"Quorvel.DisabledHostWindows";

// Called from the system's frames: nothing may be thrown through them.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM windows) noexcept {
  try {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    }
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

HostWindowsDisabled::HostWindowsDisabled() {
  std::vector<HWND> enabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&enabled));
  disabled_.reserve(enabled.size());
  for (const HWND window : enabled) {
    EnableWindow(window, FALSE);
    disabled_.push_back(window);
  }
}

void HostWindowsDisabled::Restore() {
  for (const HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

void RememberDisabledHostWindows(HWND dialog, HostWindowsDisabled* host) {
  SetPropW(dialog, kDisabledHostWindows, host);
}

void ForgetDisabledHostWindows(HWND dialog) {
  RemovePropW(dialog, kDisabledHostWindows);
}

void EndForm(HWND dialog, INT_PTR result) {
  if (auto* host = static_cast<HostWindowsDisabled*>(GetPropW(dialog, kDisabledHostWindows))) host->Restore();
  EndDialog(dialog, result);
}

int Scaled(int pixels) {
  return MulDiv(pixels, ScreenDpi(), 96);
}

void PlaceControl(HWND control, int left, int top, int width, int height) {
  SetWindowPos(control, nullptr, Scaled(left), Scaled(top), Scaled(width), Scaled(height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeLabelToText(HWND label) {
  // Measured as the label draws it: one line, in UTF-16 whatever the code page.
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  const WindowDc dc(label);
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
  const SelectedObject selected(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  SetWindowPos(label, nullptr, 0, 0, extent.right, metrics.tmHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UniqueFont CreateFormFont(const FormFont& font) {
  LOGFONTW description{};
  description.lfHeight = -MulDiv(font.size, ScreenDpi(), 72);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikeout;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  description.lfPitchAndFamily = font.pitch == 1   ? VARIABLE_PITCH
                                 : font.pitch == 2 ? FIXED_PITCH
                                                   : DEFAULT_PITCH;
  // The module's own Japanese face name is Shift-JIS wherever it runs; a stored name is in the
  // system's code page.
  const UINT codePage = font.name == BuiltInFont(true).name ? 932 : CP_ACP;
  MultiByteToWideChar(codePage, 0, font.name.c_str(), -1, description.lfFaceName, LF_FACESIZE);
  description.lfFaceName[LF_FACESIZE - 1] = L'\0';
  return UniqueFont(CreateFontIndirectW(&description));
}

COLORREF ColourOf(uint32_t storedColour) {
  if (storedColour & 0x80000000u) return GetSysColor(static_cast<int>(storedColour & 0xFF));
  return storedColour & 0xFFFFFF;
}

void LoadFormFont(const std::string& formName, FormFont& font) {
  quorvel::LoadFormFont(formName, font, IsJapanese(), ReadSetting);
}

void SaveFormPlacement(HWND form, const std::string& formName) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(form, &placement)) return;
  const RECT& normal = placement.rcNormalPosition;
  if (IsSizeable(form)) {
    WriteSetting(formName, "Width", Variant::Int32(normal.right - normal.left));
    WriteSetting(formName, "Height", Variant::Int32(normal.bottom - normal.top));
  }
  WriteSetting(formName, "Left", Variant::Int32(normal.left));
  WriteSetting(formName, "Top", Variant::Int32(normal.top));
  const WindowState state = IsIconic(form)   ? WindowState::kMinimized
                            : IsZoomed(form) ? WindowState::kMaximized
                                             : WindowState::kNormal;
  WriteSetting(formName, "State", Variant::String(StateName(state)));
}

bool LoadFormPlacement(HWND form, const std::string& formName) {
  RECT window{};
  GetWindowRect(form, &window);
  int left = StoredInteger(formName, "Left", window.left);
  int top = StoredInteger(formName, "Top", window.top);
  int width = window.right - window.left, height = window.bottom - window.top;
  SetWindowPos(form, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // The stored edges are workspace coordinates; the window's own are the screen's.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(form, &placement)) {
    left = left + StoredInteger(formName, "Left", left) - placement.rcNormalPosition.left;
    top = top + StoredInteger(formName, "Top", top) - placement.rcNormalPosition.top;
  }
  if (IsSizeable(form)) {
    width = StoredInteger(formName, "Width", width);
    height = StoredInteger(formName, "Height", height);
  }
  left = KeepOnScreen(left, width, GetSystemMetrics(SM_CXSCREEN));
  top = KeepOnScreen(top, height, GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(form, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  const std::string state = ToText(ReadSetting(formName, "State", Variant::String("Normal")));
  return StateFromName(state) == WindowState::kMaximized;
}

}  // namespace quorvel::win

#include "host/win/about_form.h"

#include <string>

#include "common/win/system_text.h"
#include "common/win/wide_text.h"
#include "host/about_texts.h"
#include "host/identity.h"
#include "host/win/boundary_guard.h"
#include "host/win/command_callbacks.h"
#include "host/win/menu_bitmap.h"
#include "host/win/module_state.h"
#include "resources/resource.h"

namespace quorvel::win {
namespace {

constexpr int kFormWidth = 389, kFormHeight = 180;

// The labels by id, with their designed top left corner in pixels at 96 dots per inch.
struct LabelPlace {
  int id, left, top;
};
constexpr LabelPlace kLabels[] = {
    {IDC_NAME_LABEL, 60, 8},     {IDC_TARVI_COPYRIGHT_LABEL, 100, 44}, {IDC_TARVI_URL_LABEL, 100, 60},
    {IDC_FREE_LABEL, 20, 120},   {IDC_ZEFO_COPYRIGHT_LABEL, 100, 80},  {IDC_ZEFO_URL_LABEL, 100, 96},
    {IDC_VERSION_LABEL, 76, 24},
};

}  // namespace

void TAboutForm::ShowModal() {
  // The designed font, or the one stored for the form, or the language's own.
  font_ = BuiltInFont(true);
  LoadFormFont("AboutForm", font_);
  ShowFormModal(Module().instance, IDD_ABOUT, *this);
}

INT_PTR TAboutForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Prepare();
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      // Text in the form font's colour; the version label keeps the window-text colour of its own.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const bool version = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_VERSION_LABEL;
      SetTextColor(dc, version ? GetSysColor(COLOR_WINDOWTEXT) : ColourOf(font_.color));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(background_);
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndForm(window_, IDOK);
      return TRUE;
  }
  return FALSE;
}

void TAboutForm::Prepare() {
  background_ = GetSysColorBrush(COLOR_BTNFACE);
  const bool japanese = IsJapanese();
  SetWindowTextW(window_, FixedWide(japanese ? kAboutCaptionJapanese : kAboutCaptionEnglish).c_str());

  // Every text takes the form's font but the version label, which has one of its own: the designed
  // face, size and character set.
  formFont_ = CreateFormFont(font_);
  versionFont_ = CreateFormFont(BuiltInFont(true));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
  for (const LabelPlace& label : kLabels) {
    const HFONT font = label.id == IDC_VERSION_LABEL ? versionFont_.get() : formFont_.get();
    SendDlgItemMessageA(window_, label.id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SendDlgItemMessageA(window_, IDOK, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);

  const auto item = [this](int id) { return GetDlgItem(window_, id); };
  const auto setText = [](HWND control, const char* text) {
    SetWindowTextW(control, FixedWide(text).c_str());
  };
  setText(item(IDC_NAME_LABEL), kProductName);
  setText(item(IDC_VERSION_LABEL), kVersionText);
  setText(item(IDC_TARVI_COPYRIGHT_LABEL), kAuthorCopyright);
  setText(item(IDC_ZEFO_COPYRIGHT_LABEL), kMakerCopyright);
  if (!japanese) setText(item(IDC_FREE_LABEL), kFreeTextEnglish);

  // Labels in pixels at their designed places, each as large as its text.
  for (const LabelPlace& label : kLabels) {
    const HWND control = item(label.id);
    SetWindowPos(control, nullptr, Scaled(label.left), Scaled(label.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SizeLabelToText(control);
  }
  PlaceControl(item(IDOK), 316, 12, 53, 21);

  // The 32 x 32 picture with its lime pixels in the form's colour; the image sizes itself to it.
  picture_ = DrawMaskedPicture(Module().instance, "ICONBITMAP", 32, GetSysColor(COLOR_BTNFACE));
  const HWND image = item(IDC_IMAGE);
  SetWindowPos(image, nullptr, Scaled(20), Scaled(32), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));

  // The designed size, centred on the screen.
  const int width = Scaled(kFormWidth), height = Scaled(kFormHeight);
  SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
}

void WINAPI AboutCommand(HWND, LPARAM) {
  AtHostBoundary([] {
    TAboutForm form;
    form.ShowModal();
  });
}

}  // namespace quorvel::win

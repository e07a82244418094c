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

}  // namespace

int Scaled(int pixels) {
  return MulDiv(pixels, ScreenDpi(), 96);
}

void PlaceControl(HWND control, int left, int top, int width, int height) {
  SetWindowPos(control, nullptr, Scaled(left), Scaled(top), Scaled(width), Scaled(height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeLabelToText(HWND label, const std::string& text) {
  SetWindowTextA(label, text.c_str());
  const WindowDc dc(label);
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
  const SelectedObject selected(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  SetWindowPos(label, nullptr, 0, 0, extent.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UniqueFont CreateFormFont(const FormFont& font) {
  LOGFONTA description{};
  description.lfHeight = -MulDiv(font.size, ScreenDpi(), 72);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikeout;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  description.lfPitchAndFamily = font.pitch == 1   ? VARIABLE_PITCH
                                 : font.pitch == 2 ? FIXED_PITCH
                                                   : DEFAULT_PITCH;
  lstrcpynA(description.lfFaceName, font.name.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&description));
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

void LoadFormPlacement(HWND form, const std::string& formName) {
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
  if (StateFromName(state) == WindowState::kMaximized) ShowWindow(form, SW_SHOWMAXIMIZED);
}

}  // namespace quorvel::win

#include "dialog_description.h"

#include "text.h"

namespace b2host {
namespace {

std::wstring Size(LONG width, LONG height) {
  return std::to_wstring(width) + L"x" + std::to_wstring(height);
}

std::wstring Point(LONG x, LONG y) {
  return std::to_wstring(x) + L"," + std::to_wstring(y);
}

LONG Style(HWND window) {
  return GetWindowLongW(window, GWL_STYLE);
}

LONG ExStyle(HWND window) {
  return GetWindowLongW(window, GWL_EXSTYLE);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

// "font "FACE" HEIGHT weight W [italic] [underline] [strikeout] charset C", or "font system" for a
// window without a font of its own.
std::wstring FontPart(HWND window) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW logFont = {};
  if (!font || GetObjectW(font, sizeof logFont, &logFont) == 0) return L"font system";
  std::wstring part = L"font " + QuotedWide(logFont.lfFaceName) + L" " + std::to_wstring(logFont.lfHeight) +
                      L" weight " + std::to_wstring(logFont.lfWeight);
  if (logFont.lfItalic) part += L" italic";
  if (logFont.lfUnderline) part += L" underline";
  if (logFont.lfStrikeOut) part += L" strikeout";
  return part + L" charset " + std::to_wstring(logFont.lfCharSet);
}

std::wstring FrameKind(HWND window) {
  LONG style = Style(window);
  if (style & WS_THICKFRAME) return L"sizeable";
  if ((ExStyle(window) & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_BORDER))) {
    return L"dialog";
  }
  if (style & WS_BORDER) return L"single";
  return L"none";
}

std::wstring TitleBar(HWND window) {
  if (!HasTitleBar(window)) return L"none";
  LONG style = Style(window);
  LONG exStyle = ExStyle(window);
  std::wstring words = (exStyle & WS_EX_TOOLWINDOW) ? L"tool-caption" : L"caption";
  if (style & WS_SYSMENU) {
    words += L" system-menu";
    if (style & WS_MINIMIZEBOX) words += L" minimize";
    if (style & WS_MAXIMIZEBOX) words += L" maximize";
    if ((exStyle & WS_EX_CONTEXTHELP) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) words += L" help";
  }
  bool enabled = false;
  if (HasCloseBox(window, enabled)) words += enabled ? L" close" : L" close-disabled";
  return words;
}

bool HasIcon(HWND window) {
  return SendMessageW(window, WM_GETICON, ICON_BIG, 0) || SendMessageW(window, WM_GETICON, ICON_SMALL, 0) ||
         GetClassLongPtrW(window, GCLP_HICON) || GetClassLongPtrW(window, GCLP_HICONSM);
}

std::wstring BitmapSize(HBITMAP bitmap) {
  BITMAP facts = {};
  if (!bitmap || GetObjectW(bitmap, sizeof facts, &facts) == 0) return L"none";
  return Size(facts.bmWidth, facts.bmHeight);
}

std::wstring IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return L"none";
  BITMAP facts = {};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof facts, &facts);
  LONG height = info.hbmColor ? facts.bmHeight : facts.bmHeight / 2;  // a mask-only icon stacks two masks
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return Size(facts.bmWidth, height);
}

std::wstring ButtonWords(HWND control) {
  LONG style = Style(control);
  LRESULT check = SendMessageW(control, BM_GETCHECK, 0, 0);
  std::wstring state = check == BST_CHECKED         ? L" checked"
                       : check == BST_INDETERMINATE ? L" indeterminate"
                                                    : L" unchecked";
  std::wstring words;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
      words = L"push-button";
      break;
    case BS_DEFPUSHBUTTON:
      words = L"push-button default-button";
      break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      words = L"check-box" + state;
      break;
    case BS_3STATE:
    case BS_AUTO3STATE:
      words = L"three-state" + state;
      break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      words = L"radio-button" + state;
      break;
    case BS_GROUPBOX:
      words = L"group-box";
      break;
    case BS_OWNERDRAW:
      words = L"owner-drawn";
      break;
    default:
      words = L"button-type " + std::to_wstring(style & BS_TYPEMASK);
      break;
  }
  if (style & BS_LEFTTEXT) words += L" left-text";
  if (style & BS_MULTILINE) words += L" multi-line";
  return words;
}

std::wstring StaticWords(HWND control) {
  LONG style = Style(control);
  std::wstring words;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
      words = L"text";
      break;
    case SS_CENTER:
      words = L"text centered";
      break;
    case SS_RIGHT:
      words = L"text right-aligned";
      break;
    case SS_SIMPLE:
      words = L"text simple";
      break;
    case SS_LEFTNOWORDWRAP:
      words = L"text no-wrap";
      break;
    case SS_ICON:
      words = L"icon " + IconSize(reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)));
      break;
    case SS_BITMAP:
      words = L"bitmap " +
              BitmapSize(reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
      break;
    case SS_ENHMETAFILE:
      words = L"metafile";
      break;
    case SS_ETCHEDHORZ:
      words = L"etched-horizontal";
      break;
    case SS_ETCHEDVERT:
      words = L"etched-vertical";
      break;
    case SS_ETCHEDFRAME:
      words = L"etched-frame";
      break;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
      words = L"rectangle";
      break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
      words = L"frame";
      break;
    case SS_OWNERDRAW:
      words = L"owner-drawn";
      break;
    default:
      words = L"static-type " + std::to_wstring(style & SS_TYPEMASK);
      break;
  }
  if (style & SS_NOPREFIX) words += L" no-prefix";
  if (style & SS_CENTERIMAGE) words += L" center-image";
  if (style & SS_SUNKEN) words += L" sunken";
  return words;
}

std::wstring EditWords(HWND control) {
  LONG style = Style(control);
  std::wstring words = L"edit";
  if (style & ES_MULTILINE) words += L" multi-line";
  if (style & ES_READONLY) words += L" read-only";
  if (style & ES_PASSWORD) words += L" password";
  return words;
}

std::wstring ControlLine(HWND control, int depth) {
  std::wstring className = ClassOf(control);
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  std::wstring line(2 * depth, L' ');
  line += className + L" #" + std::to_wstring(GetDlgCtrlID(control)) + L" " +
          QuotedWide(WindowText(control)) + L" at " + Point(rect.left, rect.top) + L" " +
          Size(rect.right - rect.left, rect.bottom - rect.top);
  std::wstring words;
  if (EqualsIgnoringCase(className, L"Button")) {
    words = ButtonWords(control);
  } else if (EqualsIgnoringCase(className, L"Static")) {
    words = StaticWords(control);
  } else if (EqualsIgnoringCase(className, L"Edit")) {
    words = EditWords(control);
  }
  if (!words.empty()) line += L" " + words;
  LONG style = Style(control);
  LONG exStyle = ExStyle(control);
  if (style & WS_BORDER) line += L" border";
  if (exStyle & WS_EX_CLIENTEDGE) line += L" client-edge";
  if (exStyle & WS_EX_STATICEDGE) line += L" static-edge";
  line += IsWindowVisible(control) ? L" visible" : L" hidden";
  line += IsWindowEnabled(control) ? L" enabled" : L" disabled";
  if (style & WS_TABSTOP) line += L" tab-stop";
  if (style & WS_GROUP) line += L" group";
  if (GetFocus() == control) line += L" focused";
  return line + L" " + FontPart(control);
}

void DescribeChildren(HWND parent, int depth, std::vector<std::wstring>& lines) {
  if (depth > 8) return;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    lines.push_back(ControlLine(child, depth));
    DescribeChildren(child, depth + 1, lines);
  }
}

}  // namespace

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

bool HasTitleBar(HWND window) {
  return (Style(window) & WS_CAPTION) == WS_CAPTION;
}

bool IsSizeable(HWND window) {
  return (Style(window) & WS_THICKFRAME) != 0;
}

bool HasCloseBox(HWND window, bool& enabled) {
  enabled = false;
  if (!HasTitleBar(window) || !(Style(window) & WS_SYSMENU)) return false;
  if (GetClassLongPtrW(window, GCL_STYLE) & CS_NOCLOSE) return false;
  HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return true;
  UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  if (state == static_cast<UINT>(-1)) return false;
  enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
  return true;
}

std::vector<std::wstring> DescribeDialog(HWND dialog,
                                         const std::function<std::wstring(HWND)>& describeOwner) {
  RECT window = {};
  RECT client = {};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  std::vector<std::wstring> lines;
  lines.push_back(L"dialog " + QuotedWide(WindowText(dialog)) + L": owner " +
                  describeOwner(GetWindow(dialog, GW_OWNER)) + L", frame " + FrameKind(dialog) +
                  L", title bar: " + TitleBar(dialog) + L", window " +
                  Size(window.right - window.left, window.bottom - window.top) + L" at " +
                  Point(window.left, window.top) + L", client " + Size(client.right, client.bottom) + L", " +
                  FontPart(dialog) + L", icon " + (HasIcon(dialog) ? L"yes" : L"no") +
                  (IsZoomed(dialog)   ? L", maximized"
                   : IsIconic(dialog) ? L", minimized"
                                      : L""));
  DescribeChildren(dialog, 1, lines);
  return lines;
}

}  // namespace b2host

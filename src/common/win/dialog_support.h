// What the module's dialogs share: pixel sizes at 96 dots per inch scaled to the screen, fonts from
// their settings, placement kept in the settings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/form_font.h"
#include "common/win/handles.h"

namespace quorvel::win {

using UniqueFont = Unique<HFONT, DeleteGdiObject>;

// The host's windows kept from input while a dialog of the module without an owner is open, as a
// dialog keeps its owner: the host could otherwise cover the dialog, open it a second time, or quit
// while its loop runs inside the module. The visible top-level windows of this thread that are
// enabled are disabled; Restore enables exactly those again, and so does the end of the scope at the
// latest.
class HostWindowsDisabled {
 public:
  HostWindowsDisabled();
  ~HostWindowsDisabled() { Restore(); }
  HostWindowsDisabled(const HostWindowsDisabled&) = delete;
  HostWindowsDisabled& operator=(const HostWindowsDisabled&) = delete;

  void Restore();

 private:
  std::vector<HWND> disabled_;
};

// Where a form's dialog finds the host's windows that its opening disabled.
void RememberDisabledHostWindows(HWND dialog, HostWindowsDisabled* host);
void ForgetDisabledHostWindows(HWND dialog);

// Ends a form's dialog with `result`, the host's windows enabled again first, so that the host, not
// some other program, becomes active when the dialog goes.
void EndForm(HWND dialog, INT_PTR result);

template <class Form>
struct FormStart {
  Form* form;
  HostWindowsDisabled* host;
};

// Shows the dialog template `id` of the module modally, without an owner, as a Unicode dialog (so
// the template's Japanese texts show on any code page), the host's windows disabled while it is
// open. The form keeps its window from WM_INITDIALOG on and gets every message: `void Attach(HWND)`
// and `INT_PTR OnMessage(UINT, WPARAM, LPARAM)`; it ends the dialog with EndForm. Gives the dialog's
// result.
//
// The system calls the procedure from its own frames, through which no C++ exception can unwind:
// whatever a message handler throws ends that message here, as not handled.
template <class Form>
INT_PTR CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      const auto* start = reinterpret_cast<const FormStart<Form>*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(start->form));
      RememberDisabledHostWindows(window, start->host);
      start->form->Attach(window);
    } else if (message == WM_NCDESTROY) {
      ForgetDisabledHostWindows(window);
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, DWLP_USER));
    return form ? form->OnMessage(message, wParam, lParam) : FALSE;
  } catch (...) {
    return FALSE;
  }
}
template <class Form>
INT_PTR ShowFormModal(HINSTANCE instance, int id, Form& form) {
  HostWindowsDisabled host;
  const FormStart<Form> start{&form, &host};
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), nullptr, FormProcedure<Form>,
                         reinterpret_cast<LPARAM>(&start));
}

// `pixels` at 96 dots per inch, in the screen's pixels.
int Scaled(int pixels);

// Places a child control at a rectangle given in pixels at 96 dots per inch.
void PlaceControl(HWND control, int left, int top, int width, int height);

// Makes a label exactly as large as its text in its font, as a label that sizes itself does; its
// top left corner stays where it is.
void SizeLabelToText(HWND label);

// The font described, at the screen's resolution.
UniqueFont CreateFormFont(const FormFont& font);

// The colour a stored colour stands for: 0x80000000 + a system colour index, or 0x00BBGGRR.
COLORREF ColourOf(uint32_t storedColour);

// The form's stored font in the language in force (the settings under `formName`).
void LoadFormFont(const std::string& formName, FormFont& font);

// The form window's normal position, size (for a sizeable frame) and state, written to the settings
// under `formName`; nothing when the system cannot give the window's placement.
void SaveFormPlacement(HWND form, const std::string& formName);

// Moves and sizes the form as stored, kept on the screen. True when the stored state is maximized,
// which the form applies once it is shown (a window maximized before that would be shown normal by
// some dialog managers). A stored "Minimized" opens the form in the normal state: a modal dialog
// without an owner would otherwise be out of the user's reach.
bool LoadFormPlacement(HWND form, const std::string& formName);

}  // namespace quorvel::win

// What the module's dialogs share: pixel sizes at 96 dots per inch scaled to the screen, fonts from
// their settings, placement kept in the settings.
#pragma once

#include <windows.h>

#include <string>

#include "common/form_font.h"
#include "common/win/handles.h"

namespace quorvel::win {

using UniqueFont = Unique<HFONT, DeleteGdiObject>;

// Shows the dialog template `id` of the module modally, without an owner, as a Unicode dialog (so
// the template's Japanese texts show on any code page). The form keeps its window from
// WM_INITDIALOG on and gets every message: `void Attach(HWND)` and `INT_PTR OnMessage(UINT, WPARAM,
// LPARAM)`. Gives the dialog's result.
//
// The system calls the procedure from its own frames, through which no C++ exception can unwind:
// whatever a message handler throws ends that message here, as not handled.
template <class Form>
INT_PTR CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<Form*>(lParam)->Attach(window);
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, DWLP_USER));
    return form ? form->OnMessage(message, wParam, lParam) : FALSE;
  } catch (...) {
    return FALSE;
  }
}
template <class Form>
INT_PTR ShowFormModal(HINSTANCE instance, int id, Form& form) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), nullptr, FormProcedure<Form>,
                         reinterpret_cast<LPARAM>(&form));
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

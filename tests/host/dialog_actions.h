// The actions of a `dialog:` step, which a script queues for the next dialog that opens: what a user
// would do with it (click, press a key, close, drag) and what a test wants to know (its description,
// a picture of it, whether the host's windows take input while it is open).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace b2host {

struct DialogAction {
  enum class Kind { kPrint, kClick, kKey, kClose, kResize, kMove, kScreenshot, kWait, kWindows };
  Kind kind = Kind::kPrint;
  std::wstring text;       // click: the caption; screenshot: the file; as written in the step
  std::wstring caption;    // click: the caption to look for, escapes applied
  std::wstring path;       // screenshot: the file, resolved against the program folder by the step
  std::optional<int> id;   // click:#ID
  UINT key = 0;            // key: the virtual key
  int x = 0, y = 0;        // resize: width, height; move: left, top
  DWORD milliseconds = 0;  // wait
};

// The actions of ACTIONS (separated by ";"; "\;" is a ";" of a caption). Nothing, and `problem` set
// to the action, when one of them is not understood.
std::optional<std::vector<DialogAction>> ParseDialogActions(const std::wstring& text, std::wstring& problem);

}  // namespace b2host

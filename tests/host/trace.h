// The -trace lines: one per plug-in export call, command callback and host API call.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace b2host {

void EnableTrace(bool on);
bool Tracing();

// "  call <file> <export>(<args>) -> <result>"
void TraceCall(std::wstring_view fileName, std::wstring_view what, std::wstring_view args,
               std::wstring_view result);
// "  api <function>(<args>) -> <result>"
void TraceApi(std::wstring_view function, std::wstring_view args, std::wstring_view result);

// How a window or menu handle is written in trace lines: "main window", "compose window",
// "main menu bar", "compose menu bar", "0" or the handle in hex.
std::wstring DescribeWindow(HWND window);
std::wstring DescribeMenu(HMENU menu);

}  // namespace b2host

// The plug-in information record of the host's plug-in interface, and the module's own answer.
#pragma once

namespace quorvel {

// 496 bytes, four zero-terminated ANSI texts at fixed places; a text that fills its field has no NUL.
struct TPlugInInfo {
  char Name[80];
  char Vendor[80];
  char Version[80];
  char Description[256];
};
static_assert(sizeof(TPlugInInfo) == 496, "the host's record has no padding");

// Writes the module's name, vendor, version and description, each with its zero byte, at the start
// of its field; the rest of each field stays as the host gave it. The description is Japanese only
// where the system's code page is Shift-JIS (`shiftJisSystem`), which alone reads it right.
void FillPlugInInfo(TPlugInInfo& info, bool shiftJisSystem);

}  // namespace quorvel

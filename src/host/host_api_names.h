// The host's API as the module binds it: 52 names, looked up in this order. All must be present for
// the module to work, although it calls only nine of them.
#pragma once

#include <array>
#include <cstddef>

namespace quorvel {

inline constexpr std::array<const char*, 52> kHostApiNames = {
    "BKA_GetVersion",
    "BKA_Command",
    "BKA_GetWindowHandles",
    "BKA_RegisterCommand",
    "BKA_GetDataFolder",
    "BKA_GetTempFolder",
    "BKA_GetTempFileName",
    "BKA_SetMessageText",
    "BKA_GetCurrentMailBox",
    "BKA_SetCurrentMailBox",
    "BKA_GetCurrentFolder",
    "BKA_SetCurrentFolder",
    "BKA_GetFolderDisplayName",
    "BKA_GetCurrentMail",
    "BKA_SetCurrentMail",
    "BKA_GetNextMail",
    "BKA_SetSel",
    "BKA_AppendMessage",
    "BKA_MoveSelectedMessages",
    "BKA_GetStatus",
    "BKA_GetCharSet",
    "BKA_GetSource",
    "BKA_SetSource",
    "BKA_GetHeader",
    "BKA_GetText",
    "BKA_SetText",
    "BKA_GetSpecifiedHeader",
    "BKA_SetSpecifiedHeader",
    "BKA_ComposeMail",
    "BKA_CompGetCharSet",
    "BKA_CompGetSource",
    "BKA_CompSetSource",
    "BKA_CompGetHeader",
    "BKA_CompGetSpecifiedHeader",
    "BKA_CompSetSpecifiedHeader",
    "BKA_CompGetText",
    "BKA_CompSetText",
    "BKA_CompAttachFile",
    "BKA_Alloc",
    "BKA_ReAlloc",
    "BKA_Free",
    "BKA_ISO_2022_JP",
    "BKA_ISO_2022_KR",
    "BKA_HZ_GB2312",
    "BKA_ISO_8859_2",
    "BKA_EUC_JP",
    "BKA_UTF_7",
    "BKA_UTF_8",
    "BKA_B64Convert",
    "BKA_QPConvert",
    "BKA_MIMEHeader",
    "BKA_SerializeRcpts",
};

// Positions in the table of the functions that the module calls.
enum HostApiIndex : size_t {
  kGetVersion = 0,
  kCommand = 1,
  kRegisterCommand = 3,
  kGetDataFolder = 4,
  kGetCurrentMail = 13,
  kGetSource = 21,
  kCompGetSpecifiedHeader = 33,
  kCompSetSpecifiedHeader = 34,
  kFree = 40,
};

}  // namespace quorvel

namespace quorvel::detail {
constexpr bool SameName(const char* a, const char* b) {
  while (*a && *a == *b)
    ++a, ++b;
  return *a == *b;
}
static_assert(SameName(kHostApiNames[kGetVersion], "BKA_GetVersion"));
static_assert(SameName(kHostApiNames[kCommand], "BKA_Command"));
static_assert(SameName(kHostApiNames[kRegisterCommand], "BKA_RegisterCommand"));
static_assert(SameName(kHostApiNames[kGetDataFolder], "BKA_GetDataFolder"));
static_assert(SameName(kHostApiNames[kGetCurrentMail], "BKA_GetCurrentMail"));
static_assert(SameName(kHostApiNames[kGetSource], "BKA_GetSource"));
static_assert(SameName(kHostApiNames[kCompGetSpecifiedHeader], "BKA_CompGetSpecifiedHeader"));
static_assert(SameName(kHostApiNames[kCompSetSpecifiedHeader], "BKA_CompSetSpecifiedHeader"));
static_assert(SameName(kHostApiNames[kFree], "BKA_Free"));
}  // namespace quorvel::detail

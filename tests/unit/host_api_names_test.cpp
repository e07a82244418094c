// The host API names are written here a second time, by hand, as the host exports them: the
// stand-in host takes its export list from the module's own table, so only this test would notice
// a misspelt or dropped name, which would leave the module inert in the real host.
#include "host/host_api_names.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvel {
namespace {

const char kNamesInBindingOrder[] =
    "BKA_GetVersion BKA_Command BKA_GetWindowHandles BKA_RegisterCommand BKA_GetDataFolder "
    "BKA_GetTempFolder BKA_GetTempFileName BKA_SetMessageText BKA_GetCurrentMailBox "
    "BKA_SetCurrentMailBox BKA_GetCurrentFolder BKA_SetCurrentFolder BKA_GetFolderDisplayName "
    "BKA_GetCurrentMail BKA_SetCurrentMail BKA_GetNextMail BKA_SetSel BKA_AppendMessage "
    "BKA_MoveSelectedMessages BKA_GetStatus BKA_GetCharSet BKA_GetSource BKA_SetSource "
    "BKA_GetHeader BKA_GetText BKA_SetText BKA_GetSpecifiedHeader BKA_SetSpecifiedHeader "
    "BKA_ComposeMail BKA_CompGetCharSet BKA_CompGetSource BKA_CompSetSource BKA_CompGetHeader "
    "BKA_CompGetSpecifiedHeader BKA_CompSetSpecifiedHeader BKA_CompGetText BKA_CompSetText "
    "BKA_CompAttachFile BKA_Alloc BKA_ReAlloc BKA_Free BKA_ISO_2022_JP BKA_ISO_2022_KR "
    "BKA_HZ_GB2312 BKA_ISO_8859_2 BKA_EUC_JP BKA_UTF_7 BKA_UTF_8 BKA_B64Convert BKA_QPConvert "
    "BKA_MIMEHeader BKA_SerializeRcpts";

TEST(HostApiNames, AreTheHostsFiftyTwoNamesInBindingOrder) {
  std::vector<std::string> expected;
  std::istringstream words(kNamesInBindingOrder);
  for (std::string name; words >> name;)
    expected.push_back(name);
  ASSERT_EQ(expected.size(), 52u);
  std::vector<std::string> table(kHostApiNames.begin(), kHostApiNames.end());
  EXPECT_EQ(table, expected);
}

}  // namespace
}  // namespace quorvel

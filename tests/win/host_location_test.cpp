// Where the module finds its host: the executable of the process it is loaded into. Runs from a
// folder without B2.exe, so the module state is made without a host to bind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/system_text.h"
#include "host/win/host_location.h"
#include "host/win/module_state.h"

namespace quorvel::win {
namespace {

class HostLocation : public ::testing::Test {
 protected:
  void SetUp() override { CreateModuleState(GetModuleHandleA(nullptr)); }
  void TearDown() override { ReleaseModuleState(); }
};

std::string LongPathOfThisProgram() {
  char path[MAX_PATH] = {}, longPath[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  GetLongPathNameA(path, longPath, MAX_PATH);
  return longPath;
}

TEST_F(HostLocation, PathIsTheLongPathOfTheProcessExecutable) {
  EXPECT_FALSE(Module().hostApiBound);
  EXPECT_EQ(GetHostProgramPath(), LongPathOfThisProgram());
}

TEST_F(HostLocation, FolderEndsWithABackslashAndBeginsThePath) {
  const std::string& folder = GetHostProgramFolder();
  const std::string& path = GetHostProgramPath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
  EXPECT_EQ(path.find('\\', folder.size()), std::string::npos) << "cut after the last backslash";
}

TEST_F(HostLocation, IsWorkedOutOnceAndKept) {
  // Once worked out, the texts are kept as they are: the system is not asked again.
  GetHostProgramFolder();
  Module().hostProgramPath = "C:\\Kept\\B2.exe";
  EXPECT_EQ(GetHostProgramPath(), "C:\\Kept\\B2.exe");
  EXPECT_EQ(GetHostProgramFolder(), FolderOf(LongPathOfThisProgram()));
}

TEST_F(HostLocation, AnEmptyResultIsKeptToo) {
  Module().hostProgramPath = std::string();
  EXPECT_EQ(GetHostProgramPath(), "");
  EXPECT_EQ(GetHostProgramFolder(), "") << "worked out from the kept empty path";
}

TEST(ModuleState, IsOnlyThereBetweenLoadAndUnload) {
  EXPECT_THROW(Module(), std::logic_error);
  CreateModuleState(GetModuleHandleA(nullptr));
  EXPECT_NO_THROW(Module());
  ReleaseModuleState();
  EXPECT_THROW(Module(), std::logic_error);
}

}  // namespace
}  // namespace quorvel::win

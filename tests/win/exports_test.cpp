// Quorvel.dll loaded by a program that is not the host: the host API cannot be bound, so the module
// is inert, shows nothing but its setup dialog, and every export still answers with its fixed result,
// removing its own arguments from the stack as the host's calling convention demands.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "message_box_watcher.h"
#include "test_files.h"

namespace quorvel::test {
namespace {

struct CallResult {
  uint32_t value;
  int32_t stackDrift;  // bytes the caller would still have to remove: 0 for stdcall
};

// Pushes the arguments right to left, calls, and measures the stack pointer afterwards.
CallResult CallAsHost(FARPROC function, std::vector<uint32_t> arguments) {
  uint32_t value, before, after;
  uint32_t count = static_cast<uint32_t>(arguments.size());
  const uint32_t* data = arguments.data();
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "pushl -4(%%edx,%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%%ebx\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(value), "=S"(before), "=D"(after), "+c"(count), "+d"(data)
      : "b"(function)
      : "memory", "cc");
  return {value, static_cast<int32_t>(before - after)};
}

class InertModule : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A folder of its own, so that no B2.exe stands beside the module.
    folder = new TempFolder;
    const std::string dll = folder->Path() + "Quorvel.dll";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "..\\Quorvel.dll").c_str(), dll.c_str(), FALSE));
    watcher = new MessageBoxWatcher;
    module = LoadLibraryA(dll.c_str());
  }
  static void TearDownTestSuite() {
    FreeLibrary(module);
    delete watcher;
    delete folder;
  }
  static FARPROC Export(const char* name) { return GetProcAddress(module, name); }

  static TempFolder* folder;
  static MessageBoxWatcher* watcher;
  static HMODULE module;
};
TempFolder* InertModule::folder;
MessageBoxWatcher* InertModule::watcher;
HMODULE InertModule::module;

TEST_F(InertModule, LoadsWithoutAWarning) {
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(watcher->Boxes().empty());
}

TEST_F(InertModule, EveryExportAnswersItsFixedResultAndRemovesItsArguments) {
  ASSERT_NE(module, nullptr);
  struct Row {
    const char* name;
    std::vector<uint32_t> arguments;
    uint32_t result;
  };
  const Row rows[] = {
      {"BKC_OnStart", {}, 0},
      {"BKC_OnExit", {}, 0},
      {"BKC_OnMenuInit", {0, 0, 0}, 0},
      {"BKC_OnMenuInit", {0, 0, 10}, 0},
      {"BKC_OnMenuInit", {0, 0, 7}, 0},
      {"BKC_OnOpenCompose", {0, 0}, 0},
      {"BKC_OnOutgoing", {0, 0}, 0},
      {"BKC_OnRetrieve", {reinterpret_cast<uint32_t>("Subject: x\r\n\r\nbody\r\n"), 0}, 0},
      {"BKC_OnFinishRetrieve", {0}, 0},
      {"BKC_OnPlugInSetup", {0}, 1},
      {"BKC_OnExit", {}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FARPROC function = Export(row.name);
    ASSERT_NE(function, nullptr);
    const CallResult call = CallAsHost(function, row.arguments);
    EXPECT_EQ(call.value, row.result);
    EXPECT_EQ(call.stackDrift, 0);
  }
  // Only the setup dialog showed (and was closed with OK); it works without the host API.
  ASSERT_EQ(watcher->Boxes().size(), 1u);
  EXPECT_EQ(watcher->Boxes()[0].caption, "Vintrell");
}

TEST_F(InertModule, PlugInInfoIsFilledEvenWhenInert) {
  char record[496];
  std::memset(record, 0, sizeof record);
  const CallResult call = CallAsHost(Export("BKC_OnPlugInInfo"), {reinterpret_cast<uint32_t>(record)});
  EXPECT_EQ(call.value, 0u);
  EXPECT_EQ(call.stackDrift, 0);
  EXPECT_STREQ(record, "Vintrell");
  EXPECT_STREQ(record + 80, "TARVI Semmo & ZEFO Lab.");
  EXPECT_STREQ(record + 160, "Ver.0.01 Rev.4");
  EXPECT_EQ(std::strlen(record + 240), 24u);
}

TEST_F(InertModule, NeverPrecedeAndNeverFollowGiveTheirOwnLastingEmptyText) {
  const uint32_t precede = CallAsHost(Export("NeverPrecede"), {}).value;
  const uint32_t follow = CallAsHost(Export("NeverFollow"), {}).value;
  ASSERT_NE(precede, 0u);
  ASSERT_NE(follow, 0u);
  EXPECT_NE(precede, follow);
  EXPECT_EQ(CallAsHost(Export("NeverPrecede"), {}).value, precede);
  EXPECT_EQ(CallAsHost(Export("NeverFollow"), {}).value, follow);
  EXPECT_EQ(CallAsHost(Export("NeverPrecede"), {}).stackDrift, 0);
  for (const uint32_t address : {precede, follow}) {
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(address), "\0\0\0\0", 4), 0);
  }
}

}  // namespace
}  // namespace quorvel::test

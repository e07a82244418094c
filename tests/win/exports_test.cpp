// Quorvel.dll loaded by a program that is not the host: the host API cannot be bound, so the module
// is inert, shows nothing but its setup dialog, and every export still answers with its fixed result,
// removing its own arguments from the stack as the host's calling convention demands (32 bits); and
// the file names the product in its version resource.
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

#if defined(__i386__)
struct CallResult {
  uint32_t value;
  int32_t stackDrift;  // bytes the caller would still have to remove: 0 for stdcall
};

// x86: pushes the arguments right to left, calls, and measures the stack pointer afterwards, so that
// an export that does not remove its own arguments (stdcall) shows.
CallResult CallAsHost(FARPROC function, std::vector<uintptr_t> arguments) {
  uint32_t value, before, after;
  uint32_t count = static_cast<uint32_t>(arguments.size());
  const uintptr_t* data = arguments.data();
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

void ExpectArgumentsRemoved(const CallResult& call) {
  EXPECT_EQ(call.stackDrift, 0);
}
#elif defined(__x86_64__)
struct CallResult {
  uintptr_t value;
};

// x64 has one calling convention, in which the caller removes the arguments: there is no drift to see.
// The first four arguments travel in registers, and a function reads only those it takes.
CallResult CallAsHost(FARPROC function, std::vector<uintptr_t> arguments) {
  arguments.resize(4);
  using Call = uintptr_t (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t);
  const auto call = reinterpret_cast<Call>(reinterpret_cast<void*>(function));
  return {call(arguments[0], arguments[1], arguments[2], arguments[3])};
}

void ExpectArgumentsRemoved(const CallResult&) {}
#endif

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
    std::vector<uintptr_t> arguments;
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
      {"BKC_OnRetrieve", {reinterpret_cast<uintptr_t>("Subject: x\r\n\r\nbody\r\n"), 0}, 0},
      {"BKC_OnFinishRetrieve", {0}, 0},
      {"BKC_OnPlugInSetup", {0}, 1},
      {"BKC_OnExit", {}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FARPROC function = Export(row.name);
    ASSERT_NE(function, nullptr);
    const CallResult call = CallAsHost(function, row.arguments);
    EXPECT_EQ(static_cast<uint32_t>(call.value), row.result);  // the exports return int
    ExpectArgumentsRemoved(call);
  }
  // Only the setup dialog showed (and was closed with OK); it works without the host API.
  ASSERT_EQ(watcher->Boxes().size(), 1u);
  EXPECT_EQ(watcher->Boxes()[0].caption, "Vintrell");
}

TEST_F(InertModule, PlugInInfoIsFilledEvenWhenInert) {
  char record[496];
  std::memset(record, 0, sizeof record);
  const CallResult call = CallAsHost(Export("BKC_OnPlugInInfo"), {reinterpret_cast<uintptr_t>(record)});
  EXPECT_EQ(static_cast<uint32_t>(call.value), 0u);
  ExpectArgumentsRemoved(call);
  EXPECT_STREQ(record, "Vintrell");
  EXPECT_STREQ(record + 80, "TARVI Semmo & ZEFO Lab.");
  EXPECT_STREQ(record + 160, "Ver.0.01 Rev.4");
  // Shift-JIS only where the system reads it so (24 bytes), else English.
  if (GetACP() == 932) {
    EXPECT_EQ(std::strlen(record + 240), 24u);
  } else {
    EXPECT_STREQ(record + 240, "Plug-in list plug-in");
  }
}

TEST_F(InertModule, NeverPrecedeAndNeverFollowGiveTheirOwnLastingEmptyText) {
  const uintptr_t precede = CallAsHost(Export("NeverPrecede"), {}).value;
  const uintptr_t follow = CallAsHost(Export("NeverFollow"), {}).value;
  ASSERT_NE(precede, 0u);
  ASSERT_NE(follow, 0u);
  EXPECT_NE(precede, follow);
  EXPECT_EQ(CallAsHost(Export("NeverPrecede"), {}).value, precede);
  EXPECT_EQ(CallAsHost(Export("NeverFollow"), {}).value, follow);
  ExpectArgumentsRemoved(CallAsHost(Export("NeverPrecede"), {}));
  for (const uintptr_t address : {precede, follow}) {
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(address), "\0\0\0\0", 4), 0);
  }
}

// The version resource, as Windows reads it from the file (the same resource in both builds).
std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return "";
  return value;
}

TEST(BuiltDllVersion, NamesTheProductItsVersionAndItsFile) {
  const std::string dll = ProgramFolder() + "..\\Quorvel.dll";
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(dll.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u) << "0.1";
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000004u) << "0.4: Ver.0.01 Rev.4";
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(VersionString(info, "ProductName"), "Vintrell");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "Ver.0.01 Rev.4");
  EXPECT_EQ(VersionString(info, "FileVersion"), "0.1.0.4");
  EXPECT_EQ(VersionString(info, "OriginalFilename"), "Quorvel.dll");
  EXPECT_EQ(VersionString(info, "CompanyName"), "TARVI Semmo & ZEFO Lab.");
  EXPECT_FALSE(VersionString(info, "FileDescription").empty());
}

}  // namespace
}  // namespace quorvel::test

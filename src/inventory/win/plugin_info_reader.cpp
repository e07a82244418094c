#include "inventory/win/plugin_info_reader.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/win/handles.h"
#include "inventory/win/fault_guard.h"

namespace quorvel::win {
namespace {

struct InfoCall {
  FARPROC function;
  TPlugInInfo* record;
};

void CallPlugInInfo(void* argument) {
  auto* call = static_cast<InfoCall*>(argument);
  CallWithOneArgument(reinterpret_cast<void*>(call->function), call->record);
}

void FreeLibraryOf(void* module) {
  FreeLibrary(static_cast<HMODULE>(module));
}

// A foreign module's unload code is foreign code too: it runs inside the fault guard.
struct FreeForeignModule {
  void operator()(HMODULE module) const { CallContainingFaults(FreeLibraryOf, module); }
};
using ForeignModule = Unique<HMODULE, FreeForeignModule>;

// Keeps the system from showing its own error boxes while a file that may not be a module loads.
class QuietErrors {
 public:
  QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
  ~QuietErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

ForeignModule LoadForeignModule(const std::string& path) {
  const QuietErrors quiet;
  const HMODULE module = LoadLibraryA(path.c_str());
  return ForeignModule(reinterpret_cast<uintptr_t>(module) > 32 ? module : nullptr);
}

}  // namespace

PlugInFields ReadPlugInInfo(const std::string& path) {
  // Room to spare behind the record, in case a plug-in writes past its end.
  std::vector<char> buffer(4096, '\0');
  const ForeignModule module = LoadForeignModule(path);
  if (!module) return PlugInFields::Unknown();
  const FARPROC found = GetProcAddress(module.get(), "BKC_OnPlugInInfo");
  if (!found) return PlugInFields::Unknown();
  auto* record = reinterpret_cast<TPlugInInfo*>(buffer.data());
  InfoCall call{found, record};
  if (!CallContainingFaults(CallPlugInInfo, &call)) return PlugInFields::Unknown();
  return ReadFields(*record);
}

std::string GetPlugInInfo(const std::string& path, int field) {
  return ReadPlugInInfo(path).Get(field);
}

}  // namespace quorvel::win

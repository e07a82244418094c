#include "inventory/win/plugin_info_reader.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "inventory/win/fault_guard.h"

namespace quorvel::win {
namespace {

using PlugInInfoExport = int(WINAPI*)(TPlugInInfo*);

struct InfoCall {
  PlugInInfoExport function;
  TPlugInInfo* record;
};

void CallPlugInInfo(void* argument) {
  auto* call = static_cast<InfoCall*>(argument);
  call->function(call->record);
}

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

}  // namespace

PlugInFields ReadPlugInInfo(const std::string& path) {
  HMODULE module;
  {
    const QuietErrors quiet;
    module = LoadLibraryA(path.c_str());
  }
  if (reinterpret_cast<uintptr_t>(module) <= 32) return PlugInFields::Unknown();

  PlugInFields fields = PlugInFields::Unknown();
  if (const FARPROC found = GetProcAddress(module, "BKC_OnPlugInInfo")) {
    // Room to spare behind the record, in case a plug-in writes past its end.
    std::vector<char> buffer(4096, '\0');
    auto* record = reinterpret_cast<TPlugInInfo*>(buffer.data());
    InfoCall call{reinterpret_cast<PlugInInfoExport>(reinterpret_cast<void (*)()>(found)), record};
    if (CallContainingFaults(CallPlugInInfo, &call)) fields = ReadFields(*record);
  }
  // The system's loader contains faults in the module's own unload code.
  FreeLibrary(module);
  return fields;
}

std::string GetPlugInInfo(const std::string& path, int field) {
  return ReadPlugInInfo(path).Get(field);
}

}  // namespace quorvel::win

#include "crash_report.h"

#include <windows.h>

#include <string>

#include "output.h"
#include "text.h"

namespace b2host {
namespace {

AddressDescriber g_describe = nullptr;

std::wstring WhereIs(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(address), &module)) {
    return Hex(reinterpret_cast<ULONG_PTR>(address));
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring name = path;
  name = name.substr(name.find_last_of(L"\\/") + 1);
  ULONG_PTR offset = reinterpret_cast<ULONG_PTR>(address) - reinterpret_cast<ULONG_PTR>(module);
  wchar_t hex[16];
  swprintf(hex, 16, L"+0x%lX", static_cast<unsigned long>(offset));
  return name + hex;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD* record = exception->ExceptionRecord;
  std::wstring line =
      L"host crashed: exception " + Hex(record->ExceptionCode) + L" at " + WhereIs(record->ExceptionAddress);
  // An access violation tells whether it read or wrote, then the address it could not reach.
  if (g_describe && record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2) {
    std::wstring what = g_describe(reinterpret_cast<const void*>(record->ExceptionInformation[1]));
    if (!what.empty()) line += L" (the address is in " + what + L")";
  }
  PrintLine(line);
  TerminateProcess(GetCurrentProcess(), kCrashExitCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void ReportCrashes(AddressDescriber describe) {
  g_describe = describe;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(&OnUnhandledException);
}

}  // namespace b2host

#include "dialog_calls.h"

#include <string>
#include <vector>

#include "dialog_description.h"
#include "output.h"
#include "text.h"

namespace b2host {
namespace {

// One DialogBox call in progress; calls nest when a dialog opens another.
struct Call {
  HWND window = nullptr;  // the first window made during the call: the dialog
  std::wstring caption;   // its caption when it was destroyed
};
std::vector<Call> g_calls;

using ParamA = INT_PTR(WINAPI*)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
using ParamW = INT_PTR(WINAPI*)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
using IndirectA = INT_PTR(WINAPI*)(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM);
using IndirectW = INT_PTR(WINAPI*)(HINSTANCE, LPCDLGTEMPLATEW, HWND, DLGPROC, LPARAM);

template <typename Fn>
Fn User32Function(const char* name) {
  // Through void (*)(), the type that casts to any function type without a warning.
  return reinterpret_cast<Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

const ParamA g_paramA = User32Function<ParamA>("DialogBoxParamA");
const ParamW g_paramW = User32Function<ParamW>("DialogBoxParamW");
const IndirectA g_indirectA = User32Function<IndirectA>("DialogBoxIndirectParamA");
const IndirectW g_indirectW = User32Function<IndirectW>("DialogBoxIndirectParamW");

// Runs one DialogBox call and prints how it ended.
template <typename Fn, typename Template>
INT_PTR Watched(Fn real, HINSTANCE instance, Template dialogTemplate, HWND owner, DLGPROC procedure,
                LPARAM parameter) {
  g_calls.emplace_back();
  INT_PTR result = real(instance, dialogTemplate, owner, procedure, parameter);
  Call call = g_calls.back();
  g_calls.pop_back();
  std::wstring number = std::to_wstring(static_cast<long long>(result));
  if (!call.window) {
    PrintLine(L"dialog failed: result " + number);
  } else {
    PrintLine(L"dialog ended: caption " + QuotedWide(call.caption) + L" result " + number);
  }
  return result;
}

INT_PTR WINAPI WatchedParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC procedure,
                             LPARAM parameter) {
  return Watched(g_paramA, instance, name, owner, procedure, parameter);
}
INT_PTR WINAPI WatchedParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure,
                             LPARAM parameter) {
  return Watched(g_paramW, instance, name, owner, procedure, parameter);
}
INT_PTR WINAPI WatchedIndirectA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                DLGPROC procedure, LPARAM parameter) {
  return Watched(g_indirectA, instance, dialogTemplate, owner, procedure, parameter);
}
INT_PTR WINAPI WatchedIndirectW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                DLGPROC procedure, LPARAM parameter) {
  return Watched(g_indirectW, instance, dialogTemplate, owner, procedure, parameter);
}

template <typename Fn>
ULONG_PTR Address(Fn function) {
  return reinterpret_cast<ULONG_PTR>(reinterpret_cast<void*>(function));
}

}  // namespace

void WatchDialogCalls(HMODULE module) {
  const ULONG_PTR redirects[][2] = {
      {Address(g_paramA), Address(&WatchedParamA)},
      {Address(g_paramW), Address(&WatchedParamW)},
      {Address(g_indirectA), Address(&WatchedIndirectA)},
      {Address(g_indirectW), Address(&WatchedIndirectW)},
  };
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (!module || dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  // Every imported address equal to one of the real functions is an import of it, whatever name or
  // ordinal the module imported it by.
  for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk); slot->u1.Function;
         ++slot) {
      for (const auto& redirect : redirects) {
        if (redirect[0] == 0 || slot->u1.Function != redirect[0]) continue;
        DWORD protection = 0;
        if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection))
          continue;
        slot->u1.Function = redirect[1];
        VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      }
    }
  }
}

void OnWindowCreated(HWND window) {
  if (!g_calls.empty() && !g_calls.back().window) g_calls.back().window = window;
}

bool IsWatchedDialog(HWND window) {
  for (const Call& call : g_calls) {
    if (call.window == window) return true;
  }
  return false;
}

bool OnWindowDestroyed(HWND window) {
  for (Call& call : g_calls) {
    if (call.window == window) {
      call.caption = WindowText(window);
      return true;
    }
  }
  return false;
}

}  // namespace b2host

// One loaded plug-in: its module and the exports it has. Every call of an export goes through here,
// so the trace shows it and the host API knows which plug-in is calling.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "plugin_api.h"
#include "win_handle.h"

namespace b2host {

class PlugIn {
 public:
  // LoadLibraryA of the full path, as the mail client does it; null when the system refuses.
  // The plug-in's DllMain runs here and may show message boxes.
  static std::unique_ptr<PlugIn> Load(const std::wstring& folder, const std::wstring& fileName);

  const std::wstring& FileName() const { return fileName_; }
  HMODULE Module() const { return module_.get(); }
  bool Has(Export e) const { return procs_[static_cast<size_t>(e)] != nullptr; }

  // Each gives nothing when the plug-in lacks the export.
  std::optional<int> OnStart();
  std::optional<int> OnExit();
  std::optional<int> OnMenuInit(HWND window, HMENU menuBar, int windowType);
  std::optional<int> OnOpenCompose(HWND window, int mode);
  std::optional<int> OnOutgoing(HWND window, int mode);
  std::optional<int> OnRetrieve(const std::string& messageText, const std::string& mailId);
  std::optional<int> OnFinishRetrieve(int messageCount);
  std::optional<int> OnPlugInSetup(HWND window);
  std::optional<int> OnPlugInInfo(void* record);
  std::optional<LPCSTR> NeverPrecede();
  std::optional<LPCSTR> NeverFollow();
  void RunCommand(UINT id, CommandCallback callback, HWND window);

  // The plug-in whose code the host is running now (null between calls).
  static PlugIn* Calling();
  // The time spent inside plug-in code so far: exports and command callbacks, each call counted
  // once however its calls nest.
  static double MillisecondsInPlugIns();

 private:
  PlugIn(std::wstring fileName, UniqueModule module);
  template <typename Fn>
  Fn Proc(Export e) const {
    // Through void (*)(), the type that casts to any function type without a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(procs_[static_cast<size_t>(e)]));
  }
  std::optional<int> Traced(Export e, const std::wstring& args, int result) const;
  std::optional<LPCSTR> CallNever(Export e);

  std::wstring fileName_;
  UniqueModule module_;
  std::array<FARPROC, static_cast<size_t>(Export::kCount)> procs_{};
};

}  // namespace b2host

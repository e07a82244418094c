#include "plugin.h"

#include "dialog_calls.h"
#include "text.h"
#include "trace.h"

namespace b2host {
namespace {

PlugIn* g_calling = nullptr;
int64_t g_ticksInPlugIns = 0;  // of the performance counter, in the outermost calls

// Marks the plug-in whose code runs for the duration of a call, and counts the time that calls of
// plug-ins take; calls may nest (a callback that makes the host call another export), and only the
// outermost one counts.
class CallingScope {
 public:
  explicit CallingScope(PlugIn* plugIn) : previous_(g_calling) {
    g_calling = plugIn;
    if (!previous_) QueryPerformanceCounter(&start_);
  }
  ~CallingScope() {
    g_calling = previous_;
    if (previous_) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    g_ticksInPlugIns += now.QuadPart - start_.QuadPart;
  }
  CallingScope(const CallingScope&) = delete;
  CallingScope& operator=(const CallingScope&) = delete;

 private:
  PlugIn* previous_;
  LARGE_INTEGER start_{};
};

// Runs `call` as a call of `plugIn`: only the call itself, not what the host does around it (its
// trace texts, say), counts as the plug-in's time.
template <class Call>
auto InCall(PlugIn* plugIn, Call call) {
  const CallingScope scope(plugIn);
  return call();
}

std::wstring Wide(const char* ascii) {
  return FromAnsi(ascii);
}

// Calls an export of one argument. On x86 the stack is put back as it was before the call, whatever
// the export removed from it, so a plug-in that declared it with another calling convention than
// stdcall does not take the host down (x64 has one calling convention, where nothing can go wrong).
int CallKeepingStack(OnPlugInInfoFn function, void* argument) {
#if defined(__i386__)
  int result;
  asm volatile(
      "movl %%esp, %%ebx\n\t"
      "pushl %2\n\t"
      "call *%1\n\t"
      "movl %%ebx, %%esp"
      : "=a"(result)
      : "r"(function), "r"(argument)
      : "ebx", "ecx", "edx", "memory", "cc");
  return result;
#else
  return function(argument);
#endif
}

}  // namespace

PlugIn* PlugIn::Calling() {
  return g_calling;
}

double PlugIn::MillisecondsInPlugIns() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(g_ticksInPlugIns) / static_cast<double>(frequency.QuadPart);
}

PlugIn::PlugIn(std::wstring fileName, UniqueModule module)
    : fileName_(std::move(fileName)), module_(std::move(module)) {
  for (size_t i = 0; i < procs_.size(); ++i) {
    procs_[i] = GetProcAddress(module_.get(), ExportName(static_cast<Export>(i)));
  }
}

std::unique_ptr<PlugIn> PlugIn::Load(const std::wstring& folder, const std::wstring& fileName) {
  std::string path = ToAnsi(folder + fileName);
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  WatchDialogCalls(module);
  return std::unique_ptr<PlugIn>(new PlugIn(fileName, UniqueModule(module)));
}

std::optional<int> PlugIn::Traced(Export e, const std::wstring& args, int result) const {
  TraceCall(fileName_, Wide(ExportName(e)), args, std::to_wstring(result));
  return result;
}

std::optional<int> PlugIn::OnStart() {
  if (!Has(Export::kOnStart)) return std::nullopt;
  const int result = InCall(this, [&] { return Proc<OnStartFn>(Export::kOnStart)(); });
  return Traced(Export::kOnStart, L"", result);
}

std::optional<int> PlugIn::OnExit() {
  if (!Has(Export::kOnExit)) return std::nullopt;
  const int result = InCall(this, [&] { return Proc<OnExitFn>(Export::kOnExit)(); });
  return Traced(Export::kOnExit, L"", result);
}

std::optional<int> PlugIn::OnMenuInit(HWND window, HMENU menuBar, int windowType) {
  if (!Has(Export::kOnMenuInit)) return std::nullopt;
  const int result =
      InCall(this, [&] { return Proc<OnMenuInitFn>(Export::kOnMenuInit)(window, menuBar, windowType); });
  return Traced(Export::kOnMenuInit,
                DescribeWindow(window) + L", " + DescribeMenu(menuBar) + L", " + std::to_wstring(windowType),
                result);
}

std::optional<int> PlugIn::OnOpenCompose(HWND window, int mode) {
  if (!Has(Export::kOnOpenCompose)) return std::nullopt;
  const int result =
      InCall(this, [&] { return Proc<OnOpenComposeFn>(Export::kOnOpenCompose)(window, mode); });
  return Traced(Export::kOnOpenCompose, DescribeWindow(window) + L", " + std::to_wstring(mode), result);
}

std::optional<int> PlugIn::OnOutgoing(HWND window, int mode) {
  if (!Has(Export::kOnOutgoing)) return std::nullopt;
  const int result = InCall(this, [&] { return Proc<OnOutgoingFn>(Export::kOnOutgoing)(window, mode); });
  return Traced(Export::kOnOutgoing, DescribeWindow(window) + L", " + std::to_wstring(mode), result);
}

std::optional<int> PlugIn::OnRetrieve(const std::string& messageText, const std::string& mailId) {
  if (!Has(Export::kOnRetrieve)) return std::nullopt;
  const int result = InCall(
      this, [&] { return Proc<OnRetrieveFn>(Export::kOnRetrieve)(messageText.c_str(), mailId.c_str()); });
  return Traced(Export::kOnRetrieve,
                L"<" + std::to_wstring(messageText.size()) + L" bytes>, " + QuotedAnsi(mailId), result);
}

std::optional<int> PlugIn::OnFinishRetrieve(int messageCount) {
  if (!Has(Export::kOnFinishRetrieve)) return std::nullopt;
  const int result =
      InCall(this, [&] { return Proc<OnFinishRetrieveFn>(Export::kOnFinishRetrieve)(messageCount); });
  return Traced(Export::kOnFinishRetrieve, std::to_wstring(messageCount), result);
}

std::optional<int> PlugIn::OnPlugInSetup(HWND window) {
  if (!Has(Export::kOnPlugInSetup)) return std::nullopt;
  const int result = InCall(this, [&] { return Proc<OnPlugInSetupFn>(Export::kOnPlugInSetup)(window); });
  return Traced(Export::kOnPlugInSetup, DescribeWindow(window), result);
}

std::optional<int> PlugIn::OnPlugInInfo(void* record) {
  if (!Has(Export::kOnPlugInInfo)) return std::nullopt;
  const int result =
      InCall(this, [&] { return CallKeepingStack(Proc<OnPlugInInfoFn>(Export::kOnPlugInInfo), record); });
  return Traced(Export::kOnPlugInInfo, L"record", result);
}

std::optional<LPCSTR> PlugIn::CallNever(Export e) {
  if (!Has(e)) return std::nullopt;
  const LPCSTR text = InCall(this, [&] { return Proc<NeverFn>(e)(); });
  TraceCall(fileName_, Wide(ExportName(e)), L"", text ? QuotedAnsi(text) : L"null");
  return text;
}

std::optional<LPCSTR> PlugIn::NeverPrecede() {
  return CallNever(Export::kNeverPrecede);
}
std::optional<LPCSTR> PlugIn::NeverFollow() {
  return CallNever(Export::kNeverFollow);
}

void PlugIn::RunCommand(UINT id, CommandCallback callback, HWND window) {
  InCall(this, [&] { callback(window, 0); });
  TraceCall(fileName_, L"command " + std::to_wstring(id), DescribeWindow(window) + L", 0", L"done");
}

}  // namespace b2host

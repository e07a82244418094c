#include "trace.h"

#include "output.h"

namespace b2host {
namespace {

bool g_tracing = false;

}  // namespace

void EnableTrace(bool on) {
  g_tracing = on;
}
bool Tracing() {
  return g_tracing;
}

void TraceCall(std::wstring_view fileName, std::wstring_view what, std::wstring_view args,
               std::wstring_view result) {
  if (!g_tracing) return;
  std::wstring line = L"  call ";
  line.append(fileName).append(L" ").append(what).append(L"(").append(args).append(L") -> ").append(result);
  PrintLine(line);
}

void TraceApi(std::wstring_view function, std::wstring_view args, std::wstring_view result) {
  if (!g_tracing) return;
  std::wstring line = L"  api ";
  line.append(function).append(L"(").append(args).append(L") -> ").append(result);
  PrintLine(line);
}

}  // namespace b2host

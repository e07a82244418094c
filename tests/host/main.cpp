// B2.exe: the stand-in host. It behaves towards its plug-ins as the mail client does, and carries
// out the steps given on its command line, printing what happens.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "host.h"
#include "options.h"

namespace {

struct LocalFreer {
  void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

}  // namespace

int main() {
  // The host reads its own command line wide, so options and steps work under any code page.
  int count = 0;
  std::unique_ptr<LPWSTR, LocalFreer> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> list;
  for (int i = 1; arguments && i < count; ++i)
    list.emplace_back(arguments.get()[i]);
  b2host::Host host(b2host::ParseOptions(list));
  return host.Run();
}

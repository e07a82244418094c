#include "output.h"

#include <windows.h>

#include <string>

#include "text.h"

namespace b2host {
namespace {

UINT g_codePage = CP_ACP;

}  // namespace

void PrintInUtf8(bool utf8) {
  g_codePage = utf8 ? CP_UTF8 : CP_ACP;
}

void PrintLine(std::wstring_view text) {
  std::string bytes = Narrow(text, g_codePage);
  bytes += '\n';
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const char* data = bytes.data();
  DWORD left = static_cast<DWORD>(bytes.size());
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(out, data, left, &written, nullptr) || written == 0) return;
    data += written;
    left -= written;
  }
}

}  // namespace b2host

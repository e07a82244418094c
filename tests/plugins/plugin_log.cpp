#include "plugin_log.h"

#include <windows.h>

#include <memory>

namespace testplugin {
namespace {

std::string g_path;
std::string g_tag;

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace

void SetLog(std::string path, std::string tag) {
  g_path = std::move(path);
  g_tag = std::move(tag);
}

// The file is opened for each line so that nothing is lost if the host dies.
void Log(const std::string& event) {
  if (g_path.empty()) return;
  UniqueHandle file(CreateFileA(g_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return;
  std::string line = (g_tag.empty() ? "" : g_tag + ": ") + event + "\n";
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace testplugin

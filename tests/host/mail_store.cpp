#include "mail_store.h"

#include "files.h"
#include "text.h"

namespace b2host {

std::string MailStore::Remember(const std::wstring& fullPath) {
  std::string id = ToAnsi(fullPath);
  files_[id] = fullPath;
  return id;
}

std::string MailStore::Source(const std::string& id) const {
  std::string source;
  auto it = files_.find(id);
  if (it != files_.end() && !ReadWholeFile(it->second, source)) source.clear();
  return source;
}

}  // namespace b2host

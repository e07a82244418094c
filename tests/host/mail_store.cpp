#include "mail_store.h"

#include "files.h"
#include "text.h"

namespace b2host {

std::string MailStore::Remember(const std::wstring& fullPath) {
  std::string id = ToAnsi(fullPath);
  files_[id] = fullPath;
  return id;
}

const std::string& MailStore::Source(const std::string& id) {
  source_.clear();
  auto it = files_.find(id);
  if (it != files_.end() && !ReadWholeFile(it->second, source_)) source_.clear();
  return source_;
}

}  // namespace b2host

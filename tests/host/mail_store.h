// Mails the host knows: files named by retrieve and mail steps. A mail's id is the ANSI text of its
// file's full path; its source is the file's bytes, read when a plug-in asks.
#pragma once

#include <map>
#include <string>

namespace b2host {

class MailStore {
 public:
  // Makes the file at `fullPath` known and gives its id.
  std::string Remember(const std::wstring& fullPath);
  void SetCurrent(std::string id) { current_ = std::move(id); }
  const std::string& CurrentId() const { return current_; }
  // The whole source of mail `id` ("" when unknown or unreadable), read now.
  std::string Source(const std::string& id) const;

 private:
  std::map<std::string, std::wstring> files_;
  std::string current_;
};

}  // namespace b2host

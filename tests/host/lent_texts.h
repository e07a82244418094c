// The texts the host API lends to plug-ins, and the rules that come with them. A text of
// BKA_GetSource is the plug-in's until it gives it back with BKA_Free; the text of BKA_GetCurrentMail
// stays the host's and is valid only until the next host API call. Each text has pages of its own,
// so a text given or taken back is made unreadable for good (its pages are never reused): a plug-in
// that reads it later faults at once instead of reading bytes that happen to be still there.
// Each breach is printed as "host API: ..." and makes the run end with kBrokenContractExitCode.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace b2host {

inline constexpr int kBrokenContractExitCode = 4;

class LentTexts {
 public:
  LentTexts() = default;
  // The pages of every text lent, given back or not, are released with the host.
  ~LentTexts();
  LentTexts(const LentTexts&) = delete;
  LentTexts& operator=(const LentTexts&) = delete;

  // A new text of BKA_GetSource: `bytes` and a NUL (null when memory runs out).
  LPCSTR LendSource(std::string_view bytes);
  // The text of BKA_GetCurrentMail, taken back by the next TakeBackCurrentMail.
  LPCSTR LendCurrentMail(std::string_view id);
  // At the start of every host API call.
  void TakeBackCurrentMail();

  // For a text that a plug-in hands to the host: when `address` lies in a text taken or given back,
  // reports that `function` was given it and gives true, so the host does not read it.
  bool RefuseTakenBack(const void* address, std::wstring_view function);
  // BKA_Free: gives back a text of BKA_GetSource, or reports why it cannot. Gives how the trace
  // shows the pointer.
  std::wstring GiveBack(const void* address);
  // At exit: one line for each text of BKA_GetSource never given back.
  void ReportNotGivenBack();

  bool ContractBroken() const { return broken_; }
  // For a crash report: what the text holding `address` was, when it was taken or given back.
  std::wstring DescribeTakenBack(const void* address) const;

 private:
  enum class Kind { kSource, kCurrentMail };
  struct Text {
    char* address;
    size_t size;    // bytes before the NUL
    size_t extent;  // bytes of its pages
    Kind kind;
    bool out;  // readable by the plug-ins
  };

  LPCSTR Lend(std::string_view bytes, Kind kind);
  static void MakeUnreadable(Text& text);
  Text* Holding(const void* address);
  const Text* Holding(const void* address) const;
  void Breach(std::wstring_view what);

  std::vector<Text> texts_;  // in the order lent
  char* currentMail_ = nullptr;
  char* takenBackNow_ = nullptr;  // the text of BKA_GetCurrentMail taken back at this call
  bool broken_ = false;
};

}  // namespace b2host

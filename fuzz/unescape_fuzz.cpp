// Unescapes arbitrary bytes without a crash, and escapes them to one line that unescapes back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/setting_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorvel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const LeadBytes& rule : {LeadBytes::ShiftJis(), LeadBytes()}) {
    const std::string stored = EscapeSettingText(text, rule);
    Check(stored.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    Check(UnescapeSettingText(stored, rule) == std::string(text));
    if (const auto plain = UnescapeSettingText(text, rule)) {
      Check(plain->size() <= text.size());
      Check(UnescapeSettingText(EscapeSettingText(*plain, rule), rule) == *plain);
    }
  }
  return 0;
}

// Reads arbitrary bytes as a settings file: no crash; what is saved loads and saves the same; and
// deleting the entries one by one matches a plain list searched from the top.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/setting_text.h"
#include "common/settings_table.h"
#include "ascii_upper.h"

namespace {

using namespace quorvel;

using quorvel::test::AsciiUpper;

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Line {
  std::string text;
  std::string key;  // empty for a line that is no entry
};

std::vector<Line> Lines(const std::string& saved, const LeadBytes& rule) {
  std::vector<Line> lines;
  for (size_t start = 0; start < saved.size();) {
    const size_t end = saved.find("\r\n", start);
    Line line{saved.substr(start, end - start), ""};
    start = end + 2;
    const int equals = DbcsPos("=", line.text, rule);
    if (equals > 0 && DbcsPos(":", DbcsCopy(line.text, equals + 1, kEndMarker, rule), rule) > 0)
      line.key = DbcsCopy(line.text, 1, equals - 1, rule);
    lines.push_back(line);
  }
  return lines;
}

std::string Join(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines)
    text += line.text + "\r\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const LeadBytes& rule : {LeadBytes::ShiftJis(), LeadBytes()}) {
    SettingsTable table(rule, AsciiUpper);
    table.Load(text);
    const std::string saved = table.Save();
    SettingsTable again(rule, AsciiUpper);
    again.Load(saved);
    Check(again.Save() == saved);
    Check(again.RowCount() == table.RowCount());

    std::vector<Line> model = Lines(saved, rule);
    Check(model.size() == table.RowCount());
    for (const Line& entry : Lines(saved, rule)) {
      const size_t backslash = entry.key.find('\\');
      if (backslash == std::string::npos) continue;
      const std::string path = entry.key.substr(0, backslash), name = entry.key.substr(backslash + 1);
      // A string written back reads as it was.
      const Variant value = table.Read(path, name, Variant::Null());
      if (value.Kind() == VariantKind::kString) {
        table.Write(path, name, value);
        Check(table.Read(path, name, Variant()) == value);
        for (Line& line : model) {
          if (line.key.empty() || AsciiUpper(line.key) != AsciiUpper(entry.key)) continue;
          line.text = entry.key + "=String:" + EscapeSettingText(value.Text(), rule);
          break;
        }
      }
      table.Write(path, name, Variant());
      for (auto line = model.begin(); line != model.end(); ++line) {
        if (line->key.empty() || AsciiUpper(line->key) != AsciiUpper(entry.key)) continue;
        model.erase(line);
        break;
      }
      Check(table.Save() == Join(model));
    }
  }
  return 0;
}

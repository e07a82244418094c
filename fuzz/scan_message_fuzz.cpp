// Scans arbitrary bytes as a received message, with and without the mailer filter: no crash, the
// list stays in step, each finding is one line that names a listed entry, and a second scan of the
// same message finds nothing more. The same bytes read in place, as the host's text is, give the
// same findings and are neither written nor read behind their NUL.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "mail/version_notice.h"
#include "mail/version_watch.h"

namespace {

using namespace quorvel;
using fuzz::AsciiUpper;
using fuzz::Check;

// Each listed finding: a name, a space, a version text starting with "ver" in some case, CR LF; no
// more than a notice lists. Gives the number of findings, listed or not.
size_t CheckFindings(const Findings& findings, const KnownSoftware& known) {
  const std::string& text = findings.lines;
  size_t count = 0;
  for (size_t start = 0; start < text.size(); ++count) {
    const size_t end = text.find("\r\n", start);
    Check(end != std::string::npos);
    const std::string line = text.substr(start, end - start);
    const size_t ver = AsciiUpper(line).find(" VER");
    Check(ver != std::string::npos);
    Check(known.Find(line.substr(0, ver)) != KnownSoftware::kNotFound);
    start = end + 2;
  }
  Check(count == findings.listed && count <= kListedFindings);
  Check(findings.unlisted == 0 || count == kListedFindings);
  return count + findings.unlisted;
}

KnownSoftware SeededList() {
  KnownSoftware known(AsciiUpper);
  SeedKnownSoftware(known, {{"Known", "0001/0000"}}, "ver. 2.05.07", {{"Vintrell", "Ver.0.01 Rev.4"}});
  return known;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> host(new char[size + 1]);
  if (size > 0) std::memcpy(host.get(), data, size);
  host[size] = '\0';
  for (const char* filter : {"", "Becky"}) {
    KnownSoftware known = SeededList();
    const size_t seeded = known.Count();
    PendingTexts pending;
    int warnings = 0;
    const SplitWarning warn = [&](const std::string&) { ++warnings; };

    MessageLines lines(text);
    ScanReceivedMessage(lines, filter, known, pending, AsciiUpper, warn);
    Check(warnings <= 1);
    Check(known.KnownNames().size() == known.KnownVersions().size());
    const size_t newNames =
        CheckFindings(pending.newMailers, known) + CheckFindings(pending.newPlugIns, known);
    CheckFindings(pending.newMailerVersions, known);
    CheckFindings(pending.newPlugInVersions, known);
    Check(known.Count() == seeded + newNames);
    Check(newNames <= kPlugInEntriesRead + 1);  // the plug-ins of X-Mailer-Plugin and one mail program
    for (size_t i = seeded; i < known.Count(); ++i)
      Check(known.KnownVersions()[i].find_first_not_of("0123456789/ ") == std::string::npos);
    Check(VersionNoticeText(pending).has_value() == !pending.Empty());

    KnownSoftware inPlaceKnown = SeededList();
    PendingTexts inPlacePending;
    int inPlaceWarnings = 0;
    MessageLines inPlace(host.get());
    ScanReceivedMessage(inPlace, filter, inPlaceKnown, inPlacePending, AsciiUpper,
                        [&](const std::string&) { ++inPlaceWarnings; });
    Check(inPlaceWarnings == warnings);
    Check(inPlacePending.newMailers == pending.newMailers);
    Check(inPlacePending.newMailerVersions == pending.newMailerVersions);
    Check(inPlacePending.newPlugIns == pending.newPlugIns);
    Check(inPlacePending.newPlugInVersions == pending.newPlugInVersions);
    Check(inPlaceKnown.KnownNames() == known.KnownNames());
    Check(inPlaceKnown.KnownVersions() == known.KnownVersions());
    Check(std::memcmp(host.get(), data, size) == 0);

    PendingTexts second;
    MessageLines sameMessage(text);
    ScanReceivedMessage(sameMessage, filter, known, second, AsciiUpper, warn);
    Check(second.Empty());
  }
  return 0;
}

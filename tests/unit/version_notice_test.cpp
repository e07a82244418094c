#include "mail/version_notice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel {
namespace {

const std::string kMailer = "Foo ver 1\r\n";
const std::string kMailerVersion = "Becky! ver. 2.06\r\n";
const std::string kPlugIn = "Bar Ver.1.0\r\nBaz ver 2\r\n";
const std::string kPlugInVersion = "Vintrell Ver.0.02\r\n";

TEST(VersionNotice, FixedTextsAreShiftJis) {
  struct Row {
    const char* role;
    std::string text, bytes;
  };
  const Row rows[] = {
      {"opening", kNoticeOpening,
       "\x8d\xa1\x8e\xf3\x90\x4d\x82\xb5\x82\xbd\x83\x81\x81\x5b\x83\x8b\x82\xc9\x82\xe6\x82\xe9\x82\xc6\x81"
       "\x41\r\n"},
      {"new mail programs", kNewMailersHeading,
       "\x90\x56\x82\xb5\x82\xa2\x83\x81\x81\x5b\x83\x8b\x83\x5c\x83\x74\x83\x67\r\n"},
      {"new mail program versions", kNewMailerVersionsHeading,
       "\x83\x81\x81\x5b\x83\x8b\x83\x5c\x83\x74\x83\x67\x82\xcc\x90\x56\x82\xb5\x82\xa2\x83\x6f\x81\x5b\x83"
       "\x57\x83\x87"
       "\x83\x93\r\n"},
      {"new plug-ins", kNewPlugInsHeading,
       "\x90\x56\x82\xb5\x82\xa2\x83\x76\x83\x89\x83\x4f\x83\x43\x83\x93\r\n"},
      {"new plug-in versions", kNewPlugInVersionsHeading,
       "\x83\x76\x83\x89\x83\x4f\x83\x43\x83\x93\x82\xcc\x90\x56\x82\xb5\x82\xa2\x83\x6f\x81\x5b\x83\x57\x83"
       "\x87\x83\x93"
       "\r\n"},
      {"closing", kNoticeSectionClosing,
       "\x82\xaa\x8f\x6f\x82\xbd\x82\xe6\x82\xa4\x82\xc5\x82\xb7\x81\x42\r\n"},
      {"caption", kVersionNoticeCaption, "Vintrell"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.role);
    EXPECT_EQ(row.text, row.bytes);
  }
}

TEST(VersionNotice, NothingToReportShowsNothing) {
  EXPECT_EQ(VersionNoticeText(PendingTexts()), std::nullopt);
}

TEST(VersionNotice, WritesEachSectionWithItsEmptyLine) {
  struct Row {
    const char* name;
    PendingTexts pending;
    std::string notice;
  };
  const Row rows[] = {
      {"one new mail program",
       {kMailer, "", "", ""},
       "今受信したメールによると、\r\n新しいメールソフト\r\nFoo ver 1\r\nが出たようです。\r\n\r\n"},
      {"only newer plug-in versions: no empty line at the end",
       {"", "", "", kPlugInVersion},
       "今受信したメールによると、\r\nプラグインの新しいバージョン\r\nVintrell "
       "Ver.0.02\r\nが出たようです。\r\n"},
      {"a new mail program version and new plug-ins",
       {"", kMailerVersion, kPlugIn, ""},
       "今受信したメールによると、\r\n"
       "メールソフトの新しいバージョン\r\nBecky! ver. 2.06\r\nが出たようです。\r\n\r\n"
       "新しいプラグイン\r\nBar Ver.1.0\r\nBaz ver 2\r\nが出たようです。\r\n\r\n"},
      {"all four",
       {kMailer, kMailerVersion, kPlugIn, kPlugInVersion},
       "今受信したメールによると、\r\n"
       "新しいメールソフト\r\nFoo ver 1\r\nが出たようです。\r\n\r\n"
       "メールソフトの新しいバージョン\r\nBecky! ver. 2.06\r\nが出たようです。\r\n\r\n"
       "新しいプラグイン\r\nBar Ver.1.0\r\nBaz ver 2\r\nが出たようです。\r\n\r\n"
       "プラグインの新しいバージョン\r\nVintrell Ver.0.02\r\nが出たようです。\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(VersionNoticeText(row.pending), row.notice);
  }
}

// Every combination of sections: the opening line, then the present sections in their fixed order,
// each closed by an empty line unless it is the one of newer plug-in versions.
TEST(VersionNotice, EveryCombinationOfSections) {
  const std::string headings[] = {kNewMailersHeading, kNewMailerVersionsHeading, kNewPlugInsHeading,
                                  kNewPlugInVersionsHeading};
  const std::string findings[] = {kMailer, kMailerVersion, kPlugIn, kPlugInVersion};
  for (int present = 1; present < 16; ++present) {
    SCOPED_TRACE(present);
    PendingTexts pending;
    std::string* texts[] = {&pending.newMailers, &pending.newMailerVersions, &pending.newPlugIns,
                            &pending.newPlugInVersions};
    for (int section = 0; section < 4; ++section)
      if (present & (1 << section)) *texts[section] = findings[section];

    const std::optional<std::string> notice = VersionNoticeText(pending);
    ASSERT_TRUE(notice.has_value());
    std::string rest = *notice;
    ASSERT_EQ(rest.rfind(kNoticeOpening, 0), 0u);
    rest.erase(0, std::string(kNoticeOpening).size());
    for (int section = 0; section < 4; ++section) {
      if (!(present & (1 << section))) continue;
      const std::string expected =
          headings[section] + findings[section] + kNoticeSectionClosing + (section < 3 ? "\r\n" : "");
      ASSERT_EQ(rest.substr(0, expected.size()), expected) << "section " << section;
      rest.erase(0, expected.size());
    }
    EXPECT_EQ(rest, "");
  }
}

}  // namespace
}  // namespace quorvel

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

// Findings of one kind as the lines a scan wrote.
Findings Listed(const std::string& lines) {
  Findings findings;
  for (size_t at = 0; at < lines.size();) {
    const size_t end = lines.find("\r\n", at);
    const std::string line = lines.substr(at, end - at);
    const size_t space = line.find(' ');
    findings.Add(line.substr(0, space), line.substr(space + 1));
    at = end + 2;
  }
  return findings;
}

PendingTexts Pending(const std::string& mailers, const std::string& mailerVersions,
                     const std::string& plugIns, const std::string& plugInVersions) {
  return {Listed(mailers), Listed(mailerVersions), Listed(plugIns), Listed(plugInVersions)};
}

// The notice's pieces joined: the text as a system of code page 932 reads it.
std::optional<std::string> NoticeBytes(const PendingTexts& pending) {
  const auto notice = VersionNoticeText(pending);
  if (!notice) return std::nullopt;
  std::string bytes;
  for (const TextPiece& piece : notice->Pieces())
    bytes += piece.bytes;
  return bytes;
}

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
      {"how many more, before the number", kNoticeMoreBefore, "\x82\xd9\x82\xa9 "},
      {"how many more, after the number", kNoticeMoreAfter, " \x8c\x8f\r\n"},
      {"caption", kVersionNoticeCaption, "Vintrell"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.role);
    EXPECT_EQ(row.text, row.bytes);
  }
}

TEST(VersionNotice, NothingToReportShowsNothing) {
  EXPECT_EQ(NoticeBytes(PendingTexts()), std::nullopt);
}

TEST(VersionNotice, WritesEachSectionWithItsEmptyLine) {
  struct Row {
    const char* name;
    PendingTexts pending;
    std::string notice;
  };
  std::string fiftyOne;
  for (int i = 1; i <= 51; ++i)
    fiftyOne += "P" + std::to_string(i) + " ver " + std::to_string(i) + "\r\n";
  const Row rows[] = {
      {"one new mail program", Pending(kMailer, "", "", ""),
       "今受信したメールによると、\r\n新しいメールソフト\r\nFoo ver 1\r\nが出たようです。\r\n\r\n"},
      {"only newer plug-in versions: no empty line at the end", Pending("", "", "", kPlugInVersion),
       "今受信したメールによると、\r\nプラグインの新しいバージョン\r\nVintrell "
       "Ver.0.02\r\nが出たようです。\r\n"},
      {"a new mail program version and new plug-ins", Pending("", kMailerVersion, kPlugIn, ""),
       "今受信したメールによると、\r\n"
       "メールソフトの新しいバージョン\r\nBecky! ver. 2.06\r\nが出たようです。\r\n\r\n"
       "新しいプラグイン\r\nBar Ver.1.0\r\nBaz ver 2\r\nが出たようです。\r\n\r\n"},
      {"all four", Pending(kMailer, kMailerVersion, kPlugIn, kPlugInVersion),
       "今受信したメールによると、\r\n"
       "新しいメールソフト\r\nFoo ver 1\r\nが出たようです。\r\n\r\n"
       "メールソフトの新しいバージョン\r\nBecky! ver. 2.06\r\nが出たようです。\r\n\r\n"
       "新しいプラグイン\r\nBar Ver.1.0\r\nBaz ver 2\r\nが出たようです。\r\n\r\n"
       "プラグインの新しいバージョン\r\nVintrell Ver.0.02\r\nが出たようです。\r\n"},
      {"a section of 51: fifty listed, then how many more", Pending("", "", fiftyOne, ""),
       "今受信したメールによると、\r\n新しいプラグイン\r\n" + fiftyOne.substr(0, fiftyOne.find("P51 ")) +
           "ほか 1 件\r\nが出たようです。\r\n\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(NoticeBytes(row.pending), row.notice);
  }
}

// The notice's own words are Shift-JIS wherever it is shown; what the mail named is in the system's
// code page, as the system reads it.
TEST(VersionNotice, OnlyTheNamesAndVersionsAreTheSystemsText) {
  const std::string japaneseName = "\x95\x5c Ver.1\r\n";  // a Shift-JIS name of the message
  const auto notice = VersionNoticeText(Pending("", "", japaneseName + kPlugIn, ""));
  ASSERT_TRUE(notice.has_value());
  std::string system;
  for (const TextPiece& piece : notice->Pieces()) {
    if (!piece.fixed) system += piece.bytes;
  }
  EXPECT_EQ(system, japaneseName + kPlugIn);
  EXPECT_EQ(notice->Pieces().front().bytes, std::string(kNoticeOpening) + kNewPlugInsHeading);
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
    Findings* texts[] = {&pending.newMailers, &pending.newMailerVersions, &pending.newPlugIns,
                         &pending.newPlugInVersions};
    for (int section = 0; section < 4; ++section)
      if (present & (1 << section)) *texts[section] = Listed(findings[section]);

    const std::optional<std::string> notice = NoticeBytes(pending);
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

#include "mail/header_parsing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host_text.h"
#include "ascii_upper.h"

namespace quorvel {
namespace {

using Lines = std::vector<std::string>;

using quorvel::test::AsciiUpper;

LineList Views(const Lines& lines) {
  return LineList(lines.begin(), lines.end());
}

Lines Strings(const LineList& lines) {
  return Lines(lines.begin(), lines.end());
}

// Joins lines with CR LF, as a message text.
std::string Message(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

TEST(FindHeaderValue, JoinsTheFirstMatchingHeaderWithItsContinuations) {
  struct Row {
    const char* name;
    Lines lines;
    std::string value;
  };
  const Row rows[] = {
      {"a TAB continuation adds nothing between", {"X-Mailer: Foo", "\tbar"}, "Foobar"},
      {"only the first blank is dropped", {"X-Mailer: Foo", "  bar"}, "Foo bar"},
      {"continuations are not trimmed", {"X-Mailer: Foo", "\tbar  "}, "Foobar  "},
      {"several continuations", {"X-Mailer: a", " b", "\tc", " d"}, "abcd"},
      {"a line without a blank ends the value", {"X-Mailer: a", " b", "Subject: c", " d"}, "ab"},
      {"an empty line ends the value", {"X-Mailer: a", "", " b"}, "a"},
      {"the first line's value is trimmed", {"X-Mailer: \t Foo \t"}, "Foo"},
      {"no space after the colon", {"X-Mailer:Foo"}, "Foo"},
      {"name in lower case", {"x-mailer: Foo"}, "Foo"},
      {"name in mixed case", {"X-mAiLeR: Foo"}, "Foo"},
      {"the first of two headers", {"X-Mailer: one", "X-Mailer: two"}, "one"},
      {"a space in front of the colon does not match", {"X-Mailer : Foo"}, ""},
      {"a longer name does not match", {"X-Mailer-Plugin: Foo"}, ""},
      {"a line shorter than the name", {"X-MAIL"}, ""},
      {"a blank line in front of the name does not match", {" X-Mailer: Foo"}, ""},
      {"nothing after the name", {"X-Mailer:"}, ""},
      {"an empty value joined with a continuation", {"X-Mailer:   ", " b"}, "b"},
      {"a continuation of only a TAB", {"X-Mailer: a", "\t", " b"}, "ab"},
      {"the whole list is searched, past an empty line", {"Subject: x", "", "X-Mailer: y"}, "y"},
      {"no such header", {"Subject: x", "From: y"}, ""},
      {"no lines", {}, ""},
      {"Shift-JIS bytes pass through", {"X-Mailer: \x93\xfa\x96\x7b ver 1"}, "\x93\xfa\x96\x7b ver 1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FindHeaderValue("X-MAILER:", Views(row.lines)), row.value);
  }
}

TEST(ReadBoundary, ReadsQuotedAndUnquotedValues) {
  struct Row {
    const char* contentType;
    std::optional<std::string> boundary;
  };
  const Row rows[] = {
      {"multipart/mixed; boundary=\"abc\"", "abc"},
      {"multipart/mixed; boundary=\"abc\"; charset=\"x\"", "abc"},
      {"multipart/mixed; BOUNDARY = \"a b;c\"", "a b;c"},
      {"multipart/mixed; boundary=\"----=_Part_0_Ab\"", "----=_Part_0_Ab"},
      {"multipart/mixed; boundary \"abc\"", "abc"},  // a quoted value needs no "="
      // Unquoted: a token up to ";" or white space.
      {"multipart/mixed; boundary=abc", "abc"},
      {"multipart/mixed; boundary=abc; charset=x", "abc"},
      {"multipart/mixed; boundary=abc charset", "abc"},
      {"multipart/mixed; boundary=abc\tx", "abc"},
      {"multipart/mixed; boundary = abc", "abc"},
      {"multipart/mixed; boundary=abc\"def", "abc\"def"},
      // Nothing readable: the empty boundary.
      {"multipart/mixed; boundary=\"\"", ""},
      {"multipart/mixed; boundary=\"abc", ""},  // no closing quote
      {"multipart/mixed; boundary=", ""},
      {"multipart/mixed; boundary=;x=y", ""},
      {"multipart/mixed; boundary abc", ""},  // neither "=" nor a quote
      {"multipart/mixed; boundary", ""},
      // No parameter at all.
      {"multipart/mixed", std::nullopt},
      {"multipart/mixed; bound=abc", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.contentType);
    const std::optional<std::string_view> boundary =
        ReadBoundary(row.contentType, AsciiUpper(row.contentType));
    ASSERT_EQ(boundary.has_value(), row.boundary.has_value());
    if (boundary) {
      EXPECT_EQ(*boundary, *row.boundary);
    }
  }
}

struct Split {
  Lines header, body, warnings;
};

Split SplitOf(const std::string& text) {
  const MessageLines lines(text);
  LineList header, body;
  Split split;
  SplitMessage(lines, header, body, AsciiUpper,
               [&](const std::string& warning) { split.warnings.push_back(warning); });
  // Every line is a view into the message's own text, the separator lines included.
  const std::string_view all = lines.Text();
  for (const LineList* list : {&header, &body}) {
    for (std::string_view line : *list) {
      EXPECT_TRUE(line.data() >= all.data() && line.data() + line.size() <= all.data() + all.size());
    }
  }
  split.header = Strings(header);
  split.body = Strings(body);

  // The host's text, read in place and cut only as far as the split reads it, splits the same.
  const HostText host(text);
  const MessageLines inPlace(host.get());
  Lines warnings;
  SplitMessage(inPlace, header, body, AsciiUpper,
               [&](const std::string& warning) { warnings.push_back(warning); });
  EXPECT_EQ(Strings(header), split.header);
  EXPECT_EQ(Strings(body), split.body);
  EXPECT_EQ(warnings, split.warnings);
  for (const LineList* list : {&header, &body}) {
    for (std::string_view line : *list) {
      EXPECT_TRUE(line.data() >= host.get() && line.data() + line.size() <= host.get() + text.size());
    }
  }
  return split;
}

TEST(SplitMessage, CutsAtTheFirstEmptyLine) {
  struct Row {
    const char* name;
    Lines message;
    Lines header, body;
  };
  const Row rows[] = {
      {"no empty line: all header", {"From: a", "Subject: b", "text"}, {"From: a", "Subject: b", "text"}, {}},
      {"only an empty line", {""}, {}, {}},
      {"no lines at all", {}, {}, {}},
      {"the first line empty: no header, the rest is body",
       {"", "From: a", "", "x"},
       {},
       {"From: a", "", "x"}},
      {"a line of spaces does not end the header",
       {"From: a", "  \t", "Subject: b", "", "x"},
       {"From: a", "  \t", "Subject: b"},
       {"x"}},
      {"no Content-Type: every later line, empty ones too",
       {"From: a", "", "x", "", "y", ""},
       {"From: a"},
       {"x", "", "y", ""}},
      {"text/plain",
       {"Content-Type: text/plain; charset=ISO-2022-JP", "", "x", "--abc", "y"},
       {"Content-Type: text/plain; charset=ISO-2022-JP"},
       {"x", "--abc", "y"}},
      {"a type naming a text type is text",
       {"Content-Type: multipart/related; type=\"text/html\"; boundary=\"abc\"", "", "--abc", "x"},
       {"Content-Type: multipart/related; type=\"text/html\"; boundary=\"abc\""},
       {"--abc", "x"}},
      {"a Content-Type in the body does not count",
       {"From: a", "", "Content-Type: image/png", "x"},
       {"From: a"},
       {"Content-Type: image/png", "x"}},
      {"image/jpeg: no body", {"Content-Type: image/jpeg", "", "x"}, {"Content-Type: image/jpeg"}, {}},
      {"application type: no body",
       {"content-type: Application/Octet-Stream", "", "x"},
       {"content-type: Application/Octet-Stream"},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Split split = SplitOf(Message(row.message));
    EXPECT_EQ(split.header, row.header);
    EXPECT_EQ(split.body, row.body);
    EXPECT_EQ(split.warnings, Lines{});
  }
}

TEST(SplitMessage, WalksThePartsOfAMultipartMessage) {
  struct Row {
    const char* name;
    Lines message;
    Lines body;
  };
  const std::string type = "Content-Type: multipart/mixed; boundary=\"abc\"";
  const Row rows[] = {
      {"preamble, text parts and separators; no boundary or part-header line",
       {type,
        "",
        "preamble",
        "--abc",
        "Content-Type: text/plain",
        "",
        "text one",
        "",
        "--abc",
        "Content-Type: image/png",
        "Content-Transfer-Encoding: base64",
        "",
        "iVBOR",
        "--abc",
        "",
        "no type",
        "--abc--",
        "after the closing boundary",
        "",
        "epilogue"},
       {"preamble", "abc", "text one", "", "abc", "abc", "no type", "abc", "epilogue"}},
      {"no separator while the body is empty",
       {type, "", "--abc", "Content-Type: text/plain", "", "one", "--abc", "Content-Type: text/html", "",
        "two"},
       {"one", "abc", "two"}},
      {"a part without Content-Type is taken", {type, "", "--abc", "X-Other: 1", "", "taken"}, {"taken"}},
      {"only the part's first Content-Type line is looked at",
       {type, "", "--abc", "Content-Type: application/octet-stream;", "\tname=\"a.txt\"", "", "skipped"},
       {}},
      {"the whole type line counts: a name with text in it",
       {type, "", "--abc", "Content-Type: application/x; name=\"context.doc\"", "", "taken"},
       {"taken"}},
      {"a Content-Type without a space after the colon",
       {type, "", "--abc", "content-type:TEXT/html", "", "taken"},
       {"taken"}},
      {"a blank in front of Content-Type makes another header line",
       {type, "", "--abc", "Content-Type: image/png", "", "skipped", "--abc", " Content-Type: image/png", "",
        "taken"},
       {"taken"}},
      {"the boundary anywhere in a line makes a boundary line",
       {type, "", "x", "text--abc-text", "Content-Type: image/gif", "", "skipped"},
       {"x", "abc"}},
      {"the boundary is case-sensitive",
       {type, "", "--abc", "Content-Type: image/gif", "", "--ABC", "skipped"},
       {}},
      {"lines after the closing boundary are a part header up to an empty line",
       {type, "", "--abc", "", "a", "--abc--", "trailer", "", "epilogue"},
       {"a", "abc", "epilogue"}},
      {"a boundary line ends a part header that has no empty line",
       {type, "", "--abc", "Content-Type: image/png", "--abc", "", "taken"},
       {"taken"}},
      {"a nested multipart is not opened: its text parts are left out",
       {"Content-Type: multipart/mixed; boundary=\"outer\"", "", "--outer", "Content-Type: text/plain", "",
        "top text", "--outer", "Content-Type: multipart/alternative; boundary=\"inner\"", "", "--inner",
        "Content-Type: text/plain", "", "inner text", "--inner--", "--outer--"},
       {"top text", "outer", "outer"}},
      {"an unquoted boundary",
       {"Content-Type: multipart/mixed; boundary=abc; x=y", "", "p", "--abc", "", "t"},
       {"p", "abc", "t"}},
      {"a folded Content-Type",
       {"Content-Type: multipart/mixed;", "\tboundary=\"abc\"", "", "--abc", "", "t"},
       {"t"}},
      {"a repetitive boundary in a repetitive body",
       {"Content-Type: multipart/mixed; boundary=aab", "", "aaaaab", "Content-Type: image/png", "", "aaaaaa",
        "aaaab", "", "x"},
       {"x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Split split = SplitOf(Message(row.message));
    EXPECT_EQ(split.body, row.body);
    EXPECT_EQ(split.warnings, Lines{});
  }
}

TEST(SplitMessage, WarnsOnceAboutABoundaryItCannotUse) {
  struct Row {
    const char* name;
    std::string contentType;
    std::string warning;
    Lines body;
  };
  const Lines after = {"--abc", "Content-Type: image/png", "", "x", "--abc", "y"};
  const Row rows[] = {
      {"no boundary parameter: no body",
       "multipart/mixed",
       "No boundary in Content-Type: multipart/mixed",
       {}},
      {"no boundary, folded type as written",
       "Multipart/Mixed;\r\n\tcharset=x",
       "No boundary in Content-Type: Multipart/Mixed;charset=x",
       {}},
      {"an empty quoted boundary: every line is body", "multipart/mixed; boundary=\"\"",
       "Illegal boundary in Content-Type: multipart/mixed; boundary=\"\"", after},
      {"no closing quote", "multipart/mixed; boundary=\"abc",
       "Illegal boundary in Content-Type: multipart/mixed; boundary=\"abc", after},
      {"nothing after the =", "multipart/mixed; boundary=",
       "Illegal boundary in Content-Type: multipart/mixed; boundary=", after},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Lines message = {"From: a", "Content-Type: " + row.contentType, ""};
    message.insert(message.end(), after.begin(), after.end());
    const Split split = SplitOf(Message(message));
    EXPECT_EQ(split.warnings, Lines{row.warning});
    EXPECT_EQ(split.header.size(), row.contentType.find('\n') == std::string::npos ? 2u : 3u);
    EXPECT_EQ(split.body, row.body);
  }
}

TEST(SplitMessage, ABoundaryAcrossAMarkedLineBreakIsNoBoundaryLine) {
  // The comma in place of a break joins two lines in the text, but neither line holds "b,c".
  MessageLines lines("Content-Type: multipart/mixed; boundary=\"b,c\"\r\n\r\nxb\nc\n--b,c\n\nz");
  ASSERT_TRUE(lines.AppendComma(2));
  LineList header, body;
  SplitMessage(lines, header, body, AsciiUpper, [](const std::string&) {});
  EXPECT_EQ(Strings(body), (Lines{"xb,", "c", "b,c", "z"}));
}

TEST(SplitMessage, PassesOverAttachmentsOfManyPiecesToTheirBoundaries) {
  std::string base64;
  for (int i = 0; i < 9000; ++i)  // about 700 KB
    base64 += std::string(76, static_cast<char>('A' + i % 26)) + "\r\n";
  const std::string type = "Content-Type: multipart/mixed; boundary=\"----=_Part_7\"";
  struct Row {
    const char* name;
    Lines message;
    Lines body;
  };
  const Row rows[] = {
      {"text, an attachment, text",
       {type, "", "preamble", "------=_Part_7", "Content-Type: text/plain", "", "one", "------=_Part_7",
        "Content-Type: application/zip", "", base64 + "------=_Part_7", "Content-Type: text/plain", "", "two",
        "------=_Part_7--", "", "epilogue"},
       {"preamble", "----=_Part_7", "one", "----=_Part_7", "----=_Part_7", "two", "----=_Part_7",
        "epilogue"}},
      {"an attachment to the end, no closing boundary",
       {type, "", "------=_Part_7", "Content-Type: image/png", "", base64 + "tail"},
       {}},
      {"the boundary inside a line of the attachment",
       {type, "", "------=_Part_7", "Content-Type: image/png", "", base64 + "QUJD------=_Part_7RUZH", "",
        "taken"},
       {"taken"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Split split = SplitOf(Message(row.message));
    EXPECT_EQ(split.body, row.body);
    EXPECT_EQ(split.warnings, Lines{});
  }
}

TEST(SplitMessage, EmptiesBothListsFirst) {
  const MessageLines lines("Content-Type: image/png\r\n\r\nx");
  LineList header = {"old"}, body = {"old"};
  SplitMessage(lines, header, body, AsciiUpper, [](const std::string&) {});
  EXPECT_EQ(Strings(header), Lines{"Content-Type: image/png"});
  EXPECT_EQ(Strings(body), Lines{});
}

}  // namespace
}  // namespace quorvel

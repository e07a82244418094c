#include "mail/message_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

std::vector<std::string> LinesOf(const MessageLines& lines) {
  std::vector<std::string> all;
  for (size_t i = 0; i < lines.Count(); ++i)
    all.emplace_back(lines[i]);
  return all;
}

using Lines = std::vector<std::string>;

TEST(MessageLines, CutsAtEveryKindOfLineBreak) {
  struct Row {
    const char* name;
    std::string text;
    Lines lines;
  };
  const std::string longLine(100000, 'x');
  const Row rows[] = {
      {"empty text", "", {}},
      {"one line without a break", "abc", {"abc"}},
      {"a final break adds no empty line", "abc\r\n", {"abc"}},
      {"only a break is one empty line", "\r\n", {""}},
      {"CR LF", "a\r\nb", {"a", "b"}},
      {"lone LF", "a\nb", {"a", "b"}},
      {"lone CR", "a\rb", {"a", "b"}},
      {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"empty lines between", "a\r\n\r\n\nb\r", {"a", "", "", "b"}},
      {"final lone CR", "a\r", {"a"}},
      {"two final breaks", "a\n\n", {"a", ""}},
      {"a NUL ends the text", std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},
      {"a NUL first", std::string("\0a", 2), {}},
      {"other control bytes stay in the line",
       "a\tb\x01\x0b\x0c\x0e"
       "c",
       {"a\tb\x01\x0b\x0c\x0e"
        "c"}},
      {"breaks at every offset of an eight-byte word",
       "1234567\n12345678\r\n123456789\r",
       {"1234567", "12345678", "123456789"}},
      {"high bytes", "\xff\x80\x8d\n\x8a", {"\xff\x80\x8d", "\x8a"}},
      {"a long line", longLine + "\r\nx", {longLine, "x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(LinesOf(MessageLines(std::string_view(row.text))), row.lines);
    // The zero-terminated form of the host reads the same text.
    EXPECT_EQ(LinesOf(MessageLines(row.text.c_str())), row.lines);
  }
}

// The rule byte by byte, for texts long enough to cross the blocks and pieces that the cut reads.
Lines Reference(const std::string& text) {
  Lines lines;
  std::string line;
  size_t at = 0;
  for (; at < text.size() && text[at] != '\0'; ++at) {
    if (text[at] == '\r' || text[at] == '\n') {
      lines.push_back(line);
      line.clear();
      if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    } else {
      line += text[at];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

TEST(MessageLines, BreaksAtBlockAndPieceBordersAreCutLikeAnyOther) {
  std::vector<std::string> texts;
  // A CR LF, a lone CR and a lone LF at every place around the borders of 64-byte blocks and of the
  // 64 KB pieces.
  for (size_t border : {64u, 128u, 65536u, 131072u}) {
    for (size_t place = border - 3; place <= border + 2; ++place) {
      for (const char* lineBreak : {"\r\n", "\r", "\n", "\r\r\n", "\n\r"}) {
        std::string text(place, 'x');
        text += lineBreak;
        text += std::string(70, 'y');
        texts.push_back(text);
        texts.push_back(text.substr(0, place + std::string(lineBreak).size()));  // ending with the break
      }
    }
  }
  std::mt19937 random(11);
  const char alphabet[] = {'\r', '\n', 'a', 'b', '\t', '\x8d'};
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 400, ' ');
    for (char& c : text)
      c = alphabet[random() % sizeof alphabet];
    texts.push_back(text);
  }
  std::string nulInSecondPiece(70000, 'z');
  nulInSecondPiece[66000] = '\0';
  nulInSecondPiece[65536] = '\n';
  texts.push_back(nulInSecondPiece);

  for (const std::string& text : texts) {
    SCOPED_TRACE(
        testing::Message() << "length " << text.size() << ", last bytes "
                           << testing::PrintToString(text.substr(text.size() > 6 ? text.size() - 6 : 0)));
    const Lines expected = Reference(text);
    EXPECT_EQ(LinesOf(MessageLines(std::string_view(text))), expected);
    EXPECT_EQ(LinesOf(MessageLines(text.c_str())), expected);
  }
}

TEST(MessageLines, SetTextReplacesTheLines) {
  MessageLines lines("a\r\nb\r\nc");
  lines.AppendComma(0);
  lines.SetText(std::string(200000, 'q') + "\r\nz");  // more than the room it had
  EXPECT_EQ(LinesOf(lines), (Lines{std::string(200000, 'q'), "z"}));
  lines.SetText("x");
  EXPECT_EQ(LinesOf(lines), Lines{"x"});
  EXPECT_EQ(lines.Text(), "x");
  lines.SetText("");
  EXPECT_TRUE(lines.Empty());
}

TEST(MessageLines, AppendCommaTakesThePlaceOfTheBreak) {
  struct Row {
    const char* name;
    std::string text;
    size_t line;
    bool appended;
    Lines lines;
  };
  const Row rows[] = {
      {"CR LF keeps its LF", "a\r\nb\r\nc", 0, true, {"a,", "b", "c"}},
      {"lone LF", "a\nb", 0, true, {"a,", "b"}},
      {"lone CR", "a\rb", 0, true, {"a,", "b"}},
      {"an empty line", "a\n\nb", 1, true, {"a", ",", "b"}},
      {"a middle line", "a\nb\nc", 1, true, {"a", "b,", "c"}},
      {"the last line is left alone", "a\nb", 1, false, {"a", "b"}},
      {"the last line, even with a final break", "a\nb\n", 1, false, {"a", "b"}},
      {"beyond the lines", "a\nb", 5, false, {"a", "b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MessageLines lines(row.text);
    EXPECT_EQ(lines.AppendComma(row.line), row.appended);
    EXPECT_EQ(LinesOf(lines), row.lines);
  }
}

TEST(MessageLines, ASecondCommaNeedsASecondBreakByte) {
  MessageLines crlf("a\r\nb");
  EXPECT_TRUE(crlf.AppendComma(0));
  EXPECT_TRUE(crlf.AppendComma(0));
  EXPECT_FALSE(crlf.AppendComma(0));
  EXPECT_EQ(LinesOf(crlf), (Lines{"a,,", "b"}));

  MessageLines lf("a\nb");
  EXPECT_TRUE(lf.AppendComma(0));
  EXPECT_FALSE(lf.AppendComma(0));
  EXPECT_EQ(LinesOf(lf), (Lines{"a,", "b"}));
}

TEST(MessageLines, LinesAreViewsIntoOneCopyOfTheText) {
  std::string text = "From: a\r\nTo: b\r\n";
  MessageLines lines(text);
  text.assign(text.size(), 'z');  // the host's text may go away
  ASSERT_EQ(lines.Count(), 2u);
  EXPECT_EQ(lines[0], "From: a");
  EXPECT_EQ(lines[1].data(), lines.Text().data() + 9);
}

}  // namespace
}  // namespace quorvel

#include "mail/message_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "host_text.h"

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
  // pieces in which a text read in place is searched for its end.
  for (size_t border : {64u, 128u, 32768u, 65536u, 131072u}) {
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
    // Read in place from a block that ends at the NUL: nothing behind it is read.
    const HostText host(text);
    EXPECT_EQ(LinesOf(MessageLines(host.get())), expected);
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

// Random lines with every kind of break, long enough to cross blocks and pieces.
std::string RandomText(std::mt19937& random, size_t lines) {
  const char* breaks[] = {"\r\n", "\r", "\n", "\r\n", "\r\n"};
  std::string text;
  for (size_t i = 0; i < lines; ++i) {
    text += std::string(random() % 3 == 0 ? 0 : random() % 150, static_cast<char>('a' + random() % 3));
    text += breaks[random() % 5];
  }
  if (random() % 2) text += "last";
  return text;
}

TEST(MessageLines, HasAnswersForEachLineWithoutTheRestCut) {
  std::mt19937 random(5);
  const std::string text = RandomText(random, 700);
  const Lines expected = Reference(text);
  const HostText host(text);
  for (size_t line : {size_t{0}, size_t{1}, size_t{63}, size_t{300}, expected.size() - 1, expected.size(),
                      expected.size() + 5}) {
    SCOPED_TRACE(line);
    const MessageLines lines(host.get());
    EXPECT_EQ(lines.Has(line), line < expected.size());
    for (size_t i = 0; i <= line && i < expected.size(); ++i)
      EXPECT_EQ(lines[i], expected[i]);
    EXPECT_EQ(lines.Count(), expected.size());
  }
  EXPECT_TRUE(MessageLines("").Empty());
  EXPECT_FALSE(MessageLines("\n").Empty());
}

TEST(MessageLines, ATextReadInPlaceIsNeverWritten) {
  const std::string text = "X: a\r\n b\nY: c\r\n d\r\r\nbody";
  const HostText host(text);
  MessageLines lines(host.get());
  EXPECT_TRUE(lines.AppendComma(0));
  EXPECT_TRUE(lines.AppendComma(2));
  EXPECT_TRUE(lines.AppendComma(2));  // its CR LF has a second byte
  EXPECT_EQ(LinesOf(lines), (Lines{"X: a,", " b", "Y: c,,", " d", "", "body"}));
  EXPECT_EQ(host.Bytes(), text);
  // The text itself, as the host gave it; the commas are in the copy of the lines.
  EXPECT_EQ(lines.Text(), text);
  EXPECT_EQ(lines[5].data(), host.get() + text.size() - 4);
}

TEST(MessageLines, ViewsOfCopiedLinesOutliveLaterCopies) {
  // Each comma further down copies more of the text; a view taken before still shows its line.
  std::string text;
  for (int i = 0; i < 2000; ++i)
    text += "Header-" + std::to_string(i) + ": value\r\n";
  const HostText host(text);
  MessageLines lines(host.get());
  ASSERT_TRUE(lines.AppendComma(0));
  const std::string_view first = lines[0];
  std::vector<std::string_view> views;
  for (size_t i = 1; i + 1 < 2000; i += 37) {
    ASSERT_TRUE(lines.AppendComma(i));
    views.push_back(lines[i]);
  }
  EXPECT_EQ(first, "Header-0: value,");
  for (size_t k = 0; k < views.size(); ++k)
    EXPECT_EQ(views[k], "Header-" + std::to_string(1 + 37 * k) + ": value,");
  ASSERT_EQ(lines.Count(), 2000u);
  EXPECT_EQ(lines[1998], "Header-1998: value");
  EXPECT_EQ(host.Bytes(), text);
}

// What a reader gives from `first` on, after the table has been cut as `prepare` leaves it.
template <typename Prepare>
Lines ReadFrom(const MessageLines& lines, size_t first, Prepare prepare) {
  prepare();
  MessageLines::Reader reader(lines, first);
  Lines read;
  for (std::string_view line; reader.Next(line);)
    read.emplace_back(line);
  return read;
}

TEST(MessageLinesReader, GivesTheLinesFromItsFirstOn) {
  std::mt19937 random(3);
  for (int round = 0; round < 40; ++round) {
    const std::string text = RandomText(random, round < 30 ? random() % 40 : 400 + random() % 600);
    const Lines expected = Reference(text);
    const HostText host(text);
    for (size_t first : {size_t{0}, size_t{1}, expected.size() / 2, expected.size(), expected.size() + 2}) {
      SCOPED_TRACE(testing::Message() << "round " << round << ", first line " << first);
      const Lines rest(expected.begin() + static_cast<std::ptrdiff_t>(std::min(first, expected.size())),
                       expected.end());
      for (int kind = 0; kind < 2; ++kind) {
        MessageLines fresh, cutAhead, cutAll;
        for (MessageLines* lines : {&fresh, &cutAhead, &cutAll}) {
          if (kind == 0) lines->SetText(host.get());
          if (kind == 1) lines->SetText(std::string_view(text));
        }
        EXPECT_EQ(ReadFrom(fresh, first, [] {}), rest);
        EXPECT_EQ(ReadFrom(cutAhead, first, [&] { cutAhead.Has(first + 3); }), rest);
        EXPECT_EQ(ReadFrom(cutAll, first, [&] { cutAll.Count(); }), rest);
      }
    }
  }
}

TEST(MessageLinesReader, ShowsTheCommasOfTheLinesInTheTable) {
  const HostText host("a\n b\nc\n d\ne\nf");
  MessageLines lines(host.get());
  ASSERT_TRUE(lines.AppendComma(0));
  ASSERT_TRUE(lines.AppendComma(2));
  EXPECT_EQ(ReadFrom(lines, 1, [] {}), (Lines{" b", "c,", " d", "e", "f"}));
  EXPECT_EQ(ReadFrom(lines, 3, [] {}), (Lines{" d", "e", "f"}));
}

// The lines that a reader gives when it passes over the lines without `pattern` after every line
// that does not hold it, as a model that tests each line does.
Lines PassingOver(const Lines& all, size_t first, const std::string& pattern) {
  Lines read;
  bool pass = false;
  for (size_t i = first; i < all.size(); ++i) {
    const bool holds = !pattern.empty() && all[i].find(pattern) != std::string::npos;
    if (pass && !holds) continue;
    read.push_back(all[i]);
    pass = !holds;
  }
  return read;
}

Lines ReadPassingOver(const MessageLines& lines, size_t first, const std::string& pattern) {
  Occurrences occurrences(pattern, std::string_view());
  MessageLines::Reader reader(lines, first);
  Lines read;
  for (std::string_view line; reader.Next(line);) {
    read.emplace_back(line);
    if (occurrences.FirstIn(line) == Occurrences::kNone) reader.PassOverLinesWithout(occurrences);
  }
  return read;
}

TEST(MessageLinesReader, PassesOverToTheNextLineThatHoldsThePattern) {
  struct Row {
    const char* name;
    std::string text, pattern;
  };
  const std::string piece(32768, 'x');
  // The pattern across a border that the search meets as it reads on: it begins behind "a", where
  // the first piece has been read, and finds "--p" starting one or two bytes in front of a border.
  const auto across = [](size_t border, size_t inFront) {
    return "a\n" + std::string(border - inFront - 2, 'x') + "--p\nz";
  };
  const Row rows[] = {
      {"one byte in front of the first border", across(32768, 1), "--p"},
      {"two bytes in front of the first border", across(32768, 2), "--p"},
      {"one byte in front of the second border", across(65536, 1), "--p"},
      {"two bytes in front of the second border", across(65536, 2), "--p"},
      {"at the start of a line", "a\nb\n--p\nc\n--p--\nd", "--p"},
      {"in the middle and at the end of a line", "a\nb\nx--p\nc\nd--p", "--p"},
      {"the next line", "a\n--p\n--p\nb", "--p"},
      {"nowhere", "a\nb\nc\n", "--p"},
      {"an empty pattern is nowhere", "a\nb\nc", ""},
      {"a repetitive pattern", "aaab\naaaaaaab\naab\naaaa\naab", "aab"},
      {"lines of every break", "a\r\nb\rc\n\r\n--p\r\r--p\r\n", "--p"},
      {"across the border of a piece", piece.substr(0, 32766) + "\n--p\n" + piece + "y--p\nz", "--p"},
      {"in a line longer than a piece", "a\n" + piece + piece + "--p" + piece + "\nb\nc", "--p"},
      {"a part of the pattern in front of the border", piece.substr(0, 32767) + "--\n--p\nq", "--p"},
      {"the last line", "a\nb\nc--p", "--p"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Lines all = Reference(row.text);
    const HostText host(row.text);
    for (size_t first : {size_t{0}, size_t{1}, size_t{2}}) {
      SCOPED_TRACE(first);
      const Lines expected = PassingOver(all, first, row.pattern);
      EXPECT_EQ(ReadPassingOver(MessageLines(host.get()), first, row.pattern), expected);
      const MessageLines cut(row.text);
      cut.Count();
      EXPECT_EQ(ReadPassingOver(cut, first, row.pattern), expected);
    }
  }
}

TEST(MessageLinesReader, PassesOverLikeTheModelOnRandomTexts) {
  std::mt19937 random(17);
  const char alphabet[] = {'a', 'b', '-', '\r', '\n', 'a', 'b', '-'};
  const std::string patterns[] = {"-", "--a", "ab", "aab", "b-b", "--"};
  for (int round = 0; round < 400; ++round) {
    std::string text(random() % (round < 350 ? 300 : 70000), ' ');
    for (char& c : text)
      c = alphabet[random() % sizeof alphabet];
    const std::string& pattern = patterns[random() % 6];
    SCOPED_TRACE(testing::Message() << "round " << round << ", pattern " << pattern);
    const Lines all = Reference(text);
    const HostText host(text);
    const size_t first = all.empty() ? 0 : random() % all.size();
    const MessageLines lines(host.get());
    if (round % 3 == 0) lines.Has(first + random() % 5);  // a table cut ahead of the reader
    EXPECT_EQ(ReadPassingOver(lines, first, pattern), PassingOver(all, first, pattern));
  }
}

}  // namespace
}  // namespace quorvel

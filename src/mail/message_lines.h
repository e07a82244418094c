// The lines of one message text, as the host hands it over: the text itself (or one copy of it) and
// the place of each line in it, cut only as far as someone asks for lines. A message of many
// megabytes costs no heap string per line, and the part of it that nobody reads costs no cut and no
// copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "mail/occurrences.h"

namespace quorvel {

class MessageLines {
 public:
  class Reader;

  MessageLines() = default;
  explicit MessageLines(std::string_view text) { SetText(text); }
  explicit MessageLines(const char* zeroTerminated) { SetText(zeroTerminated); }

  // Replaces the text with a copy of `text` up to its first NUL. Keeps the memory of the previous
  // message, so that a module that keeps one object allocates once.
  void SetText(std::string_view text);
  // Replaces the text with `zeroTerminated` itself, read where it lies up to its NUL, and no further
  // than the lines asked for need: it must stay in place and unchanged while the lines are used
  // (the host's text lives through the callback that scans it). It is never written: the lines
  // that AppendComma lengthens are copied, with the lines in front of them.
  void SetText(const char* zeroTerminated);

  // Lines end at CR LF, a lone CR or a lone LF, which are not part of them; a break at the very end
  // adds no empty line. Count cuts the whole text; Has cuts no further than line `line`.
  size_t Count() const;
  bool Has(size_t line) const { return line < lines_.size() || CutTo(line); }
  bool Empty() const { return !Has(0); }

  // Line `line`, which Has or Count has shown to be there. The view stays valid until the next
  // SetText; AppendComma lengthens the line, so a view taken before it shows the line without the
  // comma.
  std::string_view operator[](size_t line) const {
    const Span span = lines_[line];
    const char* text = span.begin < copied_ ? copy_.get() : text_;
    return std::string_view(text + span.begin, span.end - span.begin);
  }

  // Appends a comma to line `line`. The comma takes the place of the first byte of the line break
  // behind it (a CR LF keeps its LF as the break), so nothing moves. False, and nothing changes,
  // when no break byte is left behind the line: the last line, or one whose single-byte break has
  // already become a comma.
  bool AppendComma(size_t line);

  // The whole text, break bytes included, read to its end. Of a copied text, the text that the lines
  // are views into, with the commas in place of the breaks; of a text read in place, that text as
  // it is (the lines with commas are views into the copy of the lines in front of them).
  std::string_view Text() const;

 private:
  // Offsets in 32 bits: half the memory of a line table of many lines. A text is cut at 4 GiB - 1
  // bytes, more than the 32-bit module can hold.
  struct Span {
    uint32_t begin, end;
  };

  // How far a cut through the text has come.
  struct Cut {
    size_t at = 0;           // bytes read
    size_t start = 0;        // of the line being read
    bool crInFront = false;  // the byte in front of `at` is a CR
    bool done = false;       // the text has ended and its last line is given
  };

  static Span SpanOf(size_t begin, size_t end);
  // Cuts the table up to line `line`; whether the text has it.
  bool CutTo(size_t line) const;
  // Reads on until `size` bytes are known to come before the NUL, or the end is found.
  void Reach(size_t size) const {
    if (known_ < size && !ended_) ReadOn(size);
  }
  void ReadOn(size_t size) const;
  // Cuts the next 64-byte block (or the rest of the text), handing each line that ends in it to
  // `take`.
  template <typename Take>
  void CutBlock(Cut& cut, Take take) const;
  // The first `size` bytes, to be written: the own copy, or for a text read in place a copy of them.
  char* Writable(size_t size);

  const char* text_ = "";
  std::unique_ptr<char[]> own_;  // the copy that SetText(std::string_view) makes, text_ then
  size_t ownCapacity_ = 0;
  bool owned_ = false;
  size_t limit_ = 0;  // the text ends at the NUL or here
  // Of a text read in place: a copy of its first `copied_` bytes, whole lines, with the commas.
  std::unique_ptr<char[]> copy_;
  size_t copied_ = 0;
  size_t copyCapacity_ = 0;
  std::vector<std::unique_ptr<char[]>> outgrown_;  // earlier copies that views may still show

  // The text is read, and cut, as far as the lines asked for need; hence changed by const calls.
  mutable size_t known_ = 0;   // bytes known to come before the end
  mutable bool ended_ = true;  // known_ is the length of the text
  mutable Cut cut_;
  mutable std::vector<Span> lines_;
};

// Reads the lines of a message one after another from line `first` on, without adding them to the
// table of MessageLines: the body of a message is read once, and the lines in front of the next
// boundary can be passed over without being cut. The lines must not change while it reads.
class MessageLines::Reader {
 public:
  Reader(const MessageLines& lines, size_t first);

  // The next line; false when there is none.
  bool Next(std::string_view& line);

  // Passes over the lines in front of the next one that holds an occurrence of `pattern`, which
  // Next then gives, or over all the rest when no line does; behind the table, without cutting
  // them. `pattern` holds no CR or LF (a MIME boundary: a part of one header value); the reader
  // points it at the text.
  void PassOverLinesWithout(Occurrences& pattern);

 private:
  void LeaveTable();

  const MessageLines& lines_;
  size_t line_;          // the next line of the table, while the reader is in it
  bool inTable_ = true;  // false once behind the table, where the reader cuts the text itself
  Cut cut_;
  Span cutLines_[64];  // of the last block cut: a line ends at most at each of its bytes
  size_t cutLineCount_ = 0;
  size_t nextCutLine_ = 0;
};

}  // namespace quorvel

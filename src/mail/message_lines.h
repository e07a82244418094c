// The lines of one message text, as the host hands it over: one copy of the text and the place of
// each line in it, so that a message of many megabytes costs no heap string per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

class MessageLines {
 public:
  MessageLines() = default;
  // Takes the text up to its first NUL.
  explicit MessageLines(std::string_view text) { SetText(text); }
  explicit MessageLines(const char* zeroTerminated) { SetText(zeroTerminated); }

  // Replaces the lines with those of `text` (up to its first NUL). Lines end at CR LF, a lone CR or
  // a lone LF, which are not part of them; a break at the very end adds no empty line. Keeps the
  // memory of the previous message, so that a module that keeps one object allocates once.
  void SetText(std::string_view text);
  void SetText(const char* zeroTerminated);

  size_t Count() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }

  // Line `line` (< Count()). The view stays valid until the next SetText; AppendComma lengthens
  // the line, so a view taken before it shows the line without the comma.
  std::string_view operator[](size_t line) const {
    return std::string_view(text_.get() + lines_[line].begin, lines_[line].end - lines_[line].begin);
  }

  // The first line that ends at or after `offset` in Text() (Count() if none): the line that holds
  // the byte at `offset`, or the one behind the line break there.
  size_t LineAt(size_t offset) const;

  // Appends a comma to line `line`. The comma takes the place of the first byte of the line break
  // behind it (a CR LF keeps its LF as the break), so nothing moves. False, and nothing changes,
  // when no break byte is left behind the line: the last line, or one whose single-byte break has
  // already become a comma.
  bool AppendComma(size_t line);

  // The text that the lines are views into, break bytes (and commas in their place) included.
  std::string_view Text() const { return std::string_view(text_.get(), size_); }

 private:
  // Offsets in 32 bits: half the memory of a line table of many lines. A text is cut at 4 GiB - 1
  // bytes, more than the 32-bit module can hold.
  struct Span {
    uint32_t begin, end;
  };

  static Span SpanOf(size_t begin, size_t end);
  // Copies the text, up to its first NUL or `limit` bytes, and cuts it into lines.
  void CopyAndCut(const char* text, size_t limit);
  // Makes room for `size` bytes, keeping the first `kept`.
  void Reserve(size_t size, size_t kept);

  // Not a std::string: that would write the whole size once before the copy does.
  std::unique_ptr<char[]> text_;
  size_t size_ = 0;
  size_t capacity_ = 0;
  std::vector<Span> lines_;
};

}  // namespace quorvel

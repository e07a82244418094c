#include "mail/message_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "mail/break_masks.h"

namespace quorvel {
namespace {

// A text read in place is searched for its NUL in pieces of this size, each just before the cut or
// the boundary search reads it, so that they find it in the cache (the first level's, at this size).
constexpr size_t kPiece = 32 * 1024;

// The longest text that 32-bit offsets reach.
constexpr size_t kMaxText = UINT32_MAX - 1;

uint64_t Bit(bool set, int position) {
  return static_cast<uint64_t>(set) << position;
}

bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

// Offsets up to kMaxText, so they fit.
MessageLines::Span MessageLines::SpanOf(size_t begin, size_t end) {
  return Span{static_cast<uint32_t>(begin), static_cast<uint32_t>(end)};
}

void MessageLines::SetText(std::string_view text) {
  size_t size = std::min(text.size(), kMaxText);
  if (const void* nul = size > 0 ? std::memchr(text.data(), '\0', size) : nullptr) {
    size = static_cast<size_t>(static_cast<const char*>(nul) - text.data());
  }
  if (!own_ || size > ownCapacity_) {
    const size_t capacity = std::max(size, ownCapacity_ + ownCapacity_ / 2);
    own_.reset(new char[std::max<size_t>(capacity, 1)]);
    ownCapacity_ = capacity;
  }
  if (size > 0) std::memmove(own_.get(), text.data(), size);
  SetText(static_cast<const char*>(own_.get()));
  owned_ = true;
  limit_ = known_ = size;
  ended_ = true;
}

void MessageLines::SetText(const char* zeroTerminated) {
  text_ = zeroTerminated;
  owned_ = false;
  limit_ = kMaxText;
  known_ = 0;
  ended_ = false;
  copied_ = 0;
  outgrown_.clear();
  cut_ = Cut();
  lines_.clear();
}

void MessageLines::ReadOn(size_t size) const {
  while (!ended_ && known_ < size) {
    // memchr stops at the NUL that ends a zero-terminated text, never reading past it.
    const size_t piece = std::min(kPiece, limit_ - known_);
    if (const void* nul = std::memchr(text_ + known_, '\0', piece)) {
      known_ = static_cast<size_t>(static_cast<const char*>(nul) - text_);
      ended_ = true;
    } else {
      known_ += piece;
      ended_ = known_ == limit_;
    }
  }
}

template <typename Take>
void MessageLines::CutBlock(Cut& cut, Take take) const {
  // A whole block when the byte behind it can be looked at too: it tells whether a CR at the
  // block's end begins a CR LF.
  Reach(cut.at + 65);
  const char* text = text_;
  if (known_ > cut.at + 64) {
    const BreakMasks masks = FindBreakMasks(text + cut.at);
    if ((masks.cr | masks.lf) != 0) {
      const bool lfBehind = text[cut.at + 64] == '\n';
      const uint64_t crOfPair = masks.cr & ((masks.lf >> 1) | Bit(lfBehind, 63));
      const uint64_t lfOfPair = masks.lf & ((masks.cr << 1) | Bit(cut.crInFront, 0));
      // A line ends at each LF (before the CR of a CR LF) and at each CR that no LF follows.
      for (uint64_t ends = masks.lf | (masks.cr & ~crOfPair); ends != 0; ends &= ends - 1) {
        const int bit = __builtin_ctzll(ends);
        const size_t at = cut.at + static_cast<size_t>(bit);
        take(SpanOf(cut.start, at - ((lfOfPair >> bit) & 1)));
        cut.start = at + 1;
      }
    }
    cut.crInFront = (masks.cr >> 63) != 0;
    cut.at += 64;
    return;
  }
  // The last bytes, fewer than a block, of a text whose end is known.
  for (size_t at = cut.at; at < known_; ++at) {
    if (text[at] == '\n') {
      const bool pair = at > cut.at ? text[at - 1] == '\r' : cut.crInFront;
      take(SpanOf(cut.start, at - (pair ? 1 : 0)));
      cut.start = at + 1;
    } else if (text[at] == '\r' && !(at + 1 < known_ && text[at + 1] == '\n')) {
      take(SpanOf(cut.start, at));
      cut.start = at + 1;
    }
  }
  if (cut.start < known_) take(SpanOf(cut.start, known_));
  cut.at = cut.start = known_;
  cut.done = true;
}

size_t MessageLines::Count() const {
  while (!cut_.done)
    CutBlock(cut_, [this](Span span) { lines_.push_back(span); });
  return lines_.size();
}

bool MessageLines::CutTo(size_t line) const {
  while (lines_.size() <= line && !cut_.done)
    CutBlock(cut_, [this](Span span) { lines_.push_back(span); });
  return line < lines_.size();
}

std::string_view MessageLines::Text() const {
  Reach(limit_);
  return std::string_view(text_, known_);
}

char* MessageLines::Writable(size_t size) {
  if (owned_) return own_.get();
  if (size > copied_) {
    if (size > copyCapacity_) {
      const size_t capacity = std::max(size, 2 * copyCapacity_);
      std::unique_ptr<char[]> larger(new char[capacity]);
      if (copied_ > 0) {
        std::memcpy(larger.get(), copy_.get(), copied_);
        outgrown_.push_back(std::move(copy_));  // views of lines copied before may still show it
      }
      copy_ = std::move(larger);
      copyCapacity_ = capacity;
    }
    std::memcpy(copy_.get() + copied_, text_ + copied_, size - copied_);
    copied_ = size;
  }
  return copy_.get();
}

bool MessageLines::AppendComma(size_t line) {
  if (!Has(line + 1)) return false;
  Span& span = lines_[line];
  const size_t next = lines_[line + 1].begin;
  if (span.end >= next) return false;
  // Copies whole lines, up to the next one, so that no line lies half in the copy.
  Writable(next)[span.end++] = ',';
  return true;
}

MessageLines::Reader::Reader(const MessageLines& lines, size_t first) : lines_(lines), line_(first) {
  if (first > 0) lines.Has(first - 1);
}

void MessageLines::Reader::LeaveTable() {
  // Behind the table no comma has been written: the reader cuts the text itself, from the line that
  // the table's cut gives next (the table holds every line when its cut is done).
  inTable_ = false;
  const Cut& table = lines_.cut_;
  cut_.at = cut_.start = table.start;
  cut_.done = table.done;
}

bool MessageLines::Reader::Next(std::string_view& line) {
  if (inTable_) {
    if (line_ < lines_.lines_.size()) {
      line = lines_[line_++];
      return true;
    }
    LeaveTable();
  }
  while (nextCutLine_ == cutLineCount_) {
    if (cut_.done) return false;
    cutLineCount_ = nextCutLine_ = 0;
    lines_.CutBlock(cut_, [this](Span span) { cutLines_[cutLineCount_++] = span; });
  }
  const Span span = cutLines_[nextCutLine_++];
  line = std::string_view(lines_.text_ + span.begin, span.end - span.begin);
  return true;
}

void MessageLines::Reader::PassOverLinesWithout(Occurrences& pattern) {
  // The lines in the table are tested one by one: they may hold commas in place of breaks.
  if (inTable_) {
    for (; line_ < lines_.lines_.size(); ++line_) {
      if (pattern.FirstIn(lines_[line_]) != Occurrences::kNone) return;
    }
    LeaveTable();
  }
  // Behind it, one search through the text as it is read: the pattern holds no line break, so the
  // line that holds the first occurrence begins behind the last break in front of it.
  const size_t from = nextCutLine_ < cutLineCount_ ? cutLines_[nextCutLine_].begin : cut_.start;
  cutLineCount_ = nextCutLine_ = 0;
  const char* text = lines_.text_;
  pattern.Search(std::string_view(text, lines_.known_), from);
  size_t found = pattern.Next();
  while (found == Occurrences::kNone && !lines_.ended_) {
    lines_.Reach(lines_.known_ + 1);
    pattern.Extend(std::string_view(text, lines_.known_));
    found = pattern.Next();
  }
  if (found == Occurrences::kNone) {
    cut_.at = cut_.start = lines_.known_;
    cut_.done = true;
    return;
  }
  size_t start = found;
  while (start > from && !IsBreak(text[start - 1]))
    --start;
  cut_ = Cut();
  cut_.at = cut_.start = start;
}

}  // namespace quorvel

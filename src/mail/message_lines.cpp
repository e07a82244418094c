#include "mail/message_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "mail/break_masks.h"

namespace quorvel {
namespace {

// The text is read in pieces of this size: each is first searched for the NUL that ends the text,
// then copied and cut while the search has it in the cache. A multiple of the 64-byte block.
constexpr size_t kPiece = 128 * 1024;

// The longest text that 32-bit offsets reach.
constexpr size_t kMaxText = UINT32_MAX - 1;

uint64_t Bit(bool set, int position) {
  return static_cast<uint64_t>(set) << position;
}

}  // namespace

// Offsets up to kMaxText, so they fit.
MessageLines::Span MessageLines::SpanOf(size_t begin, size_t end) {
  return Span{static_cast<uint32_t>(begin), static_cast<uint32_t>(end)};
}

void MessageLines::SetText(std::string_view text) {
  CopyAndCut(text.data(), std::min(text.size(), kMaxText));
}

void MessageLines::SetText(const char* zeroTerminated) {
  CopyAndCut(zeroTerminated, kMaxText);
}

void MessageLines::Reserve(size_t size, size_t kept) {
  if (text_ && size <= capacity_) return;
  const size_t capacity = std::max(size, capacity_ + capacity_ / 2);
  std::unique_ptr<char[]> larger(new char[capacity]);
  if (kept > 0) std::memcpy(larger.get(), text_.get(), kept);
  text_ = std::move(larger);
  capacity_ = capacity;
}

void MessageLines::CopyAndCut(const char* text, size_t limit) {
  lines_.clear();
  size_ = 0;
  Reserve(1, 0);
  size_t start = 0;        // of the line being read
  size_t blocks = 0;       // bytes cut block by block so far
  bool crInFront = false;  // the byte in front of `blocks` is a CR
  bool ended = false;      // the text ended in the last piece
  while (!ended) {
    // memchr stops at the NUL that ends a zero-terminated text, never reading past it.
    const size_t want = std::min(kPiece, limit - size_);
    const void* nul = std::memchr(text + size_, '\0', want);
    const size_t got = nul ? static_cast<size_t>(static_cast<const char*>(nul) - (text + size_)) : want;
    ended = nul != nullptr || got < kPiece || size_ + got == limit;
    Reserve(size_ + got, size_);
    std::memcpy(text_.get() + size_, text + size_, got);
    size_ += got;

    // Whole blocks, as long as the byte behind each can be looked at: it tells whether a CR at the
    // block's end begins a CR LF. Behind a piece that did not end the text, there is such a byte.
    const char* copy = text_.get();
    for (; blocks + 64 < size_ || (!ended && blocks + 64 <= size_); blocks += 64) {
      const BreakMasks masks = FindBreakMasks(copy + blocks);
      if ((masks.cr | masks.lf) == 0) {
        crInFront = false;
        continue;
      }
      const bool lfBehind = text[blocks + 64] == '\n';
      const uint64_t crOfPair = masks.cr & ((masks.lf >> 1) | Bit(lfBehind, 63));
      const uint64_t lfOfPair = masks.lf & ((masks.cr << 1) | Bit(crInFront, 0));
      // A line ends at each LF (before the CR of a CR LF) and at each CR that no LF follows.
      for (uint64_t ends = masks.lf | (masks.cr & ~crOfPair); ends != 0; ends &= ends - 1) {
        const int bit = __builtin_ctzll(ends);
        const size_t at = blocks + static_cast<size_t>(bit);
        lines_.push_back(SpanOf(start, at - ((lfOfPair >> bit) & 1)));
        start = at + 1;
      }
      crInFront = (masks.cr >> 63) != 0;
    }
  }
  // The last bytes, fewer than a block (or a block that ends the text).
  const char* copy = text_.get();
  for (size_t at = blocks; at < size_; ++at) {
    if (copy[at] == '\n') {
      const bool pair = at > 0 && copy[at - 1] == '\r';
      lines_.push_back(SpanOf(start, at - (pair ? 1 : 0)));
      start = at + 1;
    } else if (copy[at] == '\r' && !(at + 1 < size_ && copy[at + 1] == '\n')) {
      lines_.push_back(SpanOf(start, at));
      start = at + 1;
    }
  }
  if (start < size_) lines_.push_back(SpanOf(start, size_));
}

size_t MessageLines::LineAt(size_t offset) const {
  return static_cast<size_t>(std::partition_point(lines_.begin(), lines_.end(),
                                                  [&](const Span& span) { return span.end < offset; }) -
                             lines_.begin());
}

bool MessageLines::AppendComma(size_t line) {
  if (line + 1 >= lines_.size()) return false;
  Span& span = lines_[line];
  if (span.end >= lines_[line + 1].begin) return false;
  text_[span.end++] = ',';
  return true;
}

}  // namespace quorvel

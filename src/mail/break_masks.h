// Where the line breaks of a text are, 64 bytes at a time: one bit per byte, so that cutting a
// message of many megabytes costs a few operations per block and one step per line. Inline, so that
// the cut's loop keeps the masks in registers.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel {

// Bit i stands for byte i of the block.
struct BreakMasks {
  uint64_t cr = 0;
  uint64_t lf = 0;
};

namespace break_bits {

inline constexpr uint64_t kOnes = 0x0101010101010101ull;
inline constexpr uint64_t kHighBits = 0x8080808080808080ull;
inline constexpr uint64_t kLowBits = 0x7f7f7f7f7f7f7f7full;

// Whether one of the eight bytes is below 14, the band that holds CR (13) and LF (10): three
// operations that let most words of a text pass.
inline bool HasByteBelow14(uint64_t word) {
  return ((word - 14 * kOnes) & ~word & kHighBits) != 0;
}

// The high bit of each byte of `word` that equals `byte`, and no other bit.
inline uint64_t BytesEqual(uint64_t word, char byte) {
  const uint64_t zeroWhereEqual = word ^ (static_cast<unsigned char>(byte) * kOnes);
  return ~(((zeroWhereEqual & kLowBits) + kLowBits) | zeroWhereEqual | kLowBits);
}

// Bit j for byte j of the word as memcpy loads it. The multiplication gathers the eight high bits,
// one per byte, into the top byte without carries.
inline uint64_t ByteBits(uint64_t highBits) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  highBits = __builtin_bswap64(highBits);
#endif
  return ((highBits >> 7) * 0x0102040810204080ull) >> 56;
}

}  // namespace break_bits

// The CR and LF bytes of the 64 bytes at `block`, with plain 64-bit arithmetic (the 32-bit module's
// way).
inline BreakMasks BreakMasksPortable(const char* block) {
  BreakMasks masks;
  for (int k = 0; k < 8; ++k) {
    uint64_t word;
    std::memcpy(&word, block + 8 * k, 8);
    if (!break_bits::HasByteBelow14(word)) continue;
    masks.cr |= break_bits::ByteBits(break_bits::BytesEqual(word, '\r')) << (8 * k);
    masks.lf |= break_bits::ByteBits(break_bits::BytesEqual(word, '\n')) << (8 * k);
  }
  return masks;
}

// The same, with the processor's vector instructions where the build has them (SSE2).
inline BreakMasks FindBreakMasks(const char* block) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  BreakMasks masks;
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
    const auto bits = [&](__m128i byte) {
      return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, byte))));
    };
    masks.cr |= bits(cr) << (16 * k);
    masks.lf |= bits(lf) << (16 * k);
  }
  return masks;
#else
  return BreakMasksPortable(block);
#endif
}

}  // namespace quorvel

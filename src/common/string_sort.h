// The stable sort of a list of lines by their upper-cased form, with the lines' former positions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/upper_case.h"

namespace quorvel {

// A growable list of 32-bit integers.
class TIntegerList {
 public:
  void Add(int32_t value) { values_.push_back(value); }
  // The number at `position`, 0 outside the list.
  int32_t Get(int position) const {
    return position >= 0 && position < Count() ? values_[static_cast<size_t>(position)] : 0;
  }
  void Clear() { values_.clear(); }
  int Count() const { return static_cast<int>(values_.size()); }

 private:
  std::vector<int32_t> values_;
};

// Puts `lines` in order of their upper-cased forms, compared byte by byte as unsigned values (a
// prefix first); lines with equal forms keep their order. Descending gives the exact reverse of the
// ascending order, equal lines included. `positions` then holds, for each place of the sorted list,
// the line's position before sorting. O(n log n) comparisons, constant stack depth.
void SortStrings(bool descending, std::vector<std::string>& lines, TIntegerList& positions, UpperCase upper);

// Rebuilds `lines` in the order of `positions`.
void ReorderStrings(std::vector<std::string>& lines, const TIntegerList& positions);

}  // namespace quorvel

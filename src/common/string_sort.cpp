#include "common/string_sort.h"

#include <algorithm>
#include <cstring>

namespace quorvel {
namespace {

// Byte-wise comparison of unsigned values; a prefix sorts first.
bool Before(const std::string& a, const std::string& b) {
  const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  return order != 0 ? order < 0 : a.size() < b.size();
}

// Sorts `order` (indexes into `keys`) stably, merging runs of doubling width: no recursion, so the
// stack stays flat whatever the input.
void StableSortIndexes(std::vector<int32_t>& order, const std::vector<std::string>& keys) {
  std::vector<int32_t> merged(order.size());
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t left = 0; left < order.size(); left += 2 * width) {
      const size_t middle = std::min(left + width, order.size());
      const size_t right = std::min(left + 2 * width, order.size());
      // std::merge takes from the first run on ties, which keeps the sort stable.
      std::merge(order.begin() + left, order.begin() + middle, order.begin() + middle, order.begin() + right,
                 merged.begin() + left, [&](int32_t a, int32_t b) { return Before(keys[a], keys[b]); });
    }
    order.swap(merged);
  }
}

}  // namespace

void SortStrings(bool descending, std::vector<std::string>& lines, TIntegerList& positions, UpperCase upper) {
  std::vector<std::string> keys;
  keys.reserve(lines.size());
  for (const std::string& line : lines)
    keys.push_back(upper(line));

  std::vector<int32_t> order(lines.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int32_t>(i);
  StableSortIndexes(order, keys);
  if (descending) std::reverse(order.begin(), order.end());

  positions.Clear();
  for (int32_t position : order)
    positions.Add(position);
  ReorderStrings(lines, positions);
}

void ReorderStrings(std::vector<std::string>& lines, const TIntegerList& positions) {
  std::vector<std::string> reordered;
  reordered.reserve(static_cast<size_t>(positions.Count()));
  for (int i = 0; i < positions.Count(); ++i)
    reordered.push_back(lines[static_cast<size_t>(positions.Get(i))]);
  lines.swap(reordered);
}

}  // namespace quorvel

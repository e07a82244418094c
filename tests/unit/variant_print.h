// How tests show a Variant in their messages: its kind and its value. Kept out of the module, which
// has no streams to pay for.
#pragma once

#include <ostream>

#include "common/variant.h"

namespace quorvel {

inline void PrintTo(const Variant& value, std::ostream* out) {
  static const char* const kNames[] = {"Empty",    "Null", "Int16",   "Int32", "Single", "Double",
                                       "Currency", "Date", "Boolean", "Byte",  "String"};
  *out << kNames[static_cast<int>(value.Kind())] << "(" << ToText(value) << ")";
}

}  // namespace quorvel

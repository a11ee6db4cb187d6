#pragma once

// How a range setting ("MaxTrackRange", "MinTrackRange") stands against distances: the one
// reading the searches, the labels and the checks all use, so that what the check says of a
// value is what the plugin does with it.

#include <cstdint>

#include "config/JsonFwd.h"

namespace packsentinel {

// A range as the JSON library ranks it against a number of metres: absent, null and booleans
// below every number, texts, lists and objects above, a number as itself (an unsigned one too,
// however large).
struct RangeBound {
  enum class Kind { BelowEveryNumber, Number, AboveEveryNumber } kind;
  double metres;  // for a number

  // Below every distance a label can have: a "MaxTrackRange" so set draws no label.
  bool IsBelowZero() const { return kind == Kind::BelowEveryNumber || (IsNumber() && metres < 0); }
  // Above zero, a "MaxTrackRange" makes a command search once within it.
  bool IsAboveZero() const { return kind == Kind::AboveEveryNumber || (IsNumber() && metres > 0); }
  bool IsNumber() const { return kind == Kind::Number; }
};

// None stands for an absent value.
RangeBound RangeBoundOf(const nlohmann::json* value);

// Distances are whole metres, so a bound comes down to whole metres too, in 64 bits to hold one
// past either end of the 32-bit distances. The least distance not below the bound: past the
// largest when there is none.
std::int64_t LeastMetresNotBelow(const RangeBound& bound);
// The greatest distance not above the bound: below the least when there is none.
std::int64_t MostMetresNotAbove(const RangeBound& bound);

}  // namespace packsentinel

#include "config/Ranges.h"

#include <json.hpp>

namespace packsentinel {

RangeBound RangeBoundOf(const nlohmann::json* value) {
  using Type = nlohmann::json::value_t;
  if (value == nullptr) return {RangeBound::Kind::BelowEveryNumber, 0};
  switch (value->type()) {
    // The library compares an unsigned number with a signed one as if both were signed, which
    // would put 2^63 and above below zero; as a distance it is what it says.
    case Type::number_integer:
    case Type::number_unsigned:
    case Type::number_float:
      return {RangeBound::Kind::Number, value->get<double>()};
    case Type::null:
    case Type::boolean:
      return {RangeBound::Kind::BelowEveryNumber, 0};
    default:
      return {RangeBound::Kind::AboveEveryNumber, 0};
  }
}

}  // namespace packsentinel

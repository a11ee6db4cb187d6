#pragma once

// How a number setting is read.

#include <cstdint>

#include "config/JsonFwd.h"

namespace packsentinel {

// A number setting as a 32-bit integer: a fraction is cut off, true and false read as 1 and 0,
// and a value beyond the 32-bit range is held at the nearer end instead of wrapping. Any other
// type raises the JSON library's type error.
std::int32_t ReadInt32(const nlohmann::json& value);

// The limit a "MaxTrackPerGroup" value grants the group's members: the value as read, never
// below 0. A member of several of the groups gets the highest any of them grants.
std::int32_t GroupLimit(const nlohmann::json& value);

}  // namespace packsentinel

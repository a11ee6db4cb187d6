#pragma once

// How devserver prints events: one JSON object per line, or a line for a person. Floats are
// single-precision values and print in their shortest exact form (at most 9 digits).

#include <string>

#include "framework/Events.h"

namespace devserver {

enum class EventOutput { Text, JsonLines, None };

std::string ToJsonLine(const framework::Event& event);
std::string ToText(const framework::Event& event);

}  // namespace devserver

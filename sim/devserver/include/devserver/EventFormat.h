#pragma once

// How devserver prints events: one JSON object per line, or a line for a person. Floats are
// single-precision values and print in their shortest exact form (at most 9 digits); one that
// is not finite prints as null, as JSON has no such number.

#include <cstdio>
#include <string>

#include "framework/Events.h"

namespace devserver {

enum class EventOutput { Text, JsonLines, None };

std::string ToJsonLine(const framework::Event& event);
std::string ToText(const framework::Event& event);

// Prints the event as one line and flushes it, so that an abrupt end of the process loses no
// event printed before. output is Text or JsonLines.
void WriteEventLine(std::FILE* out, EventOutput output, const framework::Event& event);

}  // namespace devserver

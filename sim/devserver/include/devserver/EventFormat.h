#pragma once

// How devserver prints events: one JSON object per line, or a line for a person. Floats are
// single-precision values and print in their shortest exact form (at most 9 digits); one that
// is not finite prints as null, as JSON has no such number. For a person, colours print in one
// form whichever the game sent (ColourText) and a text of several lines prints them indented
// below the event's line; on a terminal, a text sent in a colour shows in it.

#include <API/UE/Math/Vector.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "framework/Events.h"
#include "game/Game.h"

namespace devserver {

enum class EventOutput { Text, JsonLines, None };

std::string ToJsonLine(const framework::Event& event);
// registered or unregistered: what the command registry reports.
bool IsRegistryEvent(const framework::Event& event);
// terminalColour: the text of an event with a colour is drawn in it, in ANSI 24-bit colour.
std::string ToText(const framework::Event& event, bool terminalColour = false);
// A line of text output that is not an event, aligned with the events: "[  21] labels  body".
std::string TextLine(std::uint64_t tick, std::string_view kind, std::string_view body);

// A colour as a person reads it: #RRGGBB, or #RRGGBBAA when not opaque.
std::string ColourText(FColor colour);

// Prints the event as one line and flushes it, so that an abrupt end of the process loses no
// event printed before; false, errno telling why, when the line was not written whole. output is
// Text or JsonLines.
bool WriteEventLine(std::FILE* out, EventOutput output, const framework::Event& event,
                    bool terminalColour = false);
// The same for a line of text output that is not an event.
bool WriteTextLine(std::FILE* out, std::string line);

// A refresh as text output sums it up for one player, unless asked for each label:
// [  21] labels            to="alice" 3 labels: 2 wild #FFFF00, 1 mate #35C211
std::string RefreshLine(std::uint64_t tick, std::string_view receiver, std::string_view summary);

}  // namespace devserver

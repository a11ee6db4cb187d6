#pragma once

// Text that players type or that the game holds, chosen to break whoever reads it: nothing,
// huge words, letters beyond ASCII and bytes that are not UTF-8, format and placeholder
// braces, control characters, runs of spaces, numbers no level holds.

#include <random>
#include <span>
#include <string>

namespace soak {

// What follows a command word: a few such words, with the creature names given mixed in so
// that some lines do find something.
std::string HostileArguments(std::mt19937& random, std::span<const std::string> names);

// A command word as a player may type it: in any letter case, sometimes with spaces before.
std::string TypedWord(std::mt19937& random, const std::string& word);

// One scenario word (no spaces, no quotes) that is still hostile, for player names.
std::string HostileNameSuffix(std::mt19937& random);

// A creature's descriptive name: real ones and hostile ones (no double quotes).
std::string HostileCreatureName(std::mt19937& random);

}  // namespace soak

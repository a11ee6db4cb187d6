// Linked into a program that runs the plugin's code without a game of its own, such as
// packsentinel-check: the game's names, its allocator's among them, are published before main,
// so that texts can be made and formatted as in the game.

#include "Names.h"

namespace {

[[maybe_unused]] const bool published = (game::RegisterNames(), true);

}  // namespace

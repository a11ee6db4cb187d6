#pragma once

// Walking the actors a world query returned. Testing an actor waits mostly for its memory, and
// the actors lie scattered over the game's objects, so each is loaded a few steps before its test.

#include <cstddef>
#include <span>
#include <vector>

#include "host/GameTypes.h"
#include "host/Prefetch.h"

namespace packsentinel {

// Far enough ahead for the load to arrive by the test, near enough not to evict what is in use.
inline constexpr std::size_t kActorLookAhead = 8;

// Calls visit(actor) for each actor in order until it returns false.
template <typename Visit>
void VisitActors(std::span<AActor* const> actors, Visit&& visit) {
  for (std::size_t i = 0; i < actors.size(); ++i) {
    if (i + kActorLookAhead < actors.size()) host::PrefetchObject(actors[i + kActorLookAhead]);
    if (!visit(actors[i])) return;
  }
}

// The actors of ring that smaller did not return, in ring order, into fresh. A larger ring
// returns the smaller one's actors again, in the same order, among those it adds; one that
// comes back out of that order is taken as new.
void NewActorsOfRing(std::span<AActor* const> ring, std::span<AActor* const> smaller,
                     std::vector<AActor*>& fresh);

}  // namespace packsentinel

#include "commands/ActorWalk.h"

namespace packsentinel {

void NewActorsOfRing(std::span<AActor* const> ring, std::span<AActor* const> smaller,
                     std::vector<AActor*>& fresh) {
  fresh.clear();
  fresh.reserve(ring.size());  // one allocation a ring at most, not one for each doubling
  std::size_t seen = 0;
  for (AActor* actor : ring) {
    if (seen < smaller.size() && smaller[seen] == actor) {
      ++seen;
      continue;
    }
    fresh.push_back(actor);
  }
}

}  // namespace packsentinel

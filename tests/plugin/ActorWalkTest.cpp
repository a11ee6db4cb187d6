// Walking a query's actors: which actors a larger ring adds, and a walk that loads actors ahead
// of its visits yet visits each in order, up to where the visitor stops it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "commands/ActorWalk.h"

namespace {

using packsentinel::kActorLookAhead;
using packsentinel::NewActorsOfRing;
using packsentinel::VisitActors;

// Distinct addresses where actors could be; loading ahead touches nothing else.
alignas(64) char storage[3 * kActorLookAhead][128];
AActor* Actor(std::size_t i) { return reinterpret_cast<AActor*>(storage[i]); }

std::vector<AActor*> Actors(std::initializer_list<int> indices) {
  std::vector<AActor*> actors;
  for (const int i : indices)
    actors.push_back(i < 0 ? nullptr : Actor(static_cast<std::size_t>(i)));
  return actors;
}

TEST(ActorWalkTest, ARingAddsWhatTheSmallerDidNotReturnInOrder) {
  const struct {
    std::vector<AActor*> ring, smaller, added;
  } cases[] = {
      {Actors({0, 1, 2}), Actors({}), Actors({0, 1, 2})},
      {Actors({0, 1, 2, 3}), Actors({1, 3}), Actors({0, 2})},
      {Actors({0, 1, 2}), Actors({0, 1, 2}), Actors({})},
      // An actor ahead of its place in the smaller ring's order counts as new.
      {Actors({2, 1, 0}), Actors({1, 2}), Actors({2, 0})},
      // Returned twice in one ring: the second time is not the smaller ring's.
      {Actors({0, 0, 1}), Actors({0}), Actors({0, 1})},
      // Empty entries are actors like any other.
      {Actors({-1, 0, -1}), Actors({-1}), Actors({0, -1})},
      {Actors({}), Actors({0}), Actors({})},
  };
  std::vector<AActor*> added = Actors({5});  // what an earlier ring left
  for (const auto& c : cases) {
    NewActorsOfRing(c.ring, c.smaller, added);
    EXPECT_EQ(added, c.added);
  }
}

// Around the look-ahead's reach, with empty entries among the actors.
TEST(ActorWalkTest, VisitsInOrderUntilTheVisitorStops) {
  for (std::size_t count = 0; count <= 2 * kActorLookAhead + 1; ++count) {
    // Sized at once, so that its capacity ends where it does: a look-ahead past the end reads
    // beyond the block, which the address sanitizer reports.
    std::vector<AActor*> actors(count);
    for (std::size_t i = 0; i < count; ++i) actors[i] = i % 5 == 3 ? nullptr : Actor(i);
    for (std::size_t stopAt = 0; stopAt <= count; ++stopAt) {
      std::vector<AActor*> visited;
      VisitActors(actors, [&](AActor* actor) {
        visited.push_back(actor);
        return visited.size() <= stopAt;
      });
      const std::size_t expected = std::min(count, stopAt + 1);
      EXPECT_EQ(visited, std::vector<AActor*>(actors.begin(), actors.begin() + expected))
          << count << " actors, stop after " << stopAt;
    }
  }
}

}  // namespace

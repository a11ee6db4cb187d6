#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "game/SpatialIndex.h"

namespace {

using game::SpatialIndex;

bool Within(const FVector& at, const FVector& centre, float radius) {
  const double dx = static_cast<double>(at.X) - static_cast<double>(centre.X);
  const double dy = static_cast<double>(at.Y) - static_cast<double>(centre.Y);
  const double dz = static_cast<double>(at.Z) - static_cast<double>(centre.Z);
  return dx * dx + dy * dy + dz * dz <= static_cast<double>(radius) * static_cast<double>(radius);
}

// Keeps every insertion as a record in insertion order and answers queries by scanning all of
// them, so it is trivially right about both membership and order.
class BruteForceWorld {
 public:
  void Insert(void* item, const FVector& at) {
    live_[item] = records_.size();
    records_.push_back({item, at, true});
  }
  void Move(void* item, const FVector& to) { records_[live_.at(item)].at = to; }
  void Remove(void* item) {
    records_[live_.at(item)].present = false;
    live_.erase(item);
  }
  bool Contains(void* item) const { return live_.contains(item); }
  std::size_t Size() const { return live_.size(); }

  std::vector<void*> Query(const FVector& centre, float radius) const {
    std::vector<void*> hits;
    if (radius < 0.f) return hits;
    for (const Record& record : records_) {
      if (record.present && Within(record.at, centre, radius)) hits.push_back(record.item);
    }
    return hits;
  }

  std::vector<void*> LiveItems() const {
    std::vector<void*> items;
    for (const Record& record : records_) {
      if (record.present) items.push_back(record.item);
    }
    return items;
  }
  FVector PositionOf(void* item) const { return records_[live_.at(item)].at; }

 private:
  struct Record {
    void* item;
    FVector at;
    bool present;
  };
  std::vector<Record> records_;
  std::unordered_map<void*, std::size_t> live_;
};

std::string Describe(const FVector& centre, float radius) {
  std::ostringstream text;
  text.precision(9);
  text << "centre (" << centre.X << ", " << centre.Y << ", " << centre.Z << ") radius " << radius;
  return text.str();
}

void ExpectSameAnswer(const SpatialIndex& index, const BruteForceWorld& reference,
                      const FVector& centre, float radius) {
  std::vector<void*> got;
  index.Query(centre, radius, got);
  ASSERT_EQ(got, reference.Query(centre, radius)) << Describe(centre, radius);
}

// Drives an index and the brute-force reference through the same random history.
class RandomWorld {
 public:
  RandomWorld(std::uint32_t seed, float cellSize, std::size_t itemCount)
      : rng_(seed), cellSize_(cellSize), index_(cellSize), tokens_(itemCount * 2) {}

  void Populate(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Insert(NewItem(), RandomPosition());
  }

  void Churn() {
    std::vector<void*> live = reference_.LiveItems();
    std::shuffle(live.begin(), live.end(), rng_);
    const std::size_t moves = live.size() / 5;
    const std::size_t removals = live.size() / 10;
    for (std::size_t i = 0; i < moves; ++i) {
      const FVector to = Chance(0.5) ? Jitter(reference_.PositionOf(live[i])) : RandomPosition();
      index_.Move(live[i], to);
      reference_.Move(live[i], to);
    }
    // Half of the removed items were just moved.
    const auto firstRemoved = live.begin() + static_cast<std::ptrdiff_t>(moves / 2);
    std::vector<void*> removed(firstRemoved, firstRemoved + static_cast<std::ptrdiff_t>(removals));
    for (void* item : removed) {
      index_.Remove(item);
      reference_.Remove(item);
    }
    for (std::size_t i = 0; i < removed.size() / 2; ++i) Insert(removed[i], RandomPosition());
    Populate(removals / 4);
  }

  void CheckMembership() {
    ASSERT_EQ(index_.Size(), reference_.Size());
    for (int& token : tokens_) ASSERT_EQ(index_.Contains(&token), reference_.Contains(&token));
  }

  void CheckQueries(int count) {
    for (int i = 0; i < count; ++i) {
      const FVector centre = RandomCentre();
      for (float radius : RandomRadii(centre)) {
        ExpectSameAnswer(index_, reference_, centre, radius);
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
  }

 private:
  void Insert(void* item, const FVector& at) {
    index_.Insert(item, at);
    reference_.Insert(item, at);
  }

  void* NewItem() { return &tokens_.at(nextToken_++); }

  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  float Uniform(double lo, double hi) {
    return static_cast<float>(std::uniform_real_distribution<double>(lo, hi)(rng_));
  }
  // A coordinate exactly on a cell edge, where rounding in the cell arithmetic matters most.
  float OnCellEdge(double lo, double hi) {
    const auto first = static_cast<int>(std::ceil(lo / cellSize_));
    const auto last = static_cast<int>(std::floor(hi / cellSize_));
    return static_cast<float>(std::uniform_int_distribution<int>(first, last)(rng_)) * cellSize_;
  }
  float WorldCoordinate() {
    return Chance(0.1) ? OnCellEdge(-400000, 400000) : Uniform(-400000, 400000);
  }

  // Now and then repeats the previous position, so some items share one exactly.
  FVector RandomPosition() {
    if (!Chance(0.05)) lastPosition_ = {WorldCoordinate(), WorldCoordinate(), Uniform(-3000, 3000)};
    return lastPosition_;
  }

  FVector Jitter(const FVector& at) {
    return {at.X + Uniform(-50, 50), at.Y + Uniform(-50, 50), at.Z + Uniform(-50, 50)};
  }

  void* AnyLiveItem() {
    const std::vector<void*> live = reference_.LiveItems();
    return live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(rng_)];
  }

  FVector RandomCentre() {
    switch (std::uniform_int_distribution<int>(0, 3)(rng_)) {
      case 0:
        return {WorldCoordinate(), WorldCoordinate(), Uniform(-3000, 3000)};
      case 1:
        return reference_.PositionOf(AnyLiveItem());
      case 2: {  // beyond the occupied area
        const float far = Uniform(500000, 2000000) * (Chance(0.5) ? 1.f : -1.f);
        return Chance(0.5) ? FVector{far, WorldCoordinate(), 0.f}
                           : FVector{WorldCoordinate(), far, Uniform(-3000, 3000)};
      }
      default:
        return {OnCellEdge(-400000, 400000), OnCellEdge(-400000, 400000), 0.f};
    }
  }

  std::vector<float> RandomRadii(const FVector& centre) {
    switch (std::uniform_int_distribution<int>(0, 4)(rng_)) {
      case 0:
        return {Uniform(0, 2000000)};
      case 1:
        return {static_cast<float>(std::exp(Uniform(0, std::log(2000000.0))))};
      case 2: {  // an item sits exactly on, just inside or just outside the sphere
        const FVector at = reference_.PositionOf(AnyLiveItem());
        const double dx = static_cast<double>(at.X) - centre.X;
        const double dy = static_cast<double>(at.Y) - centre.Y;
        const double dz = static_cast<double>(at.Z) - centre.Z;
        const auto exact = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
        return {exact, std::nextafter(exact, 0.f), std::nextafter(exact, 1e30f)};
      }
      case 3:  // the sphere's extent ends on cell edges
        return {cellSize_ * static_cast<float>(std::uniform_int_distribution<int>(1, 50)(rng_))};
      default:
        return {0.f};
    }
  }

  std::mt19937 rng_;
  float cellSize_;
  SpatialIndex index_;
  BruteForceWorld reference_;
  std::vector<int> tokens_;
  std::size_t nextToken_ = 0;
  FVector lastPosition_;
};

struct RandomWorldCase {
  std::uint32_t seed;
  float cellSize;
  std::size_t itemCount;
};

TEST(SpatialIndexTest, AgreesWithBruteForceOnRandomWorlds) {
  const RandomWorldCase cases[] = {
      {1, 10000.f, 5000},  {2, 10000.f, 3000}, {3, 2500.f, 4000},
      {4, 77777.7f, 3000}, {5, 333.f, 2000},   {6, 1000000.f, 3000},
  };
  for (const RandomWorldCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "seed " << c.seed << " cell size " << c.cellSize);
    RandomWorld world(c.seed, c.cellSize, c.itemCount);
    world.Populate(c.itemCount);
    ASSERT_NO_FATAL_FAILURE(world.CheckMembership());
    ASSERT_NO_FATAL_FAILURE(world.CheckQueries(150));
    for (int round = 0; round < 3; ++round) {
      world.Churn();
      ASSERT_NO_FATAL_FAILURE(world.CheckMembership());
      ASSERT_NO_FATAL_FAILURE(world.CheckQueries(150));
    }
  }
}

TEST(SpatialIndexTest, AgreesWithBruteForceAtExtremeCoordinates) {
  constexpr float kMax = std::numeric_limits<float>::max();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kTiny = std::numeric_limits<float>::denorm_min();
  const float coordinates[] = {0.f,   -0.f,   kTiny, -kTiny, 10000.f, -10000.f, 3e9f, -3e9f,
                               1e30f, -1e30f, kMax,  -kMax,  kInf,    -kInf,    kNaN};
  const float radii[] = {0.f, kTiny, 1.f, 10000.f, 1e9f, 1e30f, kMax, kInf, -kTiny, kNaN};

  // Without the infinite and NaN positions, the largest radii hold every item, which a query
  // may then answer without testing each.
  for (const bool finiteOnly : {false, true}) {
    for (float cellSize : {10000.f, 1.f}) {
      SCOPED_TRACE(::testing::Message()
                   << "cell size " << cellSize << " finite only " << finiteOnly);
      SpatialIndex index(cellSize);
      BruteForceWorld reference;
      std::vector<int> tokens(std::size(coordinates) * std::size(coordinates));
      std::size_t next = 0;
      for (float x : coordinates) {
        for (float y : coordinates) {
          if (finiteOnly && !(std::isfinite(x) && std::isfinite(y))) continue;
          const FVector at{x, y, next % 2 == 0 ? 0.f : -x};
          index.Insert(&tokens[next], at);
          reference.Insert(&tokens[next], at);
          ++next;
        }
      }
      for (float x : coordinates) {
        for (float y : coordinates) {
          for (float radius : radii) {
            ASSERT_NO_FATAL_FAILURE(ExpectSameAnswer(index, reference, {x, y, 0.f}, radius));
          }
        }
      }
    }
  }
}

// Items spaced a few hundred sequence numbers apart, over several multiples of 2^16, so one
// result mixes sequence numbers that differ in every low byte.
TEST(SpatialIndexTest, OrdersLongHistories) {
  constexpr std::size_t kKept = 1000;
  constexpr int kSequencesBetween = 250;
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> across(-400000.f, 400000.f);
  const auto randomPosition = [&] { return FVector{across(rng), across(rng), 0.f}; };

  SpatialIndex index;
  BruteForceWorld reference;
  std::vector<int> kept(kKept);
  int shortLived = 0;
  for (int& item : kept) {
    const FVector at = randomPosition();
    index.Insert(&item, at);
    reference.Insert(&item, at);
    for (int i = 0; i < kSequencesBetween; ++i) {
      index.Insert(&shortLived, at);
      index.Remove(&shortLived);
      reference.Insert(&shortLived, at);
      reference.Remove(&shortLived);
    }
  }
  for (float radius : {10240000.f, 300000.f, 100000.f}) {
    for (int i = 0; i < 20; ++i) {
      ASSERT_NO_FATAL_FAILURE(ExpectSameAnswer(index, reference, randomPosition(), radius));
    }
  }
}

// Most items leave, in random order; those left then move, some leave and new ones come. Each
// stage is checked with radii wide enough to visit every item and small enough to use the grid.
TEST(SpatialIndexTest, KeepsAnsweringWhileMostItemsLeave) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> across(-400000.f, 400000.f);
  const auto randomPosition = [&] { return FVector{across(rng), across(rng), 0.f}; };
  SpatialIndex index;
  BruteForceWorld reference;
  const auto checkQueries = [&] {
    for (float radius : {10240000.f, 100000.f, 30000.f, 10000.f}) {
      for (int i = 0; i < 20; ++i) {
        ASSERT_NO_FATAL_FAILURE(ExpectSameAnswer(index, reference, randomPosition(), radius));
      }
    }
  };

  std::vector<int> tokens(5000);
  std::vector<void*> present;
  for (std::size_t i = 0; i < 4000; ++i) present.push_back(&tokens[i]);
  for (void* item : present) {
    const FVector at = randomPosition();
    index.Insert(item, at);
    reference.Insert(item, at);
  }
  std::shuffle(present.begin(), present.end(), rng);
  while (present.size() > 1000) {
    index.Remove(present.back());
    reference.Remove(present.back());
    present.pop_back();
  }
  ASSERT_NO_FATAL_FAILURE(checkQueries());

  for (std::size_t i = 0; i < 500; ++i) {
    const FVector to = randomPosition();
    index.Move(present[i], to);
    reference.Move(present[i], to);
  }
  for (std::size_t i = 250; i < 750; ++i) {
    index.Remove(present[i]);
    reference.Remove(present[i]);
  }
  for (std::size_t i = 4000; i < tokens.size(); ++i) {
    const FVector at = randomPosition();
    index.Insert(&tokens[i], at);
    reference.Insert(&tokens[i], at);
  }
  ASSERT_EQ(index.Size(), reference.Size());
  ASSERT_NO_FATAL_FAILURE(checkQueries());
}

// Items a, b, c are tokens 0, 1, 2; the world is small enough for one query to see everything.
struct OrderingCase {
  const char* name;
  void (*history)(SpatialIndex& index, void* a, void* b, void* c);
  std::vector<int> expected;
};

TEST(SpatialIndexTest, ResultsFollowInsertionSequence) {
  const OrderingCase cases[] = {
      {"plain insertion order, regardless of position",
       [](SpatialIndex& index, void* a, void* b, void* c) {
         index.Insert(a, {90000.f, 0.f, 0.f});
         index.Insert(b, {-90000.f, 0.f, 0.f});
         index.Insert(c, {0.f, 0.f, 0.f});
       },
       {0, 1, 2}},
      {"removed and re-inserted item goes last",
       [](SpatialIndex& index, void* a, void* b, void* c) {
         index.Insert(a, {0.f, 0.f, 0.f});
         index.Insert(b, {0.f, 0.f, 0.f});
         index.Insert(c, {0.f, 0.f, 0.f});
         index.Remove(a);
         index.Insert(a, {0.f, 0.f, 0.f});
       },
       {1, 2, 0}},
      {"moving into another cell keeps the sequence",
       [](SpatialIndex& index, void* a, void* b, void* c) {
         index.Insert(a, {90000.f, 90000.f, 0.f});
         index.Insert(b, {0.f, 0.f, 0.f});
         index.Insert(c, {-90000.f, 0.f, 0.f});
         index.Move(a, {1.f, 1.f, 0.f});
         index.Move(c, {90000.f, 90000.f, 0.f});
       },
       {0, 1, 2}},
      {"removed item is gone",
       [](SpatialIndex& index, void* a, void* b, void* c) {
         index.Insert(a, {0.f, 0.f, 0.f});
         index.Insert(b, {0.f, 0.f, 0.f});
         index.Insert(c, {0.f, 0.f, 0.f});
         index.Remove(b);
       },
       {0, 2}},
  };
  for (const OrderingCase& c : cases) {
    SCOPED_TRACE(c.name);
    int tokens[3];
    SpatialIndex index;
    c.history(index, &tokens[0], &tokens[1], &tokens[2]);
    std::vector<void*> expected;
    for (int i : c.expected) expected.push_back(&tokens[i]);
    std::vector<void*> got;
    index.Query({0.f, 0.f, 0.f}, 1000000.f, got);
    EXPECT_EQ(got, expected);
  }
}

struct SimpleQueryCase {
  const char* name;
  std::vector<FVector> items;
  FVector centre;
  float radius;
  std::vector<int> expected;
};

TEST(SpatialIndexTest, SimpleQueries) {
  const FVector origin{0.f, 0.f, 0.f};
  const FVector nearOrigin{std::nextafter(0.f, 1.f), 0.f, 0.f};
  const FVector point{1234.5f, -678.25f, 90.f};
  const SimpleQueryCase cases[] = {
      {"empty index", {}, origin, 1000.f, {}},
      {"negative radius", {origin, point}, origin, -1.f, {}},
      {"NaN radius", {origin, point}, origin, std::numeric_limits<float>::quiet_NaN(), {}},
      {"zero radius hits only the exact centre", {nearOrigin, point, origin}, point, 0.f, {1}},
      {"zero radius at the origin", {nearOrigin, origin}, origin, 0.f, {1}},
      {"negative zero radius acts as zero", {origin, point}, point, -0.f, {1}},
      {"Z counts towards the distance",
       {{0.f, 0.f, 501.f}, {0.f, 0.f, -500.f}},
       origin,
       500.f,
       {1}},
      {"radius exactly reaching an item", {{3.f, 4.f, 12.f}, {3.f, 4.f, 12.5f}}, origin, 13.f, {0}},
      // A radius that covers the items on one side must not be taken as covering them all.
      {"farthest item on the low side", {{1.f, 0.f, 0.f}, {-100.f, 0.f, 0.f}}, origin, 99.f, {0}},
      {"farthest item on the high side", {{-1.f, 0.f, 0.f}, {0.f, 100.f, 0.f}}, origin, 99.f, {0}},
      {"radius reaching the farthest item",
       {{-1.f, 0.f, 0.f}, {0.f, 0.f, -100.f}},
       origin,
       100.f,
       {0, 1}},
      {"an item at infinity stays out of a finite whole-map radius",
       {{1.f, 0.f, 0.f}, {std::numeric_limits<float>::infinity(), 0.f, 0.f}},
       origin,
       1e30f,
       {0}},
  };
  for (const SimpleQueryCase& c : cases) {
    SCOPED_TRACE(c.name);
    SpatialIndex index;
    std::vector<int> tokens(c.items.size());
    for (std::size_t i = 0; i < c.items.size(); ++i) index.Insert(&tokens[i], c.items[i]);
    std::vector<void*> expected;
    for (int i : c.expected) expected.push_back(&tokens[i]);
    std::vector<void*> got;
    index.Query(c.centre, c.radius, got);
    EXPECT_EQ(got, expected);
  }
}

TEST(SpatialIndexTest, QueryAppendsToExistingOutput) {
  int earlier = 0;
  int item = 0;
  SpatialIndex index;
  index.Insert(&item, {5.f, 5.f, 5.f});
  std::vector<void*> out{&earlier};
  index.Query({0.f, 0.f, 0.f}, 100.f, out);
  EXPECT_EQ(out, (std::vector<void*>{&earlier, &item}));
}

}  // namespace

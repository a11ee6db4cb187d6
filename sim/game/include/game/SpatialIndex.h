#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "ArkApi/Vector.h"

namespace game {

// Points (actors) in 3-D space, queried by sphere. Results come back in the order the
// items were inserted (their spawn order), which is what the game's overlap query promises.
//
// A uniform grid of square X/Y cells, only non-empty cells stored; Z is checked per item.
// Insert of an item already present, and Move/Remove of an absent one, are caller bugs:
// they assert in debug builds and are ignored otherwise.
class SpatialIndex {
 public:
  // cellSize must be positive and finite.
  explicit SpatialIndex(float cellSize = 10000.f);

  void Insert(void* item, const FVector& at);  // gets the next insertion sequence number
  void Move(void* item, const FVector& to);    // keeps the item's sequence number
  void Remove(void* item);
  bool Contains(void* item) const;
  std::size_t Size() const;

  // Appends every item whose distance to centre is <= radius, ordered by insertion sequence.
  // Distance test, exactly: with dx,dy,dz computed in double,
  // dx*dx+dy*dy+dz*dz <= double(radius)*double(radius). A negative radius returns nothing.
  void Query(const FVector& centre, float radius, std::vector<void*>& out) const;

 private:
  using CellKey = std::uint64_t;

  struct Entry {
    void* item;
    FVector at;
    std::uint64_t sequence;
  };
  struct Location {
    CellKey cell;
    std::size_t slot;
  };
  struct CellRange {
    std::int64_t minX, maxX, minY, maxY;
    bool Holds(CellKey key) const;
    double CellCount() const;
  };

  std::int64_t CellCoordinate(double v) const;
  CellKey CellOf(const FVector& at) const;
  CellRange CellsCovering(double cx, double cy, double radius) const;
  void Attach(Location& location, CellKey cell, const Entry& entry);
  Entry Detach(const Location& location);

  double cellSize_;
  std::uint64_t nextSequence_ = 0;
  std::unordered_map<CellKey, std::vector<Entry>> cells_;
  std::unordered_map<void*, Location> locations_;
};

}  // namespace game

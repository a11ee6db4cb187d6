#pragma once

#include <API/UE/Math/Vector.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

namespace game {

// Points (actors) in 3-D space, queried by sphere. Results come back in the order the
// items were inserted (their spawn order), which is what the game's overlap query promises.
//
// The items are kept in insertion order, and also in a uniform grid of square X/Y cells (only
// non-empty cells stored; Z is checked per item). A query that would look at a sizeable share of
// the items walks them in order; a small one finds its few candidates in the grid and sorts them.
// Insert of an item already present, and Move/Remove of an absent one, are caller bugs:
// they assert in debug builds and are ignored otherwise.
class SpatialIndex {
 public:
  // cellSize must be positive and finite.
  explicit SpatialIndex(float cellSize = 10000.f);

  void Insert(void* item, const FVector& at);  // goes after every item present
  void Move(void* item, const FVector& to);    // keeps the item's place in the order
  void Remove(void* item);
  bool Contains(void* item) const;
  std::size_t Size() const;

  // Calls visit(item) for every item whose distance to centre is <= radius, in insertion order.
  // Distance test, exactly: with dx,dy,dz computed in double,
  // dx*dx+dy*dy+dz*dz <= double(radius)*double(radius). A negative radius visits nothing.
  template <typename Visit>
  void ForEachWithin(const FVector& centre, float radius, Visit&& visit) const {
    const std::optional<Sphere> sphere = SphereOf(centre, radius);
    if (!sphere) return;
    if (WalkIsCheaper(*sphere)) {
      if (HoldsAll(*sphere)) {
        ForEach(visit);
        return;
      }
      for (const Entry& entry : inOrder_) {
        if (sphere->Holds(entry.at)) visit(entry.item);
      }
      return;
    }
    for (const std::size_t slot : SlotsWithin(*sphere)) visit(inOrder_[slot].item);
  }

  // Whether a query of this sphere walks every item rather than the grid: then it may find a
  // large share of them.
  bool Walks(const FVector& centre, float radius) const {
    const std::optional<Sphere> sphere = SphereOf(centre, radius);
    return sphere && WalkIsCheaper(*sphere);
  }

  // Whether every item lies within the sphere: then ForEach visits what ForEachWithin would.
  bool HoldsAll(const FVector& centre, float radius) const {
    const std::optional<Sphere> sphere = SphereOf(centre, radius);
    return sphere && HoldsAll(*sphere);
  }

  // Calls visit(item) for every item, in insertion order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const Entry& entry : inOrder_) {
      if (entry.item != nullptr) visit(entry.item);
    }
  }

  // ForEachWithin, appending the items to out.
  void Query(const FVector& centre, float radius, std::vector<void*>& out) const;

 private:
  using CellKey = std::uint64_t;

  struct Sphere {
    double x, y, z, radius, limit;
    bool Holds(const FVector& at) const {
      const double dx = static_cast<double>(at.X) - x;
      const double dy = static_cast<double>(at.Y) - y;
      const double dz = static_cast<double>(at.Z) - z;
      return dx * dx + dy * dy + dz * dz <= limit;
    }
  };
  // An item's place in inOrder_. A removed item leaves a hole there, with a NaN position,
  // which no sphere holds, so a walk needs no separate check.
  struct Entry {
    void* item;
    FVector at;
  };
  struct CellEntry {
    FVector at;
    std::size_t slot;  // in inOrder_
  };
  struct Location {
    CellKey cell;
    std::vector<CellEntry>* cellEntries;  // stays put as long as the cell is stored
    std::size_t indexInCell;
    std::size_t slot;
  };
  struct CellRange {
    std::int64_t minX, maxX, minY, maxY;
    double CellCount() const;
  };

  // None when the query can match nothing.
  static std::optional<Sphere> SphereOf(const FVector& centre, float radius);
  bool WalkIsCheaper(const Sphere& sphere) const;
  // Whether the sphere holds every item, decided by the test an item gets applied to the corner
  // of the items' bounds farthest from the centre: rounding is monotonic, so no item lies
  // farther. A whole-map query then needs no test per item.
  bool HoldsAll(const Sphere& sphere) const;
  // Bookkeeping of the bounds as items come, move and go.
  void Include(const FVector& at);
  void Widen(const FVector& at);
  void Forget(const FVector& at);
  // The slots of the items within the sphere, ascending, found through the grid.
  std::vector<std::size_t> SlotsWithin(const Sphere& sphere) const;

  std::int64_t CellCoordinate(double v) const;
  CellKey CellOf(const FVector& at) const;
  CellRange CellsCovering(const Sphere& sphere) const;
  void Attach(Location& location, CellKey cell, const FVector& at);
  void Detach(const Location& location);
  // Closes the holes; the items keep their order.
  void Compact();

  double cellSize_;
  std::vector<Entry> inOrder_;
  // The location of each slot's item, in locations_; none for a hole.
  std::vector<Location*> locationOfSlot_;
  std::size_t holes_ = 0;
  // Bounds of every finite position an item has had since the last compaction (they never
  // shrink in between; empty, they are inverted), and how many items sit at a position that is
  // not finite.
  static constexpr float kInf = std::numeric_limits<float>::infinity();
  FVector low_{kInf, kInf, kInf}, high_{-kInf, -kInf, -kInf};
  std::size_t notFinite_ = 0;
  std::unordered_map<CellKey, std::vector<CellEntry>> cells_;
  std::unordered_map<void*, Location> locations_;
};

}  // namespace game

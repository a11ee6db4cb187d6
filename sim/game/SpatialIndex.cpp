#include "game/SpatialIndex.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <limits>
#include <numeric>

namespace game {
namespace {

// Cell coordinates are clamped to 32 bits so any float position, however extreme, maps to a
// cell, and two of them pack into one key.
constexpr double kMinCell = std::numeric_limits<std::int32_t>::min();
constexpr double kMaxCell = std::numeric_limits<std::int32_t>::max();

// An item met through the grid (cells looked up, hits sorted) costs several times one tested in
// a walk, so a query expected to meet this share of the stored slots walks them all instead.
// Any share up to a half also makes a query covering as many cells as are stored walk, as
// holes never outnumber items.
constexpr double kWalkShare = 0.1;

std::uint64_t PackKey(std::int64_t x, std::int64_t y) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
         static_cast<std::uint32_t>(y);
}

// Big results would spend most of their time in a comparison sort; slots are dense integers,
// so a byte-wise radix sort over only the bytes that differ needs a pass or three instead.
void SortSlots(std::vector<std::size_t>& slots) {
  constexpr std::size_t kRadixWorthwhile = 256;
  if (slots.size() < kRadixWorthwhile) {
    std::sort(slots.begin(), slots.end());
    return;
  }
  std::size_t differingBits = 0;
  for (const std::size_t slot : slots) differingBits |= slot ^ slots.front();
  std::vector<std::size_t> scratch(slots.size());
  for (int shift = 0; shift < std::numeric_limits<std::size_t>::digits; shift += 8) {
    if (((differingBits >> shift) & 0xFF) == 0) continue;
    std::array<std::size_t, 257> offsets{};
    for (const std::size_t slot : slots) ++offsets[((slot >> shift) & 0xFF) + 1];
    std::partial_sum(offsets.begin(), offsets.end(), offsets.begin());
    for (const std::size_t slot : slots) scratch[offsets[(slot >> shift) & 0xFF]++] = slot;
    slots.swap(scratch);
  }
}

bool IsFinite(const FVector& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

}  // namespace

SpatialIndex::SpatialIndex(float cellSize) : cellSize_(cellSize) {
  assert(cellSize > 0.f && std::isfinite(cellSize));
}

double SpatialIndex::CellRange::CellCount() const {
  return static_cast<double>(maxX - minX + 1) * static_cast<double>(maxY - minY + 1);
}

std::int64_t SpatialIndex::CellCoordinate(double v) const {
  const double cell = std::floor(v / cellSize_);
  if (!(cell >= kMinCell)) return static_cast<std::int64_t>(kMinCell);  // also NaN
  if (cell > kMaxCell) return static_cast<std::int64_t>(kMaxCell);
  return static_cast<std::int64_t>(cell);
}

SpatialIndex::CellKey SpatialIndex::CellOf(const FVector& at) const {
  return PackKey(CellCoordinate(at.X), CellCoordinate(at.Y));
}

SpatialIndex::CellRange SpatialIndex::CellsCovering(const Sphere& sphere) const {
  // The distance test can accept an item a rounding error beyond the radius on one axis; the
  // slack keeps such an item's cell inside the range.
  const double slackX = (std::abs(sphere.x) + sphere.radius) * 1e-9;
  const double slackY = (std::abs(sphere.y) + sphere.radius) * 1e-9;
  return {CellCoordinate(sphere.x - sphere.radius - slackX),
          CellCoordinate(sphere.x + sphere.radius + slackX),
          CellCoordinate(sphere.y - sphere.radius - slackY),
          CellCoordinate(sphere.y + sphere.radius + slackY)};
}

void SpatialIndex::Attach(Location& location, CellKey cell, const FVector& at) {
  std::vector<CellEntry>& entries = cells_[cell];
  location.cell = cell;
  location.cellEntries = &entries;
  location.indexInCell = entries.size();
  entries.push_back({at, location.slot});
}

void SpatialIndex::Detach(const Location& location) {
  std::vector<CellEntry>& entries = *location.cellEntries;
  if (location.indexInCell + 1 != entries.size()) {
    entries[location.indexInCell] = entries.back();
    locationOfSlot_[entries[location.indexInCell].slot]->indexInCell = location.indexInCell;
  }
  entries.pop_back();
  // Empty cells are dropped so the stored cells are the occupied ones.
  if (entries.empty()) cells_.erase(location.cell);
}

void SpatialIndex::Compact() {
  std::size_t next = 0;
  for (std::size_t slot = 0; slot < inOrder_.size(); ++slot) {
    Location* location = locationOfSlot_[slot];
    if (location == nullptr) continue;
    location->slot = next;
    (*location->cellEntries)[location->indexInCell].slot = next;
    inOrder_[next] = inOrder_[slot];
    locationOfSlot_[next] = location;
    ++next;
  }
  inOrder_.resize(next);
  locationOfSlot_.resize(next);
  holes_ = 0;
  // A good moment to let the bounds shrink to the items that are left.
  low_ = {kInf, kInf, kInf};
  high_ = {-kInf, -kInf, -kInf};
  for (const Entry& entry : inOrder_) {
    if (IsFinite(entry.at)) Include(entry.at);
  }
}

void SpatialIndex::Include(const FVector& at) {
  low_ = {std::min(low_.X, at.X), std::min(low_.Y, at.Y), std::min(low_.Z, at.Z)};
  high_ = {std::max(high_.X, at.X), std::max(high_.Y, at.Y), std::max(high_.Z, at.Z)};
}

void SpatialIndex::Widen(const FVector& at) {
  if (IsFinite(at)) {
    Include(at);
  } else {
    ++notFinite_;
  }
}

void SpatialIndex::Forget(const FVector& at) {
  if (!IsFinite(at)) --notFinite_;
}

bool SpatialIndex::HoldsAll(const Sphere& sphere) const {
  // Empty bounds have an infinite farthest corner, which only an infinite radius holds: then
  // there is nothing to visit anyway.
  if (notFinite_ > 0) return false;
  const auto farther = [](float low, float high, double centre) {
    return std::abs(static_cast<double>(low) - centre) >
                   std::abs(static_cast<double>(high) - centre)
               ? low
               : high;
  };
  return sphere.Holds({farther(low_.X, high_.X, sphere.x), farther(low_.Y, high_.Y, sphere.y),
                       farther(low_.Z, high_.Z, sphere.z)});
}

void SpatialIndex::Insert(void* item, const FVector& at) {
  const auto [it, inserted] = locations_.try_emplace(item);
  assert(inserted && "SpatialIndex::Insert: item already present");
  if (!inserted) return;
  Location& location = it->second;
  location.slot = inOrder_.size();
  inOrder_.push_back({item, at});
  locationOfSlot_.push_back(&location);
  Attach(location, CellOf(at), at);
  Widen(at);
}

void SpatialIndex::Move(void* item, const FVector& to) {
  const auto it = locations_.find(item);
  assert(it != locations_.end() && "SpatialIndex::Move: item not present");
  if (it == locations_.end()) return;
  Location& location = it->second;
  Forget(inOrder_[location.slot].at);
  Widen(to);
  inOrder_[location.slot].at = to;
  const CellKey cell = CellOf(to);
  if (cell == location.cell) {
    (*location.cellEntries)[location.indexInCell].at = to;
    return;
  }
  Detach(location);
  Attach(location, cell, to);
}

void SpatialIndex::Remove(void* item) {
  const auto it = locations_.find(item);
  assert(it != locations_.end() && "SpatialIndex::Remove: item not present");
  if (it == locations_.end()) return;
  const Location& location = it->second;
  Detach(location);
  Forget(inOrder_[location.slot].at);
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  inOrder_[location.slot] = {nullptr, {kNaN, kNaN, kNaN}};
  locationOfSlot_[location.slot] = nullptr;
  locations_.erase(it);
  // Walks stay within twice the items present, at a cost spread over the removals.
  if (++holes_ > locations_.size()) Compact();
}

bool SpatialIndex::Contains(void* item) const { return locations_.contains(item); }

std::size_t SpatialIndex::Size() const { return locations_.size(); }

std::optional<SpatialIndex::Sphere> SpatialIndex::SphereOf(const FVector& centre, float radius) {
  if (!(radius >= 0.f)) return std::nullopt;  // negative or NaN
  // A NaN centre fails every comparison; an infinite one is infinitely far from everything,
  // which only an infinite radius reaches.
  if (std::isnan(centre.X) || std::isnan(centre.Y) || std::isnan(centre.Z)) return std::nullopt;
  if (std::isfinite(radius) && !IsFinite(centre)) return std::nullopt;
  const double r = radius;
  return Sphere{centre.X, centre.Y, centre.Z, r, r * r};
}

bool SpatialIndex::WalkIsCheaper(const Sphere& sphere) const {
  if (std::isinf(sphere.radius) || cells_.empty()) return true;
  // As if the items were spread evenly over the occupied cells.
  const double coveredShare =
      std::min(1.0, CellsCovering(sphere).CellCount() / static_cast<double>(cells_.size()));
  return coveredShare * static_cast<double>(locations_.size()) >=
         kWalkShare * static_cast<double>(inOrder_.size());
}

std::vector<std::size_t> SpatialIndex::SlotsWithin(const Sphere& sphere) const {
  std::vector<std::size_t> slots;
  // Fewer cells than are stored, or the query would have walked.
  const CellRange range = CellsCovering(sphere);
  for (std::int64_t x = range.minX; x <= range.maxX; ++x) {
    for (std::int64_t y = range.minY; y <= range.maxY; ++y) {
      const auto cellIt = cells_.find(PackKey(x, y));
      if (cellIt == cells_.end()) continue;
      for (const CellEntry& entry : cellIt->second) {
        if (sphere.Holds(entry.at)) slots.push_back(entry.slot);
      }
    }
  }
  SortSlots(slots);
  return slots;
}

void SpatialIndex::Query(const FVector& centre, float radius, std::vector<void*>& out) const {
  ForEachWithin(centre, radius, [&out](void* item) { out.push_back(item); });
}

}  // namespace game

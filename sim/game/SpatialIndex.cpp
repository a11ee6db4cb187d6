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

std::uint64_t PackKey(std::int64_t x, std::int64_t y) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
         static_cast<std::uint32_t>(y);
}

std::int64_t KeyX(std::uint64_t key) { return static_cast<std::int32_t>(key >> 32); }
std::int64_t KeyY(std::uint64_t key) { return static_cast<std::int32_t>(key & 0xFFFFFFFFu); }

struct Hit {
  std::uint64_t sequence;
  void* item;
};

// Big results (a whole-map query returns every actor) would spend most of their time in a
// comparison sort; sequence numbers are dense integers, so a byte-wise radix sort over only the
// bytes that differ needs a pass or three instead.
void SortBySequence(std::vector<Hit>& hits) {
  constexpr std::size_t kRadixWorthwhile = 256;
  if (hits.size() < kRadixWorthwhile) {
    std::sort(hits.begin(), hits.end(),
              [](const Hit& a, const Hit& b) { return a.sequence < b.sequence; });
    return;
  }
  std::uint64_t differingBits = 0;
  for (const Hit& hit : hits) differingBits |= hit.sequence ^ hits.front().sequence;
  std::vector<Hit> scratch(hits.size());
  for (int shift = 0; shift < 64; shift += 8) {
    if (((differingBits >> shift) & 0xFF) == 0) continue;
    std::array<std::size_t, 257> offsets{};
    for (const Hit& hit : hits) ++offsets[((hit.sequence >> shift) & 0xFF) + 1];
    std::partial_sum(offsets.begin(), offsets.end(), offsets.begin());
    for (const Hit& hit : hits) scratch[offsets[(hit.sequence >> shift) & 0xFF]++] = hit;
    hits.swap(scratch);
  }
}

bool IsFinite(const FVector& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

}  // namespace

SpatialIndex::SpatialIndex(float cellSize) : cellSize_(cellSize) {
  assert(cellSize > 0.f && std::isfinite(cellSize));
}

bool SpatialIndex::CellRange::Holds(CellKey key) const {
  const std::int64_t x = KeyX(key);
  const std::int64_t y = KeyY(key);
  return x >= minX && x <= maxX && y >= minY && y <= maxY;
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

SpatialIndex::CellRange SpatialIndex::CellsCovering(double cx, double cy, double radius) const {
  // The distance test can accept an item a rounding error beyond the radius on one axis; the
  // slack keeps such an item's cell inside the range.
  const double slackX = (std::abs(cx) + radius) * 1e-9;
  const double slackY = (std::abs(cy) + radius) * 1e-9;
  return {CellCoordinate(cx - radius - slackX), CellCoordinate(cx + radius + slackX),
          CellCoordinate(cy - radius - slackY), CellCoordinate(cy + radius + slackY)};
}

void SpatialIndex::Attach(Location& location, CellKey cell, const Entry& entry) {
  std::vector<Entry>& entries = cells_[cell];
  location = {cell, entries.size()};
  entries.push_back(entry);
}

SpatialIndex::Entry SpatialIndex::Detach(const Location& location) {
  const auto cellIt = cells_.find(location.cell);
  std::vector<Entry>& entries = cellIt->second;
  const Entry detached = entries[location.slot];
  if (location.slot + 1 != entries.size()) {
    entries[location.slot] = entries.back();
    locations_.find(entries[location.slot].item)->second.slot = location.slot;
  }
  entries.pop_back();
  // Empty cells are dropped so a scan of the stored cells only ever visits occupied ones.
  if (entries.empty()) cells_.erase(cellIt);
  return detached;
}

void SpatialIndex::Insert(void* item, const FVector& at) {
  const auto [it, inserted] = locations_.try_emplace(item);
  assert(inserted && "SpatialIndex::Insert: item already present");
  if (!inserted) return;
  Attach(it->second, CellOf(at), Entry{item, at, nextSequence_++});
}

void SpatialIndex::Move(void* item, const FVector& to) {
  const auto it = locations_.find(item);
  assert(it != locations_.end() && "SpatialIndex::Move: item not present");
  if (it == locations_.end()) return;
  Location& location = it->second;
  const CellKey cell = CellOf(to);
  if (cell == location.cell) {
    cells_.find(cell)->second[location.slot].at = to;
    return;
  }
  Entry entry = Detach(location);
  entry.at = to;
  Attach(location, cell, entry);
}

void SpatialIndex::Remove(void* item) {
  const auto it = locations_.find(item);
  assert(it != locations_.end() && "SpatialIndex::Remove: item not present");
  if (it == locations_.end()) return;
  Detach(it->second);
  locations_.erase(it);
}

bool SpatialIndex::Contains(void* item) const { return locations_.contains(item); }

std::size_t SpatialIndex::Size() const { return locations_.size(); }

void SpatialIndex::Query(const FVector& centre, float radius, std::vector<void*>& out) const {
  if (!(radius >= 0.f)) return;  // negative or NaN
  const double r = radius;
  const double limit = r * r;
  const double cx = centre.X;
  const double cy = centre.Y;
  const double cz = centre.Z;
  // A NaN centre fails every comparison; an infinite one is infinitely far from everything,
  // which only an infinite radius reaches.
  if (std::isnan(cx) || std::isnan(cy) || std::isnan(cz)) return;
  if (std::isfinite(r) && !IsFinite(centre)) return;

  std::vector<Hit> hits;
  const auto collect = [&](const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
      const double dx = static_cast<double>(entry.at.X) - cx;
      const double dy = static_cast<double>(entry.at.Y) - cy;
      const double dz = static_cast<double>(entry.at.Z) - cz;
      if (dx * dx + dy * dy + dz * dz <= limit) hits.push_back({entry.sequence, entry.item});
    }
  };

  if (std::isinf(r)) {
    for (const auto& [key, entries] : cells_) collect(entries);
  } else {
    const CellRange range = CellsCovering(cx, cy, r);
    // Huge radii cover far more cells than exist; then walking the stored cells is cheaper.
    if (range.CellCount() <= static_cast<double>(cells_.size())) {
      for (std::int64_t x = range.minX; x <= range.maxX; ++x) {
        for (std::int64_t y = range.minY; y <= range.maxY; ++y) {
          const auto cellIt = cells_.find(PackKey(x, y));
          if (cellIt != cells_.end()) collect(cellIt->second);
        }
      }
    } else {
      for (const auto& [key, entries] : cells_) {
        if (range.Holds(key)) collect(entries);
      }
    }
  }

  SortBySequence(hits);
  out.reserve(out.size() + hits.size());
  for (const Hit& hit : hits) out.push_back(hit.item);
}

}  // namespace game

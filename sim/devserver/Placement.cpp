#include "devserver/Placement.h"

#include <algorithm>
#include <cmath>

namespace devserver {
namespace {

constexpr float kCellSide = 16.f;  // about a label's line, in pixels
constexpr int kMaxCellsASide = 256;

int CellsAcross(float length, float side) {
  return std::clamp(static_cast<int>(std::ceil(length / side)), 1, kMaxCellsASide);
}

// The cell an edge at `at` falls in, clamped to the grid. Rounding keeps the order of edges, so
// two boxes that overlap always share a cell.
int CellAt(double at, double origin, double side, int count) {
  return static_cast<int>(std::clamp(std::floor((at - origin) / side), 0.0, count - 1.0));
}

}  // namespace

Placement::Placement(Box area)
    : area_(area),
      cellSide_(std::max({kCellSide, area.width / kMaxCellsASide, area.height / kMaxCellsASide})),
      columns_(CellsAcross(area.width, cellSide_)),
      rows_(CellsAcross(area.height, cellSide_)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

std::optional<Placement::CellRange> Placement::CellsOf(const Box& box) const {
  const double left = std::min(box.x, box.x + box.width);
  const double right = std::max(box.x, box.x + box.width);
  const double top = std::min(box.y, box.y + box.height);
  const double bottom = std::max(box.y, box.y + box.height);
  // A box with a coordinate that is not a number overlaps nothing.
  if (std::isnan(left + right + top + bottom)) return std::nullopt;
  // Places are inside the area, so what lies wholly outside it is never in their way.
  if (right < area_.x || left > area_.x + area_.width || bottom < area_.y ||
      top > area_.y + area_.height) {
    return std::nullopt;
  }
  return CellRange{
      CellAt(left, area_.x, cellSide_, columns_), CellAt(right, area_.x, cellSide_, columns_),
      CellAt(top, area_.y, cellSide_, rows_), CellAt(bottom, area_.y, cellSide_, rows_)};
}

void Placement::Occupy(const Box& box) {
  const auto range = CellsOf(box);
  if (!range) return;
  const auto index = static_cast<std::uint32_t>(taken_.size());
  taken_.push_back(box);
  for (int row = range->firstRow; row <= range->lastRow; ++row) {
    for (int column = range->firstColumn; column <= range->lastColumn; ++column) {
      cells_[static_cast<std::size_t>(row) * columns_ + column].push_back(index);
    }
  }
}

bool Placement::Free(const Box& candidate) const {
  const auto range = CellsOf(candidate);
  if (!range) return true;
  for (int row = range->firstRow; row <= range->lastRow; ++row) {
    for (int column = range->firstColumn; column <= range->lastColumn; ++column) {
      for (const auto index : cells_[static_cast<std::size_t>(row) * columns_ + column]) {
        if (taken_[index].Overlaps(candidate)) return false;
      }
    }
  }
  return true;
}

std::optional<Box> Placement::Place(const std::vector<Box>& candidates) {
  for (const auto& candidate : candidates) {
    if (!candidate.Inside(area_) || !Free(candidate)) continue;
    Occupy(candidate);
    return candidate;
  }
  return std::nullopt;
}

}  // namespace devserver

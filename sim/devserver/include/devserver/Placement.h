#pragma once

// Keeps texts on a picture from covering each other: each new box takes the first of its
// candidate places that overlaps nothing placed before.

#include <cstdint>
#include <optional>
#include <vector>

namespace devserver {

struct Box {
  float x = 0, y = 0, width = 0, height = 0;  // top left corner and size, in pixels

  bool Overlaps(const Box& other) const {
    return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
           other.y < y + height;
  }
  bool Inside(const Box& area) const {
    return x >= area.x && y >= area.y && x + width <= area.x + area.width &&
           y + height <= area.y + area.height;
  }
};

class Placement {
 public:
  // Only places inside area are taken.
  explicit Placement(Box area);

  // Something already there, a mark for instance, that later boxes keep clear of.
  void Occupy(const Box& box);

  // The first candidate inside the area that overlaps nothing taken, now taken too; none when
  // every candidate does.
  std::optional<Box> Place(const std::vector<Box>& candidates);

 private:
  // The cells a box touches, within the area's; none for a box that lies wholly outside it.
  struct CellRange {
    int firstColumn, lastColumn, firstRow, lastRow;
  };
  std::optional<CellRange> CellsOf(const Box& box) const;
  bool Free(const Box& candidate) const;

  Box area_;
  // Taken boxes filed by the cells of a grid over the area, so that a place is compared only
  // with its neighbours: a map of a million creatures is placed in seconds, not days.
  float cellSide_;
  int columns_, rows_;
  std::vector<Box> taken_;
  std::vector<std::vector<std::uint32_t>> cells_;  // indices into taken_, row by row
};

}  // namespace devserver

#pragma once

// Keeps texts on a picture from covering each other: each new box takes the first of its
// candidate places that overlaps nothing placed before.

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
  explicit Placement(Box area) : area_(area) {}

  // Something already there, a mark for instance, that later boxes keep clear of.
  void Occupy(const Box& box) { taken_.push_back(box); }

  // The first candidate inside the area that overlaps nothing taken, now taken too; none when
  // every candidate does.
  std::optional<Box> Place(const std::vector<Box>& candidates);

 private:
  Box area_;
  std::vector<Box> taken_;
};

}  // namespace devserver

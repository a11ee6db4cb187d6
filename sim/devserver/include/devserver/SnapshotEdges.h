#pragma once

// What a map draws along its frame: the grid of latitudes and longitudes, numbered where
// /finddino would give those numbers, and the north arrow.

#include <string>

#include "devserver/MapCoordinates.h"
#include "devserver/Placement.h"
#include "devserver/SnapshotFrame.h"

namespace devserver {

// Room the numbers take outside the frame: to its left, for latitudes, and below, for longitudes.
inline constexpr float kLatitudeColumn = 40.f;
inline constexpr float kLongitudeRow = 16.f;

// lines: across the map, under everything on it; numbers: outside it. Both empty where the
// frame lies too far from the numbers' 0 to count its steps.
struct Graticule {
  std::string lines, numbers;
};
Graticule DrawGraticule(const Frame& frame, const MapCoordinates& coordinates);

// In the map's top right corner; box: where it stands, for labels to keep clear of.
struct NorthArrow {
  std::string svg;
  Box box;
};
NorthArrow DrawNorthArrow(const Frame& frame, const MapCoordinates& coordinates);

}  // namespace devserver

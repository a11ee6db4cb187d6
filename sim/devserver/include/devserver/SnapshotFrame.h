#pragma once

// The part of the world a map shows and the pixels it fills. North is up and east right, as on
// the game's own map: x grows to the east and y to the south, where latitude grows.

#include <API/UE/Math/Vector.h>

#include <algorithm>
#include <cmath>

#include "devserver/Placement.h"

namespace devserver {

constexpr float kUnitsPerMetre = 100.f;

// The world's rectangle shown (game units) and the pixels it fills. Doubles, so that a world
// spanning more than a float holds still frames.
struct Frame {
  double minX, minY, maxX, maxY;
  Box map;
  double scale;  // pixels per game unit

  // Taken as doubles: the frame's edges, and grid lines near them, may lie beyond a float.
  float X(double x) const { return static_cast<float>(map.x + (x - minX) * scale); }
  float Y(double y) const { return static_cast<float>(map.y + (y - minY) * scale); }
  float X(const FVector& at) const { return X(at.X); }
  float Y(const FVector& at) const { return Y(at.Y); }
  bool Shows(const FVector& at) const {
    return at.X >= minX && at.X <= maxX && at.Y >= minY && at.Y <= maxY;
  }
};

// The rectangle around the points with a margin, drawn with its top left corner at x, y; the
// longer side fills kMapSide pixels and the shorter grows in the world, not on the canvas, when
// it would be thinner than kMinMapSide. Throws ScenarioError for a frame too small to tell apart
// from its neighbours so far from the origin.
Frame FrameAround(double minX, double minY, double maxX, double maxY, double margin, float x,
                  float y);

// The round step (1, 2 or 5 times a power of ten) nearest below a fifth of a length.
double RoundStep(double length);

// Calls draw with every multiple of step from min to max. Counted in whole steps: adding a step
// to a value far from zero may not change it. Further out still, adding one to a count past
// 2^53 may not change it either: then there are none, and false is returned.
template <typename Draw>
bool ForEachStep(double min, double max, double step, const Draw& draw) {
  if (std::max(std::abs(min), std::abs(max)) / step >= 0x1p53) return false;
  for (auto k = std::ceil(min / step); k * step <= max; ++k) draw(k * step);
  return true;
}

// Where the line from the frame's centre towards a point outside it leaves the map, inset by
// inset pixels, and the way it goes there (a unit vector in pixels).
struct EdgePoint {
  float x, y, dx, dy;
};
EdgePoint EdgeToward(const Frame& frame, const FVector& at, float inset);

}  // namespace devserver

#include "devserver/SnapshotFrame.h"

#include "devserver/Words.h"

namespace devserver {
namespace {

constexpr float kMapSide = 760.f;     // the longer side of the map, in pixels
constexpr float kMinMapSide = 400.f;  // the shorter side at least

}  // namespace

Frame FrameAround(double minX, double minY, double maxX, double maxY, double margin, float x,
                  float y) {
  minX -= margin;
  minY -= margin;
  maxX += margin;
  maxY += margin;
  const double width = maxX - minX, height = maxY - minY;
  const bool wide = width >= height;
  const double longer = wide ? width : height;
  const double shorter = std::max(wide ? height : width, longer * kMinMapSide / kMapSide);
  const double grow = (shorter - (wide ? height : width)) / 2;
  if (wide) {
    minY -= grow;
    maxY += grow;
  } else {
    minX -= grow;
    maxX += grow;
  }
  const double scale = kMapSide / longer;
  // Far enough from the origin, a small frame has no width a double can tell.
  if (!std::isfinite(scale)) throw ScenarioError("the frame is too small to draw this far out");
  const Box map{x, y, static_cast<float>((maxX - minX) * scale),
                static_cast<float>((maxY - minY) * scale)};
  return {minX, minY, maxX, maxY, map, scale};
}

double RoundStep(double length) {
  const double target = length / 5;
  const double power = std::pow(10.0, std::floor(std::log10(target)));
  for (const double factor : {5.0, 2.0}) {
    if (factor * power <= target) return factor * power;
  }
  return power;
}

EdgePoint EdgeToward(const Frame& frame, const FVector& at, float inset) {
  // In game units, whose doubles hold any float position; only the unit vector reaches pixels.
  const double dx = at.X - (frame.minX + frame.maxX) / 2;
  const double dy = at.Y - (frame.minY + frame.maxY) / 2;
  const double halfWidth = frame.map.width / 2 - inset, halfHeight = frame.map.height / 2 - inset;
  // The side it crosses first is the one it is furthest out of, in its half's measure.
  const double reach = std::max(std::abs(dx) / halfWidth, std::abs(dy) / halfHeight);
  const double length = std::hypot(dx, dy);
  return {static_cast<float>(frame.map.x + frame.map.width / 2 + dx / reach),
          static_cast<float>(frame.map.y + frame.map.height / 2 + dy / reach),
          static_cast<float>(dx / length), static_cast<float>(dy / length)};
}

}  // namespace devserver

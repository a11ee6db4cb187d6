#include "devserver/MapCoordinates.h"

#include <cmath>

namespace devserver {

MapCoordinates::Axis::Axis(float scale, float origin)
    // A scale of 100 puts one coordinate in every 1000 game units; only the origin's size
    // counts.
    : perUnit(100.0 / (scale == 0.f ? 800.0 : scale) / 1000.0),
      origin(std::fabs(origin == 0.f ? -400000.0 : origin)) {}

MapCoordinates::MapCoordinates(const game::APrimalWorldSettings& settings)
    : latitude_(settings.LatitudeScale, settings.LatitudeOrigin),
      longitude_(settings.LongitudeScale, settings.LongitudeOrigin) {}

}  // namespace devserver

#pragma once

// Latitude and longitude as the game's map, and the plugin's /finddino after it, read them off a
// position: latitude from y, longitude from x, by the world settings' scales and origins (0: the
// game's defaults). Exact here, in doubles, where /finddino cuts its single-precision result to
// tenths; the map places its ticks with it.

#include "game/Objects.h"

namespace devserver {

class MapCoordinates {
 public:
  explicit MapCoordinates(const game::APrimalWorldSettings& settings);

  double Latitude(double y) const { return latitude_.Coordinate(y); }
  double Longitude(double x) const { return longitude_.Coordinate(x); }
  double YAt(double latitude) const { return latitude_.Position(latitude); }
  double XAt(double longitude) const { return longitude_.Position(longitude); }
  // Latitude grows to the south, so north lies where y shrinks, unless a scale turns it round.
  bool NorthIsUp() const { return latitude_.perUnit > 0; }

 private:
  struct Axis {
    Axis(float scale, float origin);
    double Coordinate(double position) const { return (position + origin) * perUnit; }
    double Position(double coordinate) const { return coordinate / perUnit - origin; }

    double perUnit;  // coordinate per game unit
    double origin;   // game units from the coordinate's 0 to position 0
  };
  Axis latitude_, longitude_;
};

}  // namespace devserver

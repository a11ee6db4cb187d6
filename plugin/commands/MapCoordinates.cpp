#include "commands/MapCoordinates.h"

#include <cmath>

namespace packsentinel {

float MapCoordinate(float position, float scaleSetting, float originSetting) {
  const float scale = scaleSetting == 0.f ? 800.f : scaleSetting;
  const float origin = std::fabs(originSetting == 0.f ? -400000.f : originSetting);
  const float k = 100.f / scale;
  const float shifted = position * k + origin * k;
  const float tenths = std::floor(shifted / 1000.f * 10.f);
  return tenths / 10.f;
}

MapPosition ToMapPosition(const host::Vector& location, const host::MapScale& scale) {
  return {MapCoordinate(location.Y, scale.latitudeScale, scale.latitudeOrigin),
          MapCoordinate(location.X, scale.longitudeScale, scale.longitudeOrigin)};
}

}  // namespace packsentinel

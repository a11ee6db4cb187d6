#include <algorithm>
#include <cmath>

#include "game/Game.h"

namespace game {
namespace {

std::uint8_t Channel(float linear, bool transfer) {
  // NaN reads as 0 rather than reaching the cast.
  const float clamped = std::isnan(linear) ? 0.f : std::clamp(linear, 0.f, 1.f);
  float shown = clamped;
  if (transfer) {
    shown =
        clamped <= 0.0031308f ? clamped * 12.92f : 1.055f * std::pow(clamped, 1.f / 2.4f) - 0.055f;
  }
  return static_cast<std::uint8_t>(std::lround(shown * 255.f));
}

}  // namespace

FColor DisplayColour(const FLinearColor& colour) {
  FColor shown;
  shown.R = Channel(colour.R, true);
  shown.G = Channel(colour.G, true);
  shown.B = Channel(colour.B, true);
  shown.A = Channel(colour.A, false);
  return shown;
}

FColor LabelColour::Shown() const {
  return channel == LabelChannel::DebugString ? DisplayColour(linear) : packed;
}

}  // namespace game

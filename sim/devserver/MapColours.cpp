#include "devserver/MapColours.h"

#include <algorithm>
#include <iterator>

namespace devserver {
namespace {

const SchemeColour kRed{"red", "#ff5a5a"};
const SchemeColour kOrange{"orange", "#ff9a3c"};
const SchemeColour kYellow{"yellow", "#f5dc3c"};
const SchemeColour kGreen{"green", "#3ccf5a"};
const SchemeColour kCyan{"cyan", "#3cd2d2"};
const SchemeColour kBlue{"blue", "#4f9dff"};
const SchemeColour kViolet{"violet", "#b47cff"};
const SchemeColour kPink{"pink", "#ff6ec7"};
const SchemeColour kWhite{"white", "#f0f0f0"};
const SchemeColour kGrey{"grey", "#9aa3ad"};
const SchemeColour kBlack{"black", "#000000"};

// Hues (degrees) where each name ends, around the circle from red.
struct HueName {
  float below;
  const SchemeColour* colour;
};
constexpr HueName kHues[] = {{15, &kRed},     {40, &kOrange}, {70, &kYellow},
                             {160, &kGreen},  {200, &kCyan},  {255, &kBlue},
                             {290, &kViolet}, {335, &kPink},  {360, &kRed}};

// Yellow and green say wild and own tribe, so other tribes never take them. Blue stands furthest
// from both; colours next in turn are far apart, as two tribes' are most often seen together.
const SchemeColour* const kOtherTribes[] = {&kBlue, &kPink, &kOrange, &kViolet, &kCyan, &kRed};

}  // namespace

const SchemeColour& NamedColour(FColor colour) {
  const float high = std::max({colour.R, colour.G, colour.B});
  const float low = std::min({colour.R, colour.G, colour.B});
  if (high < 48) return kBlack;
  const float chroma = high - low;
  if (chroma < high * 0.25f) return high >= 192 ? kWhite : kGrey;
  float hue;
  if (high == colour.R) {
    hue = 60 * (colour.G - colour.B) / chroma;
  } else if (high == colour.G) {
    hue = 120 + 60 * (colour.B - colour.R) / chroma;
  } else {
    hue = 240 + 60 * (colour.R - colour.G) / chroma;
  }
  if (hue < 0) hue += 360;
  return *std::find_if(std::begin(kHues), std::end(kHues), [hue](const HueName& name) {
            return hue < name.below;
          })->colour;
}

const SchemeColour& WildColour() { return kYellow; }
const SchemeColour& OwnTribeColour() { return kGreen; }
const SchemeColour& OtherTribesColour() { return kGrey; }

const SchemeColour& OtherTribeColour(std::size_t turn) {
  return turn < std::size(kOtherTribes) ? *kOtherTribes[turn] : OtherTribesColour();
}

}  // namespace devserver

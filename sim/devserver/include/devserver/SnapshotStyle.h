#pragma once

// How the map draws things: its colours, the marks of players and creatures, and the legend
// that explains them with the same marks.

#include <API/UE/Math/Vector.h>

#include <string>
#include <string_view>

#include "devserver/WorldView.h"

namespace devserver {

inline constexpr const char* kBackgroundColour = "#16191e";
inline constexpr const char* kMapColour = "#20252c";
inline constexpr const char* kRadiusColour = "#8fa3bf";
inline constexpr const char* kPlayerNameColour = "#f0f0f0";
inline constexpr const char* kCreatureNameColour = "#9aa3ad";

// Labels in a monospace font, whose width is known without measuring.
inline constexpr int kLabelFontSize = 12;
inline constexpr float kLabelCharWidth = 7.3f;
inline constexpr float kLabelLineHeight = 14.f;
inline constexpr float kNameCharWidth = 6.3f;  // names, in the 11-pixel sans-serif

// Text as SVG holds it, its markup characters escaped.
std::string SvgText(std::string_view text);

// A square for a player, a circle for a creature, coloured by what it is to the viewer; a dead
// creature is a hollow grey circle.
std::string PlayerMark(float x, float y, Relation relation);
std::string CreatureMark(float x, float y, Relation relation, bool dead);

// The legend, a column of entries from its top left corner down.
class LegendWriter {
 public:
  LegendWriter(float x, float y);

  void Heading(const std::string& text);
  void Note(const std::string& text);
  void Player(Relation relation, const std::string& meaning);
  void Creature(Relation relation, bool dead, const std::string& meaning);
  void Radius(const std::string& meaning);
  void LabelColour(FColor colour, const std::string& meaning);

  std::string Svg() const { return svg_ + "</g>\n"; }
  float Bottom() const { return y_; }

 private:
  void Entry(const std::string& mark, const std::string& meaning);

  float x_, y_;
  std::string svg_;
};

}  // namespace devserver

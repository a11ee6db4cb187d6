#pragma once

// How the map draws things: its colours, the marks of players and creatures, and the legend
// that explains them with the same marks.

#include <string>
#include <string_view>
#include <vector>

namespace devserver {

inline constexpr const char* kBackgroundColour = "#16191e";
inline constexpr const char* kMapColour = "#20252c";
inline constexpr const char* kRadiusColour = "#8fa3bf";
inline constexpr const char* kPlayerNameColour = "#f0f0f0";
inline constexpr const char* kCreatureNameColour = "#9aa3ad";
inline constexpr const char* kEdgeTextColour = "#aab2bd";  // ticks, the north arrow

// Labels in a monospace font, whose width is known without measuring.
inline constexpr int kLabelFontSize = 12;
inline constexpr float kLabelCharWidth = 7.3f;
inline constexpr float kLabelLineHeight = 14.f;
inline constexpr float kNameCharWidth = 6.3f;  // names, in the 11-pixel sans-serif

// Text as SVG holds it, its markup characters escaped.
std::string SvgText(std::string_view text);

// Names as a sentence lists them: "alice, bob and carol", or the first three and how many more.
std::string NameList(const std::vector<std::string>& names);

// A square for a player, a circle for a creature, in the fill of its tribe; the viewer is ringed
// in white and a dead creature is a hollow grey circle.
std::string PlayerMark(float x, float y, std::string_view fill);
std::string ViewerRing(float x, float y);
std::string CreatureMark(float x, float y, std::string_view fill, bool dead);
// A triangle with its tip at x, y, pointing along dx, dy (a unit vector).
std::string Arrowhead(float x, float y, float dx, float dy, std::string_view fill);

// The legend, a column of entries from its top left corner down.
class LegendWriter {
 public:
  LegendWriter(float x, float y);

  void Heading(const std::string& text);
  void Note(const std::string& text);
  // A tribe's square when it has players shown, and its circle when it has creatures shown.
  void Tribe(std::string_view fill, bool players, bool creatures, const std::string& meaning);
  void Viewer(std::string_view fill, const std::string& meaning);
  void Creature(std::string_view fill, bool dead, const std::string& meaning);
  void Radius(const std::string& meaning);
  void LabelColour(std::string_view fill, const std::string& meaning);
  void OffFrame(std::string_view fill, const std::string& meaning);

  std::string Svg() const { return svg_ + "</g>\n"; }
  float Bottom() const { return y_; }

 private:
  void Entry(const std::string& mark, const std::string& meaning);

  float x_, y_;
  std::string svg_;
};

}  // namespace devserver

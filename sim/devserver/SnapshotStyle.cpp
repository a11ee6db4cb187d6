#include "devserver/SnapshotStyle.h"

#include <fmt/format.h>

#include "devserver/EventFormat.h"

namespace devserver {
namespace {

const char* RelationColour(Relation relation) {
  switch (relation) {
    case Relation::Viewer:
      return "#ffffff";
    case Relation::Mate:
    case Relation::OwnCreature:
      return "#2ec4b6";
    case Relation::Player:
    case Relation::TamedCreature:
      return "#c77dff";
    case Relation::WildCreature:
      break;
  }
  return "#f29d38";
}

constexpr const char* kDeadColour = "#8a9099";
constexpr std::string_view kOpening = "<g class=\"legend\">\n";

}  // namespace

std::string SvgText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string PlayerMark(float x, float y, Relation relation) {
  std::string mark = fmt::format(
      "<rect class=\"player\" x=\"{:.1f}\" y=\"{:.1f}\" width=\"10\" height=\"10\" fill=\"{}\" "
      "stroke=\"#000000\"/>\n",
      x - 5, y - 5, RelationColour(relation));
  if (relation == Relation::Viewer) {
    mark += fmt::format(
        "<circle cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"10\" fill=\"none\" stroke=\"#ffffff\"/>\n", x, y);
  }
  return mark;
}

std::string CreatureMark(float x, float y, Relation relation, bool dead) {
  if (dead) {
    return fmt::format(
        "<circle class=\"creature\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4\" fill=\"none\" "
        "stroke=\"{}\" stroke-width=\"1.5\"/>\n",
        x, y, kDeadColour);
  }
  return fmt::format(
      "<circle class=\"creature\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4.5\" fill=\"{}\" "
      "stroke=\"#000000\" stroke-width=\"0.8\"/>\n",
      x, y, RelationColour(relation));
}

LegendWriter::LegendWriter(float x, float y) : x_(x), y_(y), svg_(kOpening) {}

void LegendWriter::Heading(const std::string& text) {
  y_ += svg_.size() > kOpening.size() ? 40 : 22;
  svg_ += fmt::format(
      "<text x=\"{:.1f}\" y=\"{:.1f}\" font-size=\"13\" font-weight=\"bold\" "
      "fill=\"#f0f0f0\">{}</text>\n",
      x_, y_, SvgText(text));
  y_ += 6;
}

void LegendWriter::Note(const std::string& text) { Entry("", text); }

void LegendWriter::Entry(const std::string& mark, const std::string& meaning) {
  y_ += 20;
  svg_ += mark;
  svg_ += fmt::format(
      "<text class=\"legend-entry\" x=\"{:.1f}\" y=\"{:.1f}\" font-size=\"12\" "
      "fill=\"#d0d5dc\">{}</text>\n",
      x_ + 26, y_ + 4, SvgText(meaning));
}

void LegendWriter::Player(Relation relation, const std::string& meaning) {
  Entry(PlayerMark(x_ + 9, y_ + 20, relation), meaning);
}

void LegendWriter::Creature(Relation relation, bool dead, const std::string& meaning) {
  Entry(CreatureMark(x_ + 9, y_ + 20, relation, dead), meaning);
}

void LegendWriter::Radius(const std::string& meaning) {
  Entry(fmt::format("<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\" stroke=\"{}\" "
                    "stroke-dasharray=\"6 4\"/>\n",
                    x_, y_ + 20, x_ + 18, y_ + 20, kRadiusColour),
        meaning);
}

void LegendWriter::LabelColour(FColor colour, const std::string& meaning) {
  Entry(fmt::format("<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"18\" height=\"12\" rx=\"2\" "
                    "fill=\"{}\"/>\n",
                    x_, y_ + 14, ColourText(colour)),
        meaning);
}

}  // namespace devserver

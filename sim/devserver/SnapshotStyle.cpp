#include "devserver/SnapshotStyle.h"

#include <fmt/format.h>

#include "devserver/Words.h"

namespace devserver {
namespace {

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

std::string NameList(const std::vector<std::string>& names) {
  constexpr std::size_t kNamed = 3;
  const std::size_t named = names.size() > kNamed + 1 ? kNamed : names.size();
  std::string list;
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
    list += Excerpt(names[i], 16);
  }
  if (named < names.size()) list += fmt::format(" and {} more", names.size() - named);
  return list;
}

std::string PlayerMark(float x, float y, std::string_view fill) {
  return fmt::format(
      "<rect class=\"player\" x=\"{:.1f}\" y=\"{:.1f}\" width=\"10\" height=\"10\" fill=\"{}\" "
      "stroke=\"#000000\"/>\n",
      x - 5, y - 5, fill);
}

std::string ViewerRing(float x, float y) {
  return fmt::format(
      "<circle class=\"viewer\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"10\" fill=\"none\" "
      "stroke=\"#ffffff\" stroke-width=\"1.5\"/>\n",
      x, y);
}

std::string CreatureMark(float x, float y, std::string_view fill, bool dead) {
  if (dead) {
    return fmt::format(
        "<circle class=\"creature\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4\" fill=\"none\" "
        "stroke=\"{}\" stroke-width=\"1.5\"/>\n",
        x, y, kDeadColour);
  }
  return fmt::format(
      "<circle class=\"creature\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"4.5\" fill=\"{}\" "
      "stroke=\"#000000\" stroke-width=\"0.8\"/>\n",
      x, y, fill);
}

std::string Arrowhead(float x, float y, float dx, float dy, std::string_view fill) {
  constexpr float kLength = 12, kHalfWidth = 5;
  const float baseX = x - dx * kLength, baseY = y - dy * kLength;
  return fmt::format(
      "<path class=\"arrowhead\" d=\"M{:.1f} {:.1f} L{:.1f} {:.1f} L{:.1f} {:.1f} Z\" "
      "fill=\"{}\" stroke=\"#000000\" stroke-width=\"0.8\"/>\n",
      x, y, baseX - dy * kHalfWidth, baseY + dx * kHalfWidth, baseX + dy * kHalfWidth,
      baseY - dx * kHalfWidth, fill);
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
      x_ + 30, y_ + 4, SvgText(meaning));
}

void LegendWriter::Tribe(std::string_view fill, bool players, bool creatures,
                         const std::string& meaning) {
  std::string marks;
  if (players) marks += PlayerMark(x_ + 7, y_ + 20, fill);
  if (creatures) marks += CreatureMark(x_ + (players ? 20 : 7), y_ + 20, fill, false);
  Entry(marks, meaning);
}

void LegendWriter::Viewer(std::string_view fill, const std::string& meaning) {
  Entry(PlayerMark(x_ + 7, y_ + 20, fill) + ViewerRing(x_ + 7, y_ + 20), meaning);
}

void LegendWriter::Creature(std::string_view fill, bool dead, const std::string& meaning) {
  Entry(CreatureMark(x_ + 7, y_ + 20, fill, dead), meaning);
}

void LegendWriter::Radius(const std::string& meaning) {
  Entry(fmt::format("<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\" stroke=\"{}\" "
                    "stroke-dasharray=\"6 4\"/>\n",
                    x_, y_ + 20, x_ + 22, y_ + 20, kRadiusColour),
        meaning);
}

void LegendWriter::LabelColour(std::string_view fill, const std::string& meaning) {
  Entry(fmt::format("<rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"22\" height=\"12\" rx=\"2\" "
                    "fill=\"{}\"/>\n",
                    x_, y_ + 14, fill),
        meaning);
}

void LegendWriter::OffFrame(std::string_view fill, const std::string& meaning) {
  Entry(Arrowhead(x_ + 20, y_ + 20, 1, 0, fill), meaning);
}

}  // namespace devserver

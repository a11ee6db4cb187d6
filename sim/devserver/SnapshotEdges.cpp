#include "devserver/SnapshotEdges.h"

#include <fmt/format.h>

#include "devserver/SnapshotStyle.h"

namespace devserver {
namespace {

// /finddino gives tenths: finer lines could not be checked against it.
constexpr double kFinestStep = 0.1;

// Round numbers from one coordinate to another, whichever is the larger.
template <typename Draw>
bool StepsBetween(double a, double b, const Draw& draw) {
  const double low = std::min(a, b), high = std::max(a, b);
  return ForEachStep(low, high, std::max(RoundStep(high - low), kFinestStep), draw);
}

}  // namespace

Graticule DrawGraticule(const Frame& frame, const MapCoordinates& coordinates) {
  const Box& map = frame.map;
  const float right = map.x + map.width, bottom = map.y + map.height;
  Graticule drawn;
  // A number's y is its line's; dy sets it beside the line. Printed as /finddino prints them.
  const bool countable =
      StepsBetween(coordinates.Latitude(frame.minY), coordinates.Latitude(frame.maxY),
                   [&](double latitude) {
                     const float y = frame.Y(coordinates.YAt(latitude));
                     drawn.lines += fmt::format(
                         "<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\"/>\n", map.x,
                         y, right, y);
                     drawn.numbers += fmt::format(
                         "<text class=\"lat\" x=\"{:.1f}\" y=\"{:.1f}\" dy=\"3.5\" "
                         "text-anchor=\"end\">{:g}</text>\n",
                         map.x - 4, y, latitude);
                   }) &&
      StepsBetween(coordinates.Longitude(frame.minX), coordinates.Longitude(frame.maxX),
                   [&](double longitude) {
                     const float x = frame.X(coordinates.XAt(longitude));
                     drawn.lines += fmt::format(
                         "<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\"/>\n", x,
                         map.y, x, bottom);
                     drawn.numbers += fmt::format(
                         "<text class=\"lon\" x=\"{:.1f}\" y=\"{:.1f}\" dy=\"12\" "
                         "text-anchor=\"middle\">{:g}</text>\n",
                         x, bottom, longitude);
                   });
  // Too far out to count one way: no grid at all rather than half of one.
  if (!countable) return {};
  drawn.lines =
      "<g class=\"grid\" stroke=\"#2f3640\" stroke-width=\"1\">\n" + drawn.lines + "</g>\n";
  drawn.numbers = fmt::format("<g class=\"coordinates\" fill=\"{}\" font-size=\"10\">\n{}</g>\n",
                              kEdgeTextColour, drawn.numbers);
  return drawn;
}

NorthArrow DrawNorthArrow(const Frame& frame, const MapCoordinates& coordinates) {
  const Box box{frame.map.x + frame.map.width - 34, frame.map.y + 8, 24, 44};
  const float x = box.x + box.width / 2;
  // The arrow's tip towards north, the letter at its tail.
  const bool up = coordinates.NorthIsUp();
  const float tip = up ? box.y + 2 : box.y + box.height - 2;
  const float tail = up ? box.y + 30 : box.y + 14;
  const float letter = up ? box.y + box.height - 2 : box.y + 12;
  const float way = up ? -1 : 1;
  std::string svg = fmt::format(
      "<g class=\"north\"><line x1=\"{0:.1f}\" y1=\"{1:.1f}\" x2=\"{0:.1f}\" y2=\"{2:.1f}\" "
      "stroke=\"{3}\" stroke-width=\"2\"/>\n",
      x, tail, tip - way * 8, kEdgeTextColour);
  svg += Arrowhead(x, tip, 0, way, kEdgeTextColour);
  svg += fmt::format(
      "<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"{}\" font-size=\"13\" font-weight=\"bold\" "
      "text-anchor=\"middle\">N</text></g>\n",
      x, letter, kEdgeTextColour);
  return {svg, box};
}

}  // namespace devserver

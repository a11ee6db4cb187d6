// A top-down map for a person: players and creatures marked by what they are to the viewer,
// the labels drawn as they were sent, a legend, a scale bar in metres, the tick and a title.

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "devserver/DevServer.h"
#include "devserver/EventFormat.h"
#include "devserver/Placement.h"
#include "devserver/Reports.h"
#include "devserver/SnapshotStyle.h"

namespace devserver {
namespace {

constexpr float kUnitsPerMetre = 100.f;
constexpr float kMapSide = 760.f;     // the longer side of the map, in pixels
constexpr float kMinMapSide = 400.f;  // the shorter side at least
constexpr float kMargin = 20.f;
constexpr float kTop = 64.f;  // below the title
constexpr float kLegendWidth = 280.f;

struct Request {
  std::string file;
  game::Player* viewer = nullptr;
  std::optional<float> radius;  // game units
};

bool EndsInSvg(std::string_view file) {
  if (file.size() < 4) return false;
  std::string extension(file.substr(file.size() - 4));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".svg";
}

// The world's rectangle shown (game units, y up as on a map) and the pixels it fills.
// Doubles, so that a world spanning more than a float holds still frames.
struct Frame {
  double minX, minY, maxX, maxY;
  Box map;
  double scale;  // pixels per game unit

  // Taken as doubles: the frame's edges, and grid lines near them, may lie beyond a float.
  float X(double x) const { return static_cast<float>(map.x + (x - minX) * scale); }
  float Y(double y) const { return static_cast<float>(map.y + (maxY - y) * scale); }
  float X(const FVector& at) const { return X(at.X); }
  float Y(const FVector& at) const { return Y(at.Y); }
  bool Shows(const FVector& at) const {
    return at.X >= minX && at.X <= maxX && at.Y >= minY && at.Y <= maxY;
  }
};

// Points framed with a margin; the longer side fills kMapSide pixels and the shorter grows in
// the world, not on the canvas, when it would be thinner than kMinMapSide.
Frame FrameAround(double minX, double minY, double maxX, double maxY, double margin) {
  minX -= margin;
  minY -= margin;
  maxX += margin;
  maxY += margin;
  const double width = maxX - minX, height = maxY - minY;
  const bool wide = width >= height;
  const double longer = wide ? width : height;
  const double shorter = std::max(wide ? height : width, longer * kMinMapSide / kMapSide);
  const double grow = (shorter - (wide ? height : width)) / 2;
  if (wide) {
    minY -= grow;
    maxY += grow;
  } else {
    minX -= grow;
    maxX += grow;
  }
  const double scale = kMapSide / longer;
  // Far enough from the origin, a small frame has no width a double can tell.
  if (!std::isfinite(scale)) throw ScenarioError("the frame is too small to draw this far out");
  const Box map{kMargin, kTop, static_cast<float>((maxX - minX) * scale),
                static_cast<float>((maxY - minY) * scale)};
  return {minX, minY, maxX, maxY, map, scale};
}

// The round length (1, 2 or 5 times a power of ten metres) nearest below a fifth of the map.
double ScaleStep(double widthMetres) {
  const double target = widthMetres / 5;
  const double power = std::pow(10.0, std::floor(std::log10(target)));
  for (const double factor : {5.0, 2.0}) {
    if (factor * power <= target) return factor * power;
  }
  return power;
}

// Places to try around a point for a box, nearest first: above (where the game shows labels),
// below, beside, at the corners, then the same further out.
std::vector<Box> PlacesAround(float x, float y, float width, float height) {
  std::vector<Box> places;
  for (int ring = 0; ring < 4; ++ring) {
    const float up = 8 + ring * (height + 6), side = 10 + ring * 30;
    places.push_back({x - width / 2, y - up - height, width, height});
    places.push_back({x - width / 2, y + up, width, height});
    places.push_back({x + side, y - height / 2, width, height});
    places.push_back({x - side - width, y - height / 2, width, height});
    places.push_back({x + side, y - up - height, width, height});
    places.push_back({x - side - width, y - up - height, width, height});
    places.push_back({x + side, y + up, width, height});
    places.push_back({x - side - width, y + up, width, height});
  }
  return places;
}

// A thin line from a point to its text when the text had to stand off from it.
std::string Leader(float x, float y, const Box& text, std::string_view colour) {
  const float nearX = std::clamp(x, text.x, text.x + text.width);
  const float nearY = std::clamp(y, text.y, text.y + text.height);
  if (std::hypot(nearX - x, nearY - y) <= 10) return "";
  return fmt::format(
      "<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\" stroke=\"{}\" "
      "stroke-opacity=\"0.6\"/>\n",
      x, y, nearX, nearY, colour);
}

class SnapshotWriter {
 public:
  SnapshotWriter(const game::Game& game, const Request& request,
                 const std::map<std::string, SentLabels, std::less<>>& sent)
      : game_(game), request_(request), actors_(game) {
    for (const auto& [name, labels] : sent) {
      if (request.viewer && name != request.viewer->name) continue;
      if (const game::Player* player = game.FindPlayer(name)) {
        receivers_.push_back({player, &labels});
      }
    }
    frame_ = ChooseFrame();
  }

  std::string Write();

 private:
  struct Receiver {
    const game::Player* player;
    const SentLabels* sent;
  };

  Frame ChooseFrame() const;
  void DrawGrid(std::string& svg) const;
  void DrawMarks(std::string& svg, Placement& placement) const;
  void DrawLabels(std::string& svg, Placement& placement);
  void DrawNames(std::string& svg, Placement& placement) const;
  std::string ScaleBar() const;
  LegendWriter Legend() const;
  std::string Title() const;

  const game::Game& game_;
  const Request& request_;
  const ActorsByPlace actors_;
  std::vector<Receiver> receivers_;
  Frame frame_{};
  std::vector<LabelKindCount> drawnKinds_;
  std::size_t drawnLabels_ = 0;
  std::size_t sentLabels_ = 0;
};

Frame SnapshotWriter::ChooseFrame() const {
  if (request_.radius) {
    const FVector centre = request_.viewer->character->Location();
    const double r = *request_.radius;
    return FrameAround(centre.X - r, centre.Y - r, centre.X + r, centre.Y + r, r * 0.05f);
  }
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;
  const auto add = [&](const FVector& at) {
    minX = empty ? at.X : std::min<double>(minX, at.X);
    maxX = empty ? at.X : std::max<double>(maxX, at.X);
    minY = empty ? at.Y : std::min<double>(minY, at.Y);
    maxY = empty ? at.Y : std::max<double>(maxY, at.Y);
    empty = false;
  };
  if (request_.viewer) {
    // His view: himself and what he was shown.
    if (request_.viewer->character) add(request_.viewer->character->Location());
  } else {
    for (const auto* dino : game_.Dinos()) add(dino->Location());
    for (const auto& player : game_.Players()) {
      if (player->character) add(player->character->Location());
    }
  }
  for (const auto& receiver : receivers_) {
    for (const auto& label : receiver.sent->labels) add(label.at);
  }
  const double extent = std::max({maxX - minX, maxY - minY, 20.0 * kUnitsPerMetre});
  return FrameAround(minX, minY, maxX, maxY, std::max(extent * 0.08, 10.0 * kUnitsPerMetre));
}

void SnapshotWriter::DrawGrid(std::string& svg) const {
  const double step = ScaleStep((frame_.maxX - frame_.minX) / kUnitsPerMetre) * kUnitsPerMetre;
  // Counted in whole steps: adding a step to a coordinate far from the origin may not change it.
  // Further out still, adding one to a count past 2^53 may not change it either: such a frame
  // has no grid.
  const auto countable = [step](double min, double max) {
    return std::max(std::abs(min), std::abs(max)) / step < 0x1p53;
  };
  if (!countable(frame_.minX, frame_.maxX) || !countable(frame_.minY, frame_.maxY)) return;
  const auto lines = [step](double min, double max, const auto& draw) {
    for (auto k = std::ceil(min / step); k * step <= max; ++k) draw(k * step);
  };
  svg += "<g class=\"grid\" stroke=\"#2b3139\" stroke-width=\"1\">\n";
  lines(frame_.minX, frame_.maxX, [&](double x) {
    const float px = frame_.X(x);
    svg += fmt::format("<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\"/>\n", px,
                       frame_.map.y, px, frame_.map.y + frame_.map.height);
  });
  lines(frame_.minY, frame_.maxY, [&](double y) {
    const float py = frame_.Y(y);
    svg += fmt::format("<line x1=\"{:.1f}\" y1=\"{:.1f}\" x2=\"{:.1f}\" y2=\"{:.1f}\"/>\n",
                       frame_.map.x, py, frame_.map.x + frame_.map.width, py);
  });
  svg += "</g>\n";
}

void SnapshotWriter::DrawMarks(std::string& svg, Placement& placement) const {
  if (request_.radius) {
    const FVector centre = request_.viewer->character->Location();
    svg += fmt::format(
        "<circle class=\"radius\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"{:.1f}\" fill=\"none\" "
        "stroke=\"{}\" stroke-dasharray=\"6 4\"/>\n",
        frame_.X(centre), frame_.Y(centre), *request_.radius * frame_.scale, kRadiusColour);
  }
  for (const auto* dino : game_.Dinos()) {
    const FVector at = dino->Location();
    if (!frame_.Shows(at)) continue;
    const float x = frame_.X(at), y = frame_.Y(at);
    svg += CreatureMark(x, y, RelationOf(*dino, request_.viewer), dino->IsDead());
    placement.Occupy({x - 5, y - 5, 10, 10});
  }
  for (const auto& player : game_.Players()) {
    if (player->character == nullptr || !frame_.Shows(player->character->Location())) continue;
    const float x = frame_.X(player->character->Location());
    const float y = frame_.Y(player->character->Location());
    svg += PlayerMark(x, y, RelationOf(*player, request_.viewer));
    placement.Occupy({x - 6, y - 6, 12, 12});
  }
}

void SnapshotWriter::DrawLabels(std::string& svg, Placement& placement) {
  std::string leaders, texts;
  for (const auto& receiver : receivers_) {
    std::vector<Label> drawn;
    for (const auto& label : receiver.sent->labels) {
      ++sentLabels_;
      if (!frame_.Shows(label.at)) continue;
      drawn.push_back(label);
      std::vector<std::string> lines = PrintableLines(label.Utf8Text());
      std::size_t widest = 0;
      for (const auto& line : lines) widest = std::max(widest, Characters(line));
      const float x = frame_.X(label.at), y = frame_.Y(label.at);
      const float width = widest * kLabelCharWidth + 8;
      const float height = lines.size() * kLabelLineHeight + 4;
      const auto places = PlacesAround(x, y, width, height);
      // Where nothing is free it hangs above its point regardless.
      const Box box = placement.Place(places).value_or(places.front());
      const std::string colour = ColourText(label.colour.Shown());
      leaders += Leader(x, y, box, colour);
      texts += fmt::format(
          "<g><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" rx=\"3\" "
          "fill=\"#000000\" fill-opacity=\"0.6\"/>\n<text class=\"label\" fill=\"{}\" "
          "font-family=\"DejaVu Sans Mono, monospace\" font-size=\"{}\" "
          "xml:space=\"preserve\">",
          box.x, box.y, box.width, box.height, colour, kLabelFontSize);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        texts += fmt::format("<tspan x=\"{:.1f}\" y=\"{:.1f}\">{}</tspan>", box.x + 4,
                             box.y + 2 + (i + 0.8f) * kLabelLineHeight, SvgText(lines[i]));
      }
      texts += "</text></g>\n";
    }
    drawnLabels_ += drawn.size();
    CountLabelKinds(actors_, *receiver.player, drawn, drawnKinds_);
  }
  svg += leaders + texts;
}

void SnapshotWriter::DrawNames(std::string& svg, Placement& placement) const {
  const auto name = [&](const FVector& at, const std::string& text, bool always,
                        const char* colour) {
    const float x = frame_.X(at), y = frame_.Y(at);
    const float width = Characters(text) * kNameCharWidth, height = 13;
    std::vector<Box> places{{x + 8, y - height / 2, width, height},
                            {x - 8 - width, y - height / 2, width, height},
                            {x - width / 2, y + 7, width, height},
                            {x - width / 2, y - 7 - height, width, height}};
    // A name that must be shown may stand further off, as a label does.
    if (always) {
      const auto further = PlacesAround(x, y, width, height);
      places.insert(places.end(), further.begin(), further.end());
    }
    const auto box = placement.Place(places);
    if (!box && !always) return;
    const Box place = box.value_or(places.front());
    svg += Leader(x, y, place, colour);
    svg += fmt::format("<text class=\"name\" x=\"{:.1f}\" y=\"{:.1f}\" fill=\"{}\">{}</text>\n",
                       place.x, place.y + 10, colour, SvgText(text));
  };
  // Players always, being few and what a person looks for; creatures where there is room.
  for (const auto& player : game_.Players()) {
    if (player->character && frame_.Shows(player->character->Location())) {
      name(player->character->Location(), player->name, true, kPlayerNameColour);
    }
  }
  for (const auto* dino : game_.Dinos()) {
    if (frame_.Shows(dino->Location())) {
      name(dino->Location(), Excerpt(dino->DescriptiveName.ToString(), 30), false,
           kCreatureNameColour);
    }
  }
}

std::string SnapshotWriter::ScaleBar() const {
  const double metres = ScaleStep((frame_.maxX - frame_.minX) / kUnitsPerMetre);
  const double length = metres * kUnitsPerMetre * frame_.scale;
  const float x = frame_.map.x + 14, y = frame_.map.y + frame_.map.height - 16;
  return fmt::format(
      "<g class=\"scale\"><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"30\" "
      "fill=\"#000000\" fill-opacity=\"0.55\" rx=\"3\"/>\n"
      "<path d=\"M{:.1f} {:.1f} v6 h{:.1f} v-6\" fill=\"none\" stroke=\"#f0f0f0\" "
      "stroke-width=\"2\"/>\n"
      "<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"#f0f0f0\" font-size=\"12\">{} m</text></g>\n",
      x - 8, y - 20, length + 16 + 50, x, y - 6, length, x + length + 8, y, metres);
}

std::string SnapshotWriter::Title() const {
  std::string view = "the whole world";
  if (request_.viewer) {
    view = fmt::format("{}'s view", SvgText(Excerpt(request_.viewer->name)));
    if (request_.radius) view += fmt::format(", {} m around", *request_.radius / kUnitsPerMetre);
  }
  return fmt::format(
      "<text class=\"title\" x=\"{}\" y=\"30\" font-size=\"18\" font-weight=\"bold\" "
      "fill=\"#f0f0f0\">Packsentinel devserver: {}</text>\n"
      "<text class=\"subtitle\" x=\"{}\" y=\"50\" font-size=\"12\" fill=\"#aab2bd\">tick {}, "
      "{} players, {} creatures, {} of {} labels inside the frame</text>\n",
      kMargin, view, kMargin, framework::Events().Tick(), game_.Players().size(),
      game_.Dinos().size(), drawnLabels_, sentLabels_);
}

LegendWriter SnapshotWriter::Legend() const {
  LegendWriter legend(frame_.map.x + frame_.map.width + kMargin, kTop);
  legend.Heading("Marks");
  if (request_.viewer) {
    legend.Player(Relation::Viewer, Excerpt(request_.viewer->name) + " (the viewer)");
    legend.Player(Relation::Mate, "tribe mate");
    legend.Player(Relation::Player, "other player");
    legend.Creature(Relation::OwnCreature, false, "own tribe's creature");
    legend.Creature(Relation::TamedCreature, false, "other tribe's creature");
  } else {
    legend.Player(Relation::Player, "player");
    legend.Creature(Relation::TamedCreature, false, "tamed creature");
  }
  legend.Creature(Relation::WildCreature, false, "wild creature");
  legend.Creature(Relation::WildCreature, true, "dead creature");
  if (request_.radius) legend.Radius(fmt::format("{} m around", *request_.radius / kUnitsPerMetre));
  legend.Heading(request_.viewer
                     ? fmt::format("Labels {} was last sent", Excerpt(request_.viewer->name))
                     : "Labels each player was last sent");
  if (drawnKinds_.empty()) legend.Note("none");
  for (const auto& kind : drawnKinds_) {
    legend.LabelColour(
        kind.colour, fmt::format("{} {} over {}", kind.count, ColourText(kind.colour), kind.kind));
  }
  return legend;
}

std::string SnapshotWriter::Write() {
  Placement placement(frame_.map);
  std::string marks, labels, names;
  DrawMarks(marks, placement);
  DrawLabels(labels, placement);
  DrawNames(names, placement);
  const Box& map = frame_.map;
  const float width = map.x + map.width + kMargin + kLegendWidth + kMargin;
  const LegendWriter legend = Legend();
  const float height = std::max(map.y + map.height, legend.Bottom()) + kMargin;
  std::string svg = fmt::format(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0:.0f}\" height=\"{1:.0f}\" "
      "viewBox=\"0 0 {0:.0f} {1:.0f}\" font-family=\"DejaVu Sans, Verdana, sans-serif\" "
      "font-size=\"11\">\n<rect width=\"100%\" height=\"100%\" fill=\"{2}\"/>\n",
      width, height, kBackgroundColour);
  svg += Title();
  svg += fmt::format(
      "<defs><clipPath id=\"map\"><rect x=\"{0:.1f}\" y=\"{1:.1f}\" width=\"{2:.1f}\" "
      "height=\"{3:.1f}\"/></clipPath></defs>\n<rect x=\"{0:.1f}\" y=\"{1:.1f}\" "
      "width=\"{2:.1f}\" height=\"{3:.1f}\" fill=\"{4}\" stroke=\"#3a414b\"/>\n"
      "<g clip-path=\"url(#map)\">\n",
      map.x, map.y, map.width, map.height, kMapColour);
  DrawGrid(svg);
  svg += marks + labels + names + "</g>\n" + ScaleBar() + legend.Svg() + "</svg>\n";
  return svg;
}

}  // namespace

void DevServer::WriteSnapshot(const std::vector<Word>& words, std::ostream& answers) {
  constexpr const char* kUsage = "snapshot takes FILE.svg [NAME] [radius=M]";
  if (words.size() < 2 || words.size() > 4) throw ScenarioError(kUsage);
  Request request;
  request.file = words[1].text;
  if (!EndsInSvg(request.file)) {
    throw ScenarioError(
        fmt::format("snapshot writes SVG: the file must end in .svg, not {}",
                    Excerpt(std::filesystem::path(request.file).filename().string())));
  }
  for (std::size_t i = 2; i < words.size(); ++i) {
    const std::string_view word = words[i].text;
    if (word.substr(0, 7) == "radius=") {
      if (request.radius) throw ScenarioError(kUsage);
      const float metres = ParseFloat(word.substr(7));
      if (!(metres > 0.f) || metres > 1e7f) {
        throw ScenarioError(fmt::format("radius must be above 0 and at most 10000000 metres: {}",
                                        Excerpt(word.substr(7))));
      }
      request.radius = metres * kUnitsPerMetre;
    } else if (request.viewer == nullptr) {
      request.viewer = &PlayerNamed(word);
    } else {
      throw ScenarioError(kUsage);
    }
  }
  if (request.radius) {
    if (request.viewer == nullptr) throw ScenarioError("radius= needs a player NAME to centre on");
    if (request.viewer->character == nullptr) {
      throw ScenarioError(Excerpt(request.viewer->name) + " has no character to centre on");
    }
  }
  const std::string svg = SnapshotWriter(*game_, request, labels_).Write();
  std::ofstream out(request.file, std::ios::trunc);
  out << svg;
  out.close();
  if (!out) throw ScenarioError("can't write " + Excerpt(request.file));
  answers << "wrote " << request.file << "\n";
}

}  // namespace devserver

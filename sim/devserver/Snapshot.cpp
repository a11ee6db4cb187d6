// A top-down map for a person: players and creatures marked by tribe, the labels drawn as they
// were sent and arrows at the edge towards those beyond it, a legend, a scale bar in metres,
// latitude and longitude ticks, the north arrow, the tick and a title.

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
#include "devserver/Files.h"
#include "devserver/MapColours.h"
#include "devserver/MapCoordinates.h"
#include "devserver/Placement.h"
#include "devserver/Reports.h"
#include "devserver/Signals.h"
#include "devserver/SnapshotEdges.h"
#include "devserver/SnapshotFrame.h"
#include "devserver/SnapshotStyle.h"
#include "devserver/TribeKey.h"

namespace devserver {
namespace {

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

// "1 player", "2 players".
std::string Counted(std::size_t count, std::string_view thing) {
  return fmt::format("{} {}{}", count, thing, count == 1 ? "" : "s");
}

// Label counts by the name of their colour, as a person tells them apart: labels in two greens
// are counted as one green.
std::vector<std::pair<const SchemeColour*, LabelKindCount>> ByColourName(
    const std::vector<LabelKindCount>& kinds) {
  std::vector<std::pair<const SchemeColour*, LabelKindCount>> named;
  for (const auto& kind : kinds) {
    const SchemeColour* colour = &NamedColour(kind.colour);
    const auto it = std::find_if(named.begin(), named.end(), [&](const auto& entry) {
      return entry.first == colour && entry.second.kind == kind.kind;
    });
    if (it == named.end()) {
      named.emplace_back(colour, kind);
    } else {
      it->second.count += kind.count;
    }
  }
  return named;
}

// A map of a million creatures takes a while: Ctrl-C stops it, and nothing is written.
void StopIfSignalled() {
  if (signals::Pending()) throw Interrupted("snapshot stopped: nothing written");
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

// A label's text on a dark box, a line at a time.
std::string LabelBox(const Box& box, std::string_view colour,
                     const std::vector<std::string>& lines) {
  std::string svg = fmt::format(
      "<g><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.1f}\" rx=\"3\" "
      "fill=\"#000000\" fill-opacity=\"0.6\"/>\n<text class=\"label\" fill=\"{}\" "
      "font-family=\"DejaVu Sans Mono, monospace\" font-size=\"{}\" "
      "xml:space=\"preserve\">",
      box.x, box.y, box.width, box.height, colour, kLabelFontSize);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    svg += fmt::format("<tspan x=\"{:.1f}\" y=\"{:.1f}\">{}</tspan>", box.x + 4,
                       box.y + 2 + (i + 0.8f) * kLabelLineHeight, SvgText(lines[i]));
  }
  return svg + "</text></g>\n";
}

class SnapshotWriter {
 public:
  SnapshotWriter(const game::Game& game, const Request& request,
                 const std::map<std::string, SentLabels, std::less<>>& sent,
                 const MapCoordinates& coordinates)
      : game_(game),
        request_(request),
        coordinates_(coordinates),
        actors_(game),
        frame_(ChooseFrame(sent)),
        tribes_(game, frame_, request.viewer) {
    for (const auto& [name, labels] : sent) {
      if (request.viewer && name != request.viewer->name) continue;
      if (const game::Player* player = game.FindPlayer(name)) {
        receivers_.push_back({player, &labels});
      }
    }
  }

  std::string Write();

 private:
  struct Receiver {
    const game::Player* player;
    const SentLabels* sent;
  };

  Frame ChooseFrame(const std::map<std::string, SentLabels, std::less<>>& sent) const;
  void DrawMarks(std::string& svg, Placement& placement);
  void DrawLabels(std::string& svg, Placement& placement);
  std::string OffFrameArrows(const std::vector<Label>& labels, Placement& placement) const;
  void DrawNames(std::string& svg, Placement& placement) const;
  std::string ScaleBar(Placement& placement) const;
  LegendWriter Legend() const;
  std::string Title() const;

  const game::Game& game_;
  const Request& request_;
  const MapCoordinates& coordinates_;
  const ActorsByPlace actors_;
  const Frame frame_;
  const TribeKey tribes_;
  std::vector<Receiver> receivers_;
  std::vector<LabelKindCount> drawnKinds_;
  std::size_t shownPlayers_ = 0, shownCreatures_ = 0;
  std::size_t drawnLabels_ = 0, sentLabels_ = 0;
};

Frame SnapshotWriter::ChooseFrame(
    const std::map<std::string, SentLabels, std::less<>>& sent) const {
  constexpr float kX = kMargin + kLatitudeColumn;
  if (request_.radius) {
    const FVector centre = request_.viewer->character->Location();
    const double r = *request_.radius;
    return FrameAround(centre.X - r, centre.Y - r, centre.X + r, centre.Y + r, r * 0.05f, kX, kTop);
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
    if (const auto it = sent.find(request_.viewer->name); it != sent.end()) {
      for (const auto& label : it->second.labels) add(label.at);
    }
  } else {
    // Where the players are: a creature far out would leave them a speck. Only a world without
    // them is framed by its creatures.
    for (const auto& player : game_.Players()) {
      if (player->character) add(player->character->Location());
    }
    if (empty) {
      for (const auto* dino : game_.Dinos()) add(dino->Location());
    }
  }
  const double extent = std::max({maxX - minX, maxY - minY, 20.0 * kUnitsPerMetre});
  return FrameAround(minX, minY, maxX, maxY, std::max(extent * 0.08, 10.0 * kUnitsPerMetre), kX,
                     kTop);
}

void SnapshotWriter::DrawMarks(std::string& svg, Placement& placement) {
  if (request_.radius) {
    const FVector centre = request_.viewer->character->Location();
    svg += fmt::format(
        "<circle class=\"radius\" cx=\"{:.1f}\" cy=\"{:.1f}\" r=\"{:.1f}\" fill=\"none\" "
        "stroke=\"{}\" stroke-dasharray=\"6 4\"/>\n",
        frame_.X(centre), frame_.Y(centre), *request_.radius * frame_.scale, kRadiusColour);
  }
  for (const auto* dino : game_.Dinos()) {
    StopIfSignalled();
    const FVector at = dino->Location();
    if (!frame_.Shows(at)) continue;
    ++shownCreatures_;
    const float x = frame_.X(at), y = frame_.Y(at);
    svg += dino->IsDead() ? CreatureMark(x, y, "", true)
                          : CreatureMark(x, y, tribes_.CreatureFill(*dino), false);
    placement.Occupy({x - 5, y - 5, 10, 10});
  }
  for (const auto& player : game_.Players()) {
    if (player->character == nullptr || !frame_.Shows(player->character->Location())) continue;
    ++shownPlayers_;
    const float x = frame_.X(player->character->Location());
    const float y = frame_.Y(player->character->Location());
    svg += PlayerMark(x, y, tribes_.PlayerFill(*player));
    if (player.get() == request_.viewer) {
      svg += ViewerRing(x, y);
      placement.Occupy({x - 11, y - 11, 22, 22});
    } else {
      placement.Occupy({x - 6, y - 6, 12, 12});
    }
  }
}

void SnapshotWriter::DrawLabels(std::string& svg, Placement& placement) {
  std::string leaders, texts;
  std::vector<Label> offFrame;
  for (const auto& receiver : receivers_) {
    std::vector<Label> drawn;
    for (const auto& label : receiver.sent->labels) {
      StopIfSignalled();
      ++sentLabels_;
      if (!frame_.Shows(label.at)) {
        offFrame.push_back(label);
        continue;
      }
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
      texts += LabelBox(box, colour, lines);
    }
    drawnLabels_ += drawn.size();
    CountLabelKinds(actors_, *receiver.player, drawn, drawnKinds_);
  }
  // After the labels inside, which have the first pick of places.
  svg += OffFrameArrows(offFrame, placement) + leaders + texts;
}

// Each at the edge where the line from the centre towards its label leaves the map, with the
// label's first line beside it where there is room, and its whole text as a title.
std::string SnapshotWriter::OffFrameArrows(const std::vector<Label>& labels,
                                           Placement& placement) const {
  constexpr float kCaptionCharWidth = 6.1f, kCaptionHeight = 12;
  std::string svg;
  for (const auto& label : labels) {
    const EdgePoint edge = EdgeToward(frame_, label.at, 3);
    const std::string text = label.Utf8Text();
    svg += fmt::format("<g class=\"off-frame\"><title>{}</title>\n", SvgText(Excerpt(text, 60)));
    svg += Arrowhead(edge.x, edge.y, edge.dx, edge.dy, NamedColour(label.colour.Shown()).fill);
    placement.Occupy({edge.x - 12, edge.y - 12, 24, 24});
    const std::string caption = Excerpt(SplitLines(text).front(), 24);
    const float width = Characters(caption) * kCaptionCharWidth + 4;
    const float nearX = edge.x - edge.dx * 18, nearY = edge.y - edge.dy * 18;
    if (const auto box = placement.Place(PlacesAround(nearX, nearY, width, kCaptionHeight))) {
      svg += fmt::format(
          "<text class=\"caption\" x=\"{:.1f}\" y=\"{:.1f}\" fill=\"{}\" "
          "font-family=\"DejaVu Sans Mono, monospace\" font-size=\"10\" "
          "xml:space=\"preserve\">{}</text>\n",
          box->x + 2, box->y + 9.5f, ColourText(label.colour.Shown()), SvgText(caption));
    }
    svg += "</g>\n";
  }
  return svg;
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
    StopIfSignalled();
    if (frame_.Shows(dino->Location())) {
      name(dino->Location(), Excerpt(dino->DescriptiveName.ToString(), 30), false,
           kCreatureNameColour);
    }
  }
}

std::string SnapshotWriter::ScaleBar(Placement& placement) const {
  const double metres = RoundStep((frame_.maxX - frame_.minX) / kUnitsPerMetre);
  const double length = metres * kUnitsPerMetre * frame_.scale;
  const float x = frame_.map.x + 14, y = frame_.map.y + frame_.map.height - 16;
  const Box box{x - 8, y - 20, static_cast<float>(length) + 16 + 50, 30};
  placement.Occupy(box);
  return fmt::format(
      "<g class=\"scale\"><rect x=\"{:.1f}\" y=\"{:.1f}\" width=\"{:.1f}\" height=\"{:.0f}\" "
      "fill=\"#000000\" fill-opacity=\"0.55\" rx=\"3\"/>\n"
      "<path d=\"M{:.1f} {:.1f} v6 h{:.1f} v-6\" fill=\"none\" stroke=\"#f0f0f0\" "
      "stroke-width=\"2\"/>\n"
      "<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"#f0f0f0\" font-size=\"12\">{} m</text></g>\n",
      box.x, box.y, box.width, box.height, x, y - 6, length, x + length + 8, y, metres);
}

// What the frame shows, and what lies outside it.
std::string SnapshotWriter::Title() const {
  std::string view = "the whole world";
  if (request_.viewer) {
    view = fmt::format("{}'s view", SvgText(Excerpt(request_.viewer->name)));
    if (request_.radius) view += fmt::format(", {} m around", *request_.radius / kUnitsPerMetre);
  }
  std::size_t players = 0;
  for (const auto& player : game_.Players()) players += player->character != nullptr;
  const std::size_t creatures = game_.Dinos().size();
  std::string outside;
  if (players > shownPlayers_) outside = Counted(players - shownPlayers_, "player");
  if (creatures > shownCreatures_) {
    outside += (outside.empty() ? "" : " and ") + Counted(creatures - shownCreatures_, "creature");
  }
  return fmt::format(
      "<text class=\"title\" x=\"{}\" y=\"30\" font-size=\"18\" font-weight=\"bold\" "
      "fill=\"#f0f0f0\">Packsentinel devserver: {}</text>\n"
      "<text class=\"subtitle\" x=\"{}\" y=\"50\" font-size=\"12\" fill=\"#aab2bd\">tick {}, "
      "{}, {}, {} of {} inside the frame{}</text>\n",
      kMargin, view, kMargin, framework::Events().Tick(), Counted(shownPlayers_, "player"),
      Counted(shownCreatures_, "creature"), drawnLabels_, Counted(sentLabels_, "label"),
      outside.empty() ? "" : "; outside it: " + outside);
}

LegendWriter SnapshotWriter::Legend() const {
  LegendWriter legend(frame_.map.x + frame_.map.width + kMargin, kTop);
  legend.Heading("Marks");
  if (request_.viewer) {
    legend.Viewer(tribes_.PlayerFill(*request_.viewer),
                  Excerpt(request_.viewer->name) + " (the viewer)");
  }
  tribes_.Explain(legend);
  legend.Creature(WildColour().fill, false, "wild creature");
  legend.Creature("", true, "dead creature");
  if (request_.radius) legend.Radius(fmt::format("{} m around", *request_.radius / kUnitsPerMetre));

  std::vector<std::string> receivers;
  for (const auto& receiver : receivers_) receivers.push_back(receiver.player->name);
  if (request_.viewer && receivers.empty()) receivers.push_back(request_.viewer->name);
  legend.Heading(receivers.empty() ? "Labels last sent"
                                   : "Labels last sent to " + NameList(receivers));
  if (sentLabels_ == 0) legend.Note("none");
  for (const auto& [colour, kind] : ByColourName(drawnKinds_)) {
    legend.LabelColour(colour->fill,
                       fmt::format("{} {} over {}", kind.count, colour->name, kind.kind));
  }
  if (sentLabels_ > drawnLabels_) {
    legend.OffFrame(kEdgeTextColour,
                    fmt::format("{} outside the frame (edge arrows)", sentLabels_ - drawnLabels_));
  }

  legend.Heading("Grid");
  legend.Note("latitude left, longitude below,");
  legend.Note("as /finddino gives them");
  return legend;
}

std::string SnapshotWriter::Write() {
  Placement placement(frame_.map);
  const NorthArrow north = DrawNorthArrow(frame_, coordinates_);
  placement.Occupy(north.box);
  const std::string scaleBar = ScaleBar(placement);
  const Graticule graticule = DrawGraticule(frame_, coordinates_);
  std::string marks, labels, names;
  DrawMarks(marks, placement);
  DrawLabels(labels, placement);
  DrawNames(names, placement);
  const Box& map = frame_.map;
  const float width = map.x + map.width + kMargin + kLegendWidth + kMargin;
  const LegendWriter legend = Legend();
  const float height = std::max(map.y + map.height + kLongitudeRow, legend.Bottom()) + kMargin;
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
  svg += graticule.lines + marks + labels + names + "</g>\n" + graticule.numbers + north.svg +
         scaleBar + legend.Svg() + "</svg>\n";
  return svg;
}

}  // namespace

void DevServer::WriteSnapshot(const CommandLine& line) {
  const auto& words = line.words;
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
      if (request.radius) line.command.RefuseWords();
      const float metres = ParseFloat(word.substr(7));
      if (!(metres > 0.f) || metres > 1e7f) {
        throw ScenarioError(fmt::format("radius must be above 0 and at most 10000000 metres: {}",
                                        Excerpt(word.substr(7))));
      }
      request.radius = metres * kUnitsPerMetre;
    } else if (request.viewer == nullptr) {
      request.viewer = &PlayerNamed(word);
    } else {
      line.command.RefuseWords();
    }
  }
  if (request.radius) {
    if (request.viewer == nullptr) throw ScenarioError("radius= needs a player NAME to centre on");
    if (request.viewer->character == nullptr) {
      throw ScenarioError(Excerpt(request.viewer->name) + " has no character to centre on");
    }
  }
  const std::string svg =
      SnapshotWriter(*game_, request, labels_, MapCoordinates(game_->WorldSettings())).Write();
  ExpectFileOrNothing(request.file, Excerpt(request.file));
  std::ofstream out(request.file, std::ios::trunc);
  out << svg;
  out.close();
  if (!out) throw ScenarioError("can't write " + Excerpt(request.file));
  line.answers << "wrote " << request.file << "\n";
}

}  // namespace devserver

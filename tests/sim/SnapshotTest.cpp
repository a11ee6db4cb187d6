// The map a person reads: every label in the colour it was sent with and on its own lines, an
// arrow at the edge towards each beyond it, one colour scheme for marks and labels named in a
// legend, a subtitle that counts what the frame shows, a scale bar that measures the map,
// latitudes and longitudes where /finddino gives them, labels kept apart, and arguments it cannot
// draw refused before anything is written.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "devserver/Placement.h"
#include "devserver/Signals.h"
#include "support/DevServerRun.h"

namespace {

using testing_support::DevServerRun;
using testing_support::kAliceTracksEverything;

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Each match of pattern: the whole of it and its groups, copied out of text.
std::vector<std::vector<std::string>> All(const std::string& text, const std::string& pattern) {
  std::vector<std::vector<std::string>> found;
  const std::regex expression(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), expression);
       it != std::sregex_iterator(); ++it) {
    found.emplace_back(it->begin(), it->end());
  }
  return found;
}

struct DrawnLabel {
  std::string fill;
  std::string text;  // its lines joined by line feeds
  float x, y, width, height;
};

std::vector<DrawnLabel> Labels(const std::string& svg) {
  std::vector<DrawnLabel> labels;
  for (
      const auto& m :
      All(svg,
          R"re(<rect x="([-\d.]+)" y="([-\d.]+)" width="([\d.]+)" height="([\d.]+)"[^>]*/>\n<text class="label" fill="([^"]+)"[^>]*>(.*)</text>)re")) {
    DrawnLabel label{m[5], "", std::stof(m[1]), std::stof(m[2]), std::stof(m[3]), std::stof(m[4])};
    const std::string spans = m[6];
    for (const auto& line : All(spans, "<tspan[^>]*>([^<]*)</tspan>")) {
      label.text += (label.text.empty() ? "" : "\n") + line[1];
    }
    labels.push_back(label);
  }
  return labels;
}

// The map without its legend, whose entries show the same marks.
std::string MapPart(const std::string& svg) {
  return svg.substr(0, svg.find("<g class=\"legend\">"));
}

// The colour a player sees, from the event's own form of it, written out by hand.
std::string Shown(const framework::Event& colour) {
  const std::map<std::string, std::string> seen = {{"[1.0,1.0,0.0,1.0]", "#FFFF00"},
                                                   {"[0.0,1.0,0.0,1.0]", "#00FF00"},
                                                   {"\"FF35C211\"", "#35C211"}};
  const auto it = seen.find(colour.dump());
  return it == seen.end() ? "unexpected " + colour.dump() : it->second;
}

class SnapshotTest : public testing::Test {
 protected:
  void SetUp() override {
    framework::Events().ClearRetained();
    framework::Events().SetRetain(true);
    ASSERT_EQ(run_.Run(std::string(kAliceTracksEverything) + "snapshot " + run_.PathOf("map.svg") +
                       " alice radius=120"),
              0)
        << run_.TakeAnswers();
    framework::Events().SetRetain(false);
    EXPECT_EQ(run_.TakeAnswers(), "wrote " + run_.PathOf("map.svg") + "\n");
    svg_ = Read(run_.PathOf("map.svg"));
  }

  DevServerRun run_;
  std::string svg_;
};

TEST_F(SnapshotTest, DrawsEachLabelInItsSentColourOnItsLines) {
  // What alice was sent, by text; all but two lie within 120 m of her east, west, north and
  // south.
  std::map<std::string, std::string> sent;
  for (const auto& event : framework::Events().Retained()) {
    if (event["event"] == "debug_string" || event["event"] == "floating_text") {
      const auto& at = event["at"];
      if (std::abs(at[0].get<float>()) <= 12000 && std::abs(at[1].get<float>()) <= 12000) {
        sent[event["text"]] = Shown(event["color"]);
      }
    }
  }
  ASSERT_EQ(sent.size(), 7u);
  std::map<std::string, std::string> drawn;
  for (const auto& label : Labels(svg_)) drawn[label.text] = label.fill;
  EXPECT_EQ(drawn, sent);
  EXPECT_EQ(drawn["Rex\n  10m"], "#00FF00");  // a tribe label, on its two lines
  EXPECT_EQ(drawn["bob 17m"], "#35C211");
  EXPECT_EQ(drawn["Rex 150 37m"], "#FFFF00");
  EXPECT_NE(svg_.find("alice's view, 120 m around</text>"), std::string::npos);
}

// Every kind of mark is explained, with the mark the map uses. Marks and labels share one scheme
// of colours a person can name: a label's legend entry is the colour of the marks it floats over,
// and its two greens are one. The map holds as many marks of each as the world has in the frame.
TEST_F(SnapshotTest, LegendExplainsEveryMarkAndLabelColourInOneScheme) {
  std::map<std::string, std::string> fills;  // meaning to the fill of its mark
  const std::string legend = svg_.substr(svg_.find("<g class=\"legend\">"));
  for (
      const auto& m :
      All(legend,
          R"re(((?:<(?:rect|circle|line|path) [^\n]*\n)+)<text class="legend-entry"[^>]*>([^<]*)</text>)re")) {
    const std::string mark = m[1];
    const auto fill = All(mark, R"re(fill="([^"]+)")re");
    fills[m[2]] = fill.empty() ? "" : fill.front()[1];
    EXPECT_EQ(m[2].find('#'), std::string::npos) << m[2];  // names, not codes
  }
  const std::string own = fills["tribe 50001: alice and bob"];
  const std::string wild = fills["wild creature"];
  const std::string foreign1 = fills["tribe 20000"], foreign2 = fills["tribe 60000"];
  EXPECT_EQ(std::set<std::string>({own, wild, foreign1, foreign2}).size(), 4u) << svg_;
  EXPECT_EQ(fills["alice (the viewer)"], own);
  EXPECT_EQ(fills["1 green over mate"], own);
  EXPECT_EQ(fills["3 green over tribe"], own);
  EXPECT_EQ(fills["3 yellow over wild"], wild);
  EXPECT_EQ(fills["dead creature"], "none");
  EXPECT_NE(svg_.find(">Labels last sent to alice</text>"), std::string::npos);
  EXPECT_NE(svg_.find(">120 m around</text>"), std::string::npos);
  // tamerex, tameraptor and tameptera are alice's tribe's; foreignrex and foreignraptor two
  // others'.
  std::map<std::string, int> creatures;
  for (const auto& m : All(MapPart(svg_), R"re(<circle class="creature"[^>]* fill="([^"]+)")re"))
    ++creatures[m[1]];
  EXPECT_EQ(creatures[own], 3);
  EXPECT_EQ(creatures[foreign1], 1);
  EXPECT_EQ(creatures[foreign2], 1);
  EXPECT_EQ(creatures[wild], 15);
}

// The bar's length in metres equals the distance between two marks a known way apart.
TEST_F(SnapshotTest, ScaleBarMeasuresTheMap) {
  const auto bar = All(
      svg_, R"re(<path d="M[-\d.]+ [-\d.]+ v6 h([\d.]+) v-6"[^\n]*\n<text[^>]*>(\d+) m</text>)re");
  ASSERT_EQ(bar.size(), 1u) << svg_;
  const float pixelsPerMetre = std::stof(bar[0][1]) / std::stof(bar[0][2]);
  const std::string map = MapPart(svg_);
  const auto players = All(map, R"re(<rect class="player" x="([-\d.]+)" y="([-\d.]+)")re");
  ASSERT_EQ(players.size(), 2u);  // alice at 0 0 and bob at 1500 800; the others far away
  const float pixels = std::hypot(std::stof(players[1][1]) - std::stof(players[0][1]),
                                  std::stof(players[1][2]) - std::stof(players[0][2]));
  EXPECT_NEAR(pixels / pixelsPerMetre, 17.f, 0.2f);
  // Bob lies east and south of alice (y grows to the south): right and down, north up.
  EXPECT_GT(std::stof(players[1][1]), std::stof(players[0][1]));
  EXPECT_GT(std::stof(players[1][2]), std::stof(players[0][2]));
}

TEST_F(SnapshotTest, LabelsDoNotOverlap) {
  const auto labels = Labels(svg_);
  ASSERT_EQ(labels.size(), 7u);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      const auto& a = labels[i];
      const auto& b = labels[j];
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                         b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << a.text << " and " << b.text;
    }
  }
}

// Each label beyond the frame has an arrow on the map's edge, pointing from alice, at the
// centre, towards where the label is.
TEST_F(SnapshotTest, LabelsOutsideTheFrameHaveArrowsAtItsEdge) {
  std::map<std::string, std::pair<float, float>> outside;  // text to where alice was sent it
  for (const auto& event : framework::Events().Retained()) {
    if (event["event"] == "debug_string" || event["event"] == "floating_text") {
      const float x = event["at"][0], y = event["at"][1];
      if (std::abs(x) > 12600 || std::abs(y) > 12600) outside[event["text"]] = {x, y};
    }
  }
  ASSERT_EQ(outside.size(), 2u);
  const auto map = All(
      svg_,
      R"re(<clipPath id="map"><rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)")re");
  ASSERT_EQ(map.size(), 1u);
  const float left = std::stof(map[0][1]), top = std::stof(map[0][2]);
  const float right = left + std::stof(map[0][3]), bottom = top + std::stof(map[0][4]);
  const auto arrows = All(
      svg_,
      R"re(<g class="off-frame"><title>([^<]*)</title>\n<path class="arrowhead" d="M([-\d.]+) ([-\d.]+) L([-\d.]+) ([-\d.]+) L([-\d.]+) ([-\d.]+) Z" fill="([^"]+)")re");
  ASSERT_EQ(arrows.size(), outside.size()) << svg_;
  for (const auto& m : arrows) {
    SCOPED_TRACE(m[1]);
    ASSERT_EQ(outside.count(m[1]), 1u);
    const float tipX = std::stof(m[2]), tipY = std::stof(m[3]);
    const float edge = std::min({tipX - left, right - tipX, tipY - top, bottom - tipY});
    EXPECT_GE(edge, 0.f);
    EXPECT_LE(edge, 5.f);
    // From the middle of its base to its tip, the way to the label: y down is south.
    const float wayX = tipX - (std::stof(m[4]) + std::stof(m[6])) / 2;
    const float wayY = tipY - (std::stof(m[5]) + std::stof(m[7])) / 2;
    const auto [x, y] = outside[m[1]];
    EXPECT_GT((wayX * x + wayY * y) / std::hypot(wayX, wayY) / std::hypot(x, y), 0.999f);
    EXPECT_NE(svg_.find(R"(fill=")" + m[8] + R"("/>)" + "\n<text class=\"legend-entry\""),
              std::string::npos)
        << "an arrow in a colour the legend does not explain";
  }
  EXPECT_NE(svg_.find(">2 outside the frame (edge arrows)</text>"), std::string::npos);
}

// The subtitle counts what the frame shows, as the map draws it, and what lies outside.
TEST(SnapshotCountsTest, SubtitleCountsWhatTheFrameShows) {
  const struct {
    const char* view;
    int players, creatures;  // shown, of the default world's 5 and 35
  } cases[] = {{" alice radius=120", 2, 20}, {" alice", 2, 23}, {"", 5, 29}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.view);
    DevServerRun run;
    ASSERT_EQ(
        run.Run(std::string(kAliceTracksEverything) + "snapshot " + run.PathOf("m.svg") + c.view),
        0);
    const std::string svg = Read(run.PathOf("m.svg"));
    const auto subtitle = All(
        svg,
        R"re(class="subtitle"[^>]*>tick 21, (\d+) players?, (\d+) creatures?, (\d+) of (\d+) labels? inside the frame; outside it: (?:(\d+) players? and )?(\d+) creatures?</text>)re");
    ASSERT_EQ(subtitle.size(), 1u) << svg;
    const std::string map = MapPart(svg);
    EXPECT_EQ(std::stoi(subtitle[0][1]), c.players);
    EXPECT_EQ(All(map, R"(<rect class="player")").size(), std::size_t(c.players));
    EXPECT_EQ(std::stoi(subtitle[0][2]), c.creatures);
    EXPECT_EQ(All(map, R"(<circle class="creature")").size(), std::size_t(c.creatures));
    EXPECT_EQ(std::stoul(subtitle[0][3]), Labels(svg).size());
    EXPECT_EQ(subtitle[0][5].empty() ? 0 : std::stoi(subtitle[0][5]), 5 - c.players);
    EXPECT_EQ(std::stoi(subtitle[0][6]), 35 - c.creatures);
  }
}

// Without a viewer the frame fits the players, not the creatures far out, and every player's
// labels; players are coloured by tribe, each tribe named in the legend.
TEST(SnapshotWorldTest, FitsThePlayersWithoutAViewer) {
  DevServerRun run;
  ASSERT_EQ(run.Run(std::string(kAliceTracksEverything) +
                    "chat carol /trackmates on\ntick 21\nsnapshot " + run.PathOf("world.svg")),
            0);
  const std::string svg = Read(run.PathOf("world.svg"));
  const std::string map = MapPart(svg);
  EXPECT_EQ(Labels(svg).size(), 10u);  // alice's nine and carol's one
  EXPECT_NE(svg.find("the whole world</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Labels last sent to alice and carol</text>"), std::string::npos);
  // eve, north-east, and carol and dave, south-west, lie near opposite corners.
  const auto side =
      All(svg, R"re(<clipPath id="map"><rect [^>]* width="([\d.]+)" height="([\d.]+)")re");
  ASSERT_EQ(side.size(), 1u);
  float minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  std::map<std::string, int> players;  // by fill
  for (const auto& m :
       All(map, R"re(<rect class="player" x="([-\d.]+)" y="([-\d.]+)"[^>]* fill="([^"]+)")re")) {
    minX = std::min(minX, std::stof(m[1]));
    maxX = std::max(maxX, std::stof(m[1]));
    minY = std::min(minY, std::stof(m[2]));
    maxY = std::max(maxY, std::stof(m[2]));
    ++players[m[3]];
  }
  EXPECT_GT((maxX - minX) / std::stof(side[0][1]), 0.75f);
  EXPECT_GT((maxY - minY) / std::stof(side[0][2]), 0.75f);
  const std::string legend = svg.substr(svg.find("<g class=\"legend\">"));
  const auto fillOf = [&](const std::string& meaning) {
    const auto m = All(
        legend,
        R"re(<(?:rect|circle) [^\n]*?fill="([^"]+)"[^\n]*\n(?:<(?:rect|circle) [^\n]*\n)?<text class="legend-entry"[^>]*>)re" +
            meaning + "</text>");
    return m.empty() ? "none for " + meaning : m[0][1];
  };
  EXPECT_EQ(players, (std::map<std::string, int>{{fillOf("tribe 50001: alice and bob"), 2},
                                                 {fillOf("tribe 50002: carol and dave"), 2},
                                                 {fillOf("eve, no tribe"), 1}}));
  // Far out: the giga, the giga rex, the fire wyvern, the tek rex, the brontosaurus and a dodo.
  EXPECT_EQ(All(map, R"(<circle class="creature")").size(), 29u);
  EXPECT_NE(svg.find("; outside it: 6 creatures</text>"), std::string::npos);
}

// However far out the world reaches, every number written is finite. The grid's lines are
// counted in whole steps; where the count is past what a double counts exactly there is none.
TEST(SnapshotWorldTest, FarWorldsAreDrawnInFiniteNumbers) {
  const struct {
    const char* what;
    std::string world;
    bool grid;
  } cases[] = {
      {"wider than a float",
       "player alice steam=1 data=1\nplayer bob steam=2 data=2 at 3.4e38 -3.4e38 0", true},
      {"a small frame far from the origin", "player far steam=1 data=1 at 8e18 8e18 0", false},
      {"latitudes beyond a float",
       "world lat_scale=1e-30 lat_origin=3e38 lon_scale=3e38\n"
       "player alice steam=1 data=1",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DevServerRun run(TEST_PLUGIN_PATH);
    ASSERT_EQ(run.Run(c.world + "\nsnapshot " + run.PathOf("far.svg")), 0) << run.TakeAnswers();
    const std::string svg = Read(run.PathOf("far.svg"));
    EXPECT_EQ(All(svg, R"(\b(inf|nan)\b)").size(), 0u) << svg;
    EXPECT_EQ(svg.find("<g class=\"grid\"") != std::string::npos, c.grid);
    EXPECT_EQ(All(MapPart(svg), R"(<rect class="player")").size(), All(c.world, "player ").size());
  }
}

// An administrator checks the map against /finddino: the grid line numbered with the latitude
// /finddino gives a creature runs through its mark, and so does the longitude's. North, where
// latitude is lower, is where the arrow points.
TEST(SnapshotCoordinatesTest, GridLinesAreWhereFinddinoPutsACreature) {
  const struct {
    const char* settings;
    int x, y;  // a point, far from the world's creatures, whose latitude and longitude are round
    bool northUp;
  } cases[] = {
      {"", 40000, 16000, true},
      {"lat_scale=400 lat_origin=-200000 lon_scale=1600 lon_origin=500000", 252000, 8000, true},
      {"lat_scale=-400 lat_origin=-200000", 40000, -408000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    framework::Events().ClearRetained();
    framework::Events().SetRetain(true);
    DevServerRun run;
    ASSERT_EQ(run.Run(fmt::format("default-world\nload\nworld {}\ndino marker Marker at {} {} 0\n"
                                  "move eve {} {} 0\nchat eve /finddino marker\nsnapshot {} eve",
                                  c.settings, c.x, c.y, c.x + 500, c.y + 500, run.PathOf("m.svg"))),
              0)
        << run.TakeAnswers();
    framework::Events().SetRetain(false);
    std::string found;
    for (const auto& event : framework::Events().Retained()) {
      if (event["event"] == "notification") found = event["text"];
    }
    const auto place = All(found, R"(Marker \| level: \d+ \| location: ([-\d.]+) ([-\d.]+))");
    ASSERT_EQ(place.size(), 1u) << found;
    const std::string svg = Read(run.PathOf("m.svg"));
    const auto marker =
        All(MapPart(svg), R"re(<circle class="creature" cx="([-\d.]+)" cy="([-\d.]+)")re");
    ASSERT_EQ(marker.size(), 1u);
    // A number's x or y is its line's.
    const auto line = [&](const char* axis, const std::string& value, int coordinate) {
      for (const auto& m :
           All(svg, std::string(R"re(<text class=")re") + axis +
                        R"re(" x="([-\d.]+)" y="([-\d.]+)"[^>]*>([^<]+)</text>)re")) {
        if (std::stof(m[3]) == std::stof(value)) return std::stof(m[coordinate]);
      }
      ADD_FAILURE() << "no line numbered " << value << " in\n" << svg;
      return 0.f;
    };
    EXPECT_NEAR(line("lat", place[0][1], 2), std::stof(marker[0][2]), 0.1f);
    EXPECT_NEAR(line("lon", place[0][2], 1), std::stof(marker[0][1]), 0.1f);
    const auto north = All(
        svg,
        R"re(<g class="north"><line [^>]* y1="([-\d.]+)"[^\n]*\n<path class="arrowhead" d="M[-\d.]+ ([-\d.]+))re");
    ASSERT_EQ(north.size(), 1u);
    EXPECT_EQ(std::stof(north[0][2]) < std::stof(north[0][1]), c.northUp);
  }
}

TEST(SnapshotArgumentsTest, RefusesWhatItCannotDrawAndWritesNothing) {
  const struct {
    std::string arguments;
    std::string error;  // none: written
  } cases[] = {
      {"map.png alice", "snapshot writes SVG: the file must end in .svg, not map.png"},
      {"map", "snapshot writes SVG: the file must end in .svg, not map"},
      {"map.svg.png", "snapshot writes SVG: the file must end in .svg, not map.svg.png"},
      {"map.svg radius=50", "radius= needs a player NAME to centre on"},
      {"map.svg alice radius=0", "radius must be above 0 and at most 10000000 metres: 0"},
      {"map.svg alice radius=-5", "radius must be above 0 and at most 10000000 metres: -5"},
      {"map.svg alice radius=1e8", "radius must be above 0 and at most 10000000 metres: 1e8"},
      {"map.svg alice radius=nan", "not a finite number: nan"},
      {"map.svg alice radius=5 radius=6", "snapshot takes FILE.svg [NAME] [radius=M]"},
      {"map.svg alice bob", "snapshot takes FILE.svg [NAME] [radius=M]"},
      {"map.svg nobody", "no player named nobody"},
      {"map.svg ghost radius=5", "ghost has no character to centre on"},
      {"map.svg far radius=1", "the frame is too small to draw this far out"},
      {"MAP.SVG", ""},
      {"map.svg radius=5 alice", ""},
      {"map.svg ghost", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    DevServerRun run(TEST_PLUGIN_PATH);
    const std::string dir = run.PathOf("out");
    std::filesystem::create_directory(dir);
    const std::string script =
        "player alice steam=1 data=1\nplayer ghost steam=2 data=2\n"
        "destroy ghost\nplayer far steam=3 data=3 at 3e38 3e38 0\nsnapshot " +
        dir + "/" + c.arguments;
    const int status = run.Run(script);
    const auto file = dir + "/" + c.arguments.substr(0, c.arguments.find(' '));
    if (c.error.empty()) {
      EXPECT_EQ(status, 0);
      EXPECT_EQ(run.TakeAnswers(), "wrote " + file + "\n");
      EXPECT_TRUE(std::filesystem::exists(file));
    } else {
      EXPECT_EQ(status, 1);
      EXPECT_EQ(run.TakeAnswers(), "t.scn:5: " + c.error + "\n");
      EXPECT_TRUE(std::filesystem::is_empty(dir));
    }
  }
}

// Ctrl-C stops a snapshot, which a large world makes long, and nothing is written.
TEST(SnapshotArgumentsTest, CtrlCStopsItAndWritesNothing) {
  devserver::signals::Install();
  DevServerRun run(TEST_PLUGIN_PATH);
  ASSERT_EQ(run.Run("player alice steam=1 data=1\ndinos 50 Dodo spread=2000"), 0);
  const std::string file = run.PathOf("map.svg");
  std::raise(SIGINT);
  try {
    run.Server().Execute("snapshot " + file);
    ADD_FAILURE() << "the snapshot ran to its end";
  } catch (const devserver::Interrupted& stop) {
    EXPECT_STREQ(stop.what(), "snapshot stopped: nothing written");
  }
  EXPECT_TRUE(devserver::signals::TakeCtrlC());
  EXPECT_FALSE(std::filesystem::exists(file));
}

// Boxes are placed where a comparison with every box taken before would place them: the grid
// that finds their neighbours misses none, whether a box spans many of its cells, lies on their
// borders, has no size, or lies partly or wholly outside the area.
TEST(PlacementTest, PlacesAsAComparisonWithEveryBoxWould) {
  const devserver::Box area{30, 60, 700, 500};
  std::mt19937 random(7);
  std::uniform_real_distribution<float> place(-100, 900), size(0, 120);
  const auto randomBox = [&] {
    // Every fourth on the grid's cell borders, which are 16 pixels apart from the area's corner.
    if (random() % 4 == 0) {
      return devserver::Box{area.x + 16.f * (random() % 50), area.y + 16.f * (random() % 40),
                            16.f * (random() % 4), 16.f * (random() % 3)};
    }
    return devserver::Box{place(random), place(random), size(random), size(random) / 4};
  };
  devserver::Placement placement(area);
  std::vector<devserver::Box> taken;
  int placedCount = 0;
  for (int i = 0; i < 3000; ++i) {
    if (i % 3 == 0) {
      const auto box = randomBox();
      placement.Occupy(box);
      taken.push_back(box);
      continue;
    }
    std::vector<devserver::Box> candidates(1 + random() % 6);
    for (auto& candidate : candidates) candidate = randomBox();
    std::optional<devserver::Box> expected;
    for (const auto& candidate : candidates) {
      const bool free = std::none_of(taken.begin(), taken.end(), [&](const devserver::Box& box) {
        return box.Overlaps(candidate);
      });
      if (candidate.Inside(area) && free) {
        expected = candidate;
        taken.push_back(candidate);
        break;
      }
    }
    const auto placed = placement.Place(candidates);
    ASSERT_EQ(placed.has_value(), expected.has_value()) << i;
    if (placed) {
      ++placedCount;
      EXPECT_EQ(placed->x, expected->x) << i;
      EXPECT_EQ(placed->y, expected->y) << i;
    }
  }
  // Both answers were given often.
  EXPECT_GT(placedCount, 100);
  EXPECT_LT(placedCount, 1900);
}

}  // namespace

// The map a person reads: every label in the colour it was sent with and on its own lines, a
// legend for every mark and label colour, a scale bar that measures the map, labels kept apart,
// and arguments it cannot draw refused before anything is written.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

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
  EXPECT_NE(svg_.find("tick 21, 5 players, 35 creatures, 7 of 9 labels inside the frame"),
            std::string::npos);
  EXPECT_NE(svg_.find("alice's view, 120 m around</text>"), std::string::npos);
}

// Every kind of mark is explained, with the mark the map uses; the kinds differ in colour, and
// the map holds as many of each as the world has within the frame.
TEST_F(SnapshotTest, LegendExplainsEveryMarkAndLabelColour) {
  std::map<std::string, std::string> fills;  // meaning to the fill of its mark
  const std::string legend = svg_.substr(svg_.find("<g class=\"legend\">"));
  for (
      const auto& m :
      All(legend,
          R"re(((?:<(?:rect|circle|line) [^\n]*\n)+)<text class="legend-entry"[^>]*>([^<]*)</text>)re")) {
    const std::string mark = m[1];
    const auto fill = All(mark, R"re(fill="([^"]+)")re");
    fills[m[2]] = fill.empty() ? "" : fill.front()[1];
  }
  const std::map<std::string, std::string> expected = {
      {"alice (the viewer)", "#ffffff"},
      {"tribe mate", "#2ec4b6"},
      {"other player", "#c77dff"},
      {"own tribe's creature", "#2ec4b6"},
      {"other tribe's creature", "#c77dff"},
      {"wild creature", "#f29d38"},
      {"dead creature", "none"},
      {"1 #35C211 over mate", "#35C211"},
      {"3 #00FF00 over tribe", "#00FF00"},
      {"3 #FFFF00 over wild", "#FFFF00"},
  };
  for (const auto& [meaning, fill] : expected) EXPECT_EQ(fills[meaning], fill) << meaning;
  EXPECT_NE(svg_.find(">120 m around</text>"), std::string::npos);
  // tamerex, tameraptor and tameptera are alice's tribe's; foreignrex and foreignraptor another's.
  std::map<std::string, int> creatures;
  for (const auto& m : All(MapPart(svg_), R"re(<circle class="creature"[^>]* fill="([^"]+)")re"))
    ++creatures[m[1]];
  EXPECT_EQ(creatures[fills["own tribe's creature"]], 3);
  EXPECT_EQ(creatures[fills["other tribe's creature"]], 2);
  EXPECT_EQ(creatures[fills["wild creature"]], 15);
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
  // Bob lies east and north of alice: right and up.
  EXPECT_GT(std::stof(players[1][1]), std::stof(players[0][1]));
  EXPECT_LT(std::stof(players[1][2]), std::stof(players[0][2]));
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

// Without a viewer every player and creature is on the map, and every player's labels.
TEST(SnapshotWorldTest, FramesEveryoneWithoutAViewer) {
  DevServerRun run;
  ASSERT_EQ(run.Run(std::string(kAliceTracksEverything) +
                    "chat carol /trackmates on\ntick 21\nsnapshot " + run.PathOf("world.svg")),
            0);
  const std::string svg = Read(run.PathOf("world.svg"));
  const std::string map = MapPart(svg);
  EXPECT_EQ(All(map, R"(<rect class="player")").size(), 5u);
  EXPECT_EQ(All(map, R"(<circle class="creature")").size(), 35u);
  EXPECT_EQ(Labels(svg).size(), 10u);  // alice's nine and carol's one
  EXPECT_NE(svg.find("the whole world</text>"), std::string::npos);
  EXPECT_NE(svg.find(">tamed creature</text>"), std::string::npos);
}

// However far out the world reaches, every number written is finite. The grid's lines are
// counted in whole steps; where the count is past what a double counts exactly there is none.
TEST(SnapshotWorldTest, FarWorldsAreDrawnInFiniteNumbers) {
  const struct {
    const char* what;
    std::string world;
    bool grid;
  } cases[] = {
      {"wider than a float", "player alice steam=1 data=1\ndino rex Rex\nmove rex 3.4e38 -3.4e38 0",
       true},
      {"a small frame far from the origin", "player far steam=1 data=1 at 8e18 8e18 0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DevServerRun run(TEST_PLUGIN_PATH);
    ASSERT_EQ(run.Run(c.world + "\nsnapshot " + run.PathOf("far.svg")), 0) << run.TakeAnswers();
    const std::string svg = Read(run.PathOf("far.svg"));
    EXPECT_EQ(All(svg, R"(\b(inf|nan)\b)").size(), 0u) << svg;
    EXPECT_EQ(svg.find("<g class=\"grid\"") != std::string::npos, c.grid);
    EXPECT_EQ(All(MapPart(svg), R"(<rect class="player")").size(), 1u);
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

}  // namespace

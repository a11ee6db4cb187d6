// What devserver tells a person about the world: who is where and in what state, and the labels
// a player was sent, both as answers and, in text output, one line a player per refresh.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "support/DevServerRun.h"

namespace {

using testing_support::DevServerRun;
using testing_support::kAliceTracksEverything;

// Each case sets a player up and reads his row of `who`.
TEST(WhoTest, TellsEachPlayersPlaceTribeGroupsConnectionAndCharacter) {
  const struct {
    const char* setup;
    const char* row;
  } cases[] = {
      {"player p steam=1 data=7 tribe=5 groups=Default,Vip at 100 -250.5 3",
       "p       100 -250.5 3  5      5     Default,Vip  connected      alive"},
      {"player p steam=1 data=7 groups=-",
       "p       0 0 0        -      7     -            connected      alive"},
      {"player p steam=1 data=7 team=12\ndisconnect p",
       "p       0 0 0        -      12    Default      logged out     alive"},
      {"player p steam=1 data=7\nset p dead",
       "p       0 0 0        -      7     Default      connected      dead"},
      {"player p steam=1 data=7\nset p disconnected respawning",
       "p       0 0 0        -      7     Default      not connected, respawning  alive"},
      {"player p steam=1 data=7\nset p nocharacter",
       "p       0 0 0        -      7     Default      connected      alive, not possessed"},
      {"player p steam=1 data=7\ndino horse Horse at 1000 -20 0\nattach p horse 0 0 300",
       "p       1000 -20 300  -      7     Default      connected      alive"},
      {"player p steam=1 data=7\ndestroy p",
       "p       -            -      7     Default      not connected  no character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setup);
    DevServerRun run(TEST_PLUGIN_PATH);
    ASSERT_EQ(run.Run(std::string(c.setup) + "\nwho"), 0) << run.TakeAnswers();
    const std::string answer = run.TakeAnswers();
    // The row of p; columns are as wide as this table's widest cell.
    const auto start = answer.find("\np ");
    ASSERT_NE(start, std::string::npos) << answer;
    std::string row = answer.substr(start + 1, answer.find('\n', start + 1) - start - 1);
    // Compared without the padding, which depends on the other rows.
    const auto squeeze = [](std::string text) {
      std::string out;
      for (const char ch : text) {
        if (ch != ' ' || (!out.empty() && out.back() != ' ')) out += ch;
      }
      return out;
    };
    EXPECT_EQ(squeeze(row), squeeze(c.row)) << answer;
  }
}

TEST(WhoTest, CountsCreaturesByKindWithTheDeadAndAsleep) {
  DevServerRun run(TEST_PLUGIN_PATH);
  ASSERT_EQ(run.Run("dino a Rex\ndino b Rex\ndino c Dodo team=10000\ndino d Rex team=10001\n"
                    "dino e Rex team=50001\ndino f Rex team=50001\nset a dead\nset b sleeping\n"
                    "set e health=0\ntick 3\nwho"),
            0);
  EXPECT_EQ(run.TakeAnswers(),
            "tick 3\n"
            "no players\n"
            "creatures   count  dead  asleep\n"
            "wild            3     1       1\n"
            "team 10001      1     0       0\n"
            "team 50001      2     1       0\n"
            "all             6     2       1\n");
}

TEST(WhoTest, AnEmptyWorldSaysSo) {
  DevServerRun run(TEST_PLUGIN_PATH);
  ASSERT_EQ(run.Run("who"), 0);
  EXPECT_EQ(run.TakeAnswers(), "tick 0\nno players\nno creatures\n");
}

TEST(LabelsTest, ShowsTheLastRefreshAsThePlayerReadsIt) {
  DevServerRun run;
  ASSERT_EQ(run.Run(std::string(kAliceTracksEverything) + "labels bob\nlabels carol"), 0);
  EXPECT_EQ(run.TakeAnswers(), "bob has been sent no labels\ncarol has been sent no labels\n");
  ASSERT_EQ(run.Run("labels alice"), 0);
  EXPECT_EQ(run.TakeAnswers(),
            "alice: 9 labels sent at tick 21, this tick\n"
            "  #35C211 floating text over mate bob at 1500 800 64\n"
            "    bob 17m\n"
            "  #00FF00 debug string over tribe tamerex (Rex) at 800 -600 100\n"
            "    Rex\n"
            "      10m\n"
            "  #00FF00 debug string over tribe tameraptor (Raptor) at 1200 400 100\n"
            "    Raptor\n"
            "       12m\n"
            "  #00FF00 debug string over tribe tameptera (Pteranodon) at -700 -300 100\n"
            "    Pteranodon\n"
            "         7m\n"
            "  #FFFF00 debug string over wild rex1 (Rex) at 3790 0 100\n"
            "    Rex 150 37m\n"
            "  #FFFF00 debug string over wild rex2 (Rex) at -6000 4000 100\n"
            "    Rex 120 72m\n"
            "  #FFFF00 debug string over wild rex3 (Rex) at 15000 -9000 100\n"
            "    Rex 30 174m\n"
            "  #FFFF00 debug string over wild trex (T-Rex) at 9000 9000 100\n"
            "    T-Rex 75 127m\n"
            "  #FFFF00 debug string over wild alpharex (Alpha Rex) at -25000 -5000 100\n"
            "    Alpha Rex 200 254m\n");
}

// A later refresh replaces the earlier one; what a label floats over is read where it is now,
// and how old the labels are is told.
TEST(LabelsTest, KeepsOnlyTheLastRefresh) {
  DevServerRun run;
  ASSERT_EQ(
      run.Run(std::string(kAliceTracksEverything) +
              "chat alice /stoptrack\nchat alice /trackmates on\ntick 21\nmove bob 0 -2000 0\n"
              "tick 21\nlabels alice\nmove bob 5 5 5\ntick 5\nlabels alice\nlabels nobody"),
      1);
  EXPECT_EQ(run.TakeAnswers(),
            "alice: 1 label sent at tick 63, this tick\n"
            "  #35C211 floating text over mate bob at 0 -2000 64\n"
            "    bob 20m\n"
            "alice: 1 label sent at tick 63, 5 ticks ago (now at tick 68)\n"
            "  #35C211 floating text over nothing at 0 -2000 64\n"
            "    bob 20m\n"
            "t.scn:16: no player named nobody\n");
}

// devserver itself, as a person runs it: what it prints for a script it is given.
std::string DevServerOutput(const std::string& options, const std::string& script) {
  testing_support::TempDir folder;
  const std::string scriptPath = folder.Path() + "/t.scn";
  std::ofstream(scriptPath) << script;
  const std::string command =
      fmt::format("{} {} --plugin {} {} 2>&1", DEVSERVER_PATH, scriptPath, PLUGIN_PATH, options);
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
  std::string output;
  char buffer[4096];
  while (const auto read = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
    output.append(buffer, read);
  }
  return output;
}

std::vector<std::string> LinesWith(const std::string& output, const std::string& part) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.find(part) != std::string::npos) lines.push_back(line);
  }
  return lines;
}

TEST(CommandLineTest, AServerFolderThatIsAFileIsRefused) {
  testing_support::TempDir folder;
  const std::string file = folder.Path() + "/not-a-folder";
  std::ofstream(file) << "x";
  const std::string output = DevServerOutput("--dir " + file, "tick 1\n");
  EXPECT_NE(output.find("devserver: can't use " + file + " as the server's folder: "),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find("plugin_loaded"), std::string::npos) << output;
}

// A bad option is named, with the option it may have meant.
TEST(CommandLineTest, AnOptionThatCannotBeRunIsNamed) {
  const struct {
    const char* options;
    const char* error;
  } cases[] = {
      {"--event jsonl", "devserver: unknown option --event; did you mean --events?\n"},
      {"--events json",
       "devserver: --events takes text, jsonl or none, not json; did you mean "
       "jsonl?\n"},
      {"--events", "devserver: --events takes text, jsonl or none\n"},
      {"--dir", "devserver: --dir takes a folder\n"},
      {"another.scn", "devserver: one script at a time: "},
  };
  for (const auto& c : cases) {
    const std::string output = DevServerOutput(c.options, "tick 1\n");
    EXPECT_EQ(output.find(c.error), 0u) << c.options << ":\n" << output;
    EXPECT_NE(output.find("usage: devserver"), std::string::npos) << output;
  }
}

TEST(TextOutputTest, ARefreshIsOneLineAPlayerUnlessVerbose) {
  const std::string script = std::string(kAliceTracksEverything) +
                             "chat bob /trackmates on\ntick 21\nchat eve /finddino wyvern\n"
                             "console alice Packsentinel.Reload\ntick 63\n";
  const std::string summary = DevServerOutput("", script);
  EXPECT_EQ(
      LinesWith(summary, " labels "),
      (std::vector<std::string>{
          R"([  21] labels            to="alice" 9 labels: 1 mate #35C211, 3 tribe #00FF00, 5 wild #FFFF00)",
          R"([  42] labels            to="alice" 9 labels: 1 mate #35C211, 3 tribe #00FF00, 5 wild #FFFF00)",
          R"([  42] labels            to="bob" 1 label: 1 mate #35C211)",
          // A run of the same refresh: its first, then how many more once the command ends.
          R"([  63] labels            to="alice" 9 labels: 1 mate #35C211, 3 tribe #00FF00, 5 wild #FFFF00)",
          R"([  63] labels            to="bob" 1 label: 1 mate #35C211)",
          R"([ 105] labels            to="alice" the same line 2 more times)",
          R"([ 105] labels            to="bob" the same line 2 more times)",
      }))
      << summary;
  EXPECT_TRUE(LinesWith(summary, "debug_string").empty()) << summary;
  EXPECT_TRUE(LinesWith(summary, "floating_text").empty()) << summary;
  // A list of several lines, indented below its event; the colour as the labels' are.
  EXPECT_NE(summary.find("[  42] notification      to=\"eve\" color=#00FF00 scale=0.6 time=18 "
                         "priority=6349\n         text:\n           Found Dinos\n"
                         "           Fire Wyvern | level: 180 | location: "),
            std::string::npos)
      << summary;
  // The registry's bursts, a line each, before what they led to.
  EXPECT_NE(summary.find("[   0] registry          registered 1 console command, 1 rcon command, "
                         "5 chat commands, 3 tick callbacks: Packsentinel.Reload, "
                         "Packsentinel.Reload, /trackmates, /tracktribe, "
                         "/trackdino, /finddino, /stoptrack, Packsentinel.DrawPlayersText, "
                         "Packsentinel.DrawDinosText, Packsentinel.DrawWildDinos\n"
                         "[   0] plugin_loaded"),
            std::string::npos)
      << summary;
  // The reload command stays: only the chat words move.
  EXPECT_NE(summary.find("[  42] registry          re-registered 5 chat commands: /trackmates, "
                         "/tracktribe, /trackdino, /finddino, /stoptrack\n[  42] server_chat"),
            std::string::npos)
      << summary;
  EXPECT_EQ(LinesWith(summary, " registry ").size(), 3u) << summary;
  EXPECT_TRUE(LinesWith(summary, "] registered ").empty()) << summary;

  const std::string verbose = DevServerOutput("--verbose", script);
  EXPECT_TRUE(LinesWith(verbose, " labels ").empty()) << verbose;
  EXPECT_TRUE(LinesWith(verbose, " registry ").empty()) << verbose;
  EXPECT_EQ(LinesWith(verbose, "registered ").size(), 30u) << verbose;
  EXPECT_EQ(LinesWith(verbose, "debug_string").size(), 40u) << verbose;
  EXPECT_EQ(LinesWith(verbose, "floating_text").size(), 9u) << verbose;
  EXPECT_EQ(
      LinesWith(verbose,
                R"(floating_text     to="alice" text="bob 17m" at=[1500,800,64] color=#35C211)")
          .size(),
      5u)
      << verbose;

  // Programs get every label and registration as before, and nothing else.
  const std::string jsonl = DevServerOutput("--events jsonl --verbose", script);
  EXPECT_TRUE(LinesWith(jsonl, "] labels ").empty()) << jsonl;
  EXPECT_TRUE(LinesWith(jsonl, "] registry ").empty()) << jsonl;
  EXPECT_EQ(LinesWith(jsonl, R"("event":"debug_string")").size(), 40u) << jsonl;
  EXPECT_EQ(LinesWith(jsonl, R"("color":"FF35C211")").size(), 9u) << jsonl;
}

}  // namespace

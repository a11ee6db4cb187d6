// How devserver reads scenario words and prints events, and that its guide lists its commands.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "devserver/DevServer.h"
#include "devserver/EventFormat.h"
#include "devserver/Words.h"

namespace {

std::vector<std::string> Texts(std::string_view line, std::size_t max = SIZE_MAX) {
  std::vector<std::string> texts;
  for (auto& word : devserver::SplitWords(line, max)) texts.push_back(word.text);
  return texts;
}

TEST(ScenarioWordsTest, SplitsAtSpacesKeepingQuotedParts) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Texts("dino rex \"Tek Rex\" level=5"), (V{"dino", "rex", "Tek Rex", "level=5"}));
  EXPECT_EQ(Texts("  set  rex   name=\"Big One\" "), (V{"set", "rex", "name=Big One"}));
  EXPECT_EQ(Texts("dino rex \"\""), (V{"dino", "rex", ""}));
  EXPECT_EQ(Texts("chat alice say \"hi", 2), (V{"chat", "alice"}));
  EXPECT_THROW(Texts("dino \"Rex"), devserver::ScenarioError);
}

TEST(ScenarioWordsTest, ChatTextIsTheRestOfTheLineVerbatim) {
  const struct {
    std::string_view line;
    std::string_view text;
  } cases[] = {
      {"chat alice /track rex", "/track rex"},
      {"chat alice  /track   rex ", " /track   rex "},
      {"chat alice", ""},
      {"chat alice ", ""},
      {"chat - \"quoted\"", "\"quoted\""},
  };
  for (const auto& c : cases) {
    const auto words = devserver::SplitWords(c.line, 2);
    EXPECT_EQ(devserver::RestAfter(c.line, words, 1), c.text) << c.line;
  }
}

TEST(ScenarioWordsTest, NumbersAreStrict) {
  EXPECT_EQ(devserver::ParseInteger("-5", -10, 10), -5);
  EXPECT_THROW(devserver::ParseInteger("11", -10, 10), devserver::ScenarioError);
  EXPECT_THROW(devserver::ParseInteger("5x", -10, 10), devserver::ScenarioError);
  EXPECT_EQ(devserver::ParseUnsigned("18446744073709551615"), 18446744073709551615ull);
  EXPECT_THROW(devserver::ParseUnsigned("-1"), devserver::ScenarioError);
  EXPECT_FLOAT_EQ(devserver::ParseFloat("-1.5"), -1.5f);
  EXPECT_THROW(devserver::ParseFloat(""), devserver::ScenarioError);
  for (const char* notFinite : {"nan", "-nan", "NaN", "nan(7)", "inf", "-inf", "Infinity"}) {
    EXPECT_THROW(devserver::ParseFloat(notFinite), devserver::ScenarioError) << notFinite;
  }
}

TEST(ScenarioWordsTest, ErrorsQuoteAnExcerpt) {
  const std::string forty(40, 'x');
  const auto umlauts = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "ä";
    return text;
  };
  const struct {
    std::string text;
    std::string excerpt;
  } cases[] = {
      {"rex", "rex"},
      {forty, forty},
      {forty + "y", forty + "…"},
      // Characters, not bytes: a character is never cut in two.
      {std::string(30, 'x') + umlauts(20), std::string(30, 'x') + umlauts(10) + "…"},
      {"tick\r", "tick\\x0D"},
      {"a\tb\x7F", "a\\x09b\\x7F"},
  };
  for (const auto& c : cases) EXPECT_EQ(devserver::Excerpt(c.text), c.excerpt) << c.text;
}

// The commands docs/devserver.md lists: each row of its command tables starts with a usage,
// "| `tick [N]` |", or several, "| `quit` / `exit` |".
std::set<std::string> DocumentedCommands(std::istream& guide) {
  std::set<std::string> names;
  bool inCommandTable = false;
  for (std::string line; std::getline(guide, line);) {
    inCommandTable = line == "| command | effect |" || (inCommandTable && line.starts_with("|"));
    if (!inCommandTable || !line.starts_with("| `")) continue;
    const std::string usages = line.substr(2, line.find(" | ", 2) - 2);
    for (std::size_t start = 0; start != std::string::npos;) {
      names.insert(usages.substr(start + 1, usages.find_first_of(" `", start + 1) - start - 1));
      start = usages.find(" / `", start);
      if (start != std::string::npos) start += 3;
    }
  }
  return names;
}

// The guide and the command table devserver runs and helps from name the same commands.
TEST(DevServerDocsTest, TheGuideListsEveryCommandAndNoOther) {
  const auto guidePath =
      std::filesystem::path(SHIPPED_CONFIG).parent_path().parent_path() / "docs" / "devserver.md";
  std::ifstream guide(guidePath);
  ASSERT_TRUE(guide) << guidePath;
  const std::set<std::string> documented = DocumentedCommands(guide);
  const auto names = devserver::CommandNames();
  const std::set<std::string> commands(names.begin(), names.end());
  std::vector<std::string> unlisted, unknown;
  std::ranges::set_difference(commands, documented, std::back_inserter(unlisted));
  std::ranges::set_difference(documented, commands, std::back_inserter(unknown));
  EXPECT_EQ(unlisted, std::vector<std::string>{}) << "commands the guide does not list";
  EXPECT_EQ(unknown, std::vector<std::string>{}) << "rows of the guide that name no command";
}

TEST(EventFormatTest, FloatsPrintInTheirShortestSinglePrecisionForm) {
  framework::Event event = {{"event", "debug_string"}, {"tick", 3}, {"to", "alice"}};
  event["at"] = framework::Event::array({0.2f, 100.f, -1.5f});
  event["duration"] = static_cast<float>(20 * 0.04);
  event["text"] = "Rex \"150\"";
  EXPECT_EQ(
      devserver::ToJsonLine(event),
      R"({"event":"debug_string","tick":3,"to":"alice","at":[0.2,100,-1.5],"duration":0.8,"text":"Rex \"150\""})");
  EXPECT_EQ(
      devserver::ToText(event),
      R"([   3] debug_string      to="alice" at=[0.2,100,-1.5] duration=0.8 text="Rex \"150\"")");
}

// A person reads every colour one way, whichever form the game sent; JSON keeps each as sent.
TEST(EventFormatTest, TextPrintsColoursOneWay) {
  const struct {
    framework::Event colour;
    std::string text;
  } cases[] = {
      {framework::Event::array({1.f, 1.f, 0.f, 1.f}), "#FFFF00"},
      {framework::Event::array({0.f, 1.f, 0.f, 1.f}), "#00FF00"},
      // Linear channels as the screen shows them; alpha as it is.
      {framework::Event::array({0.5f, 0.21586f, 0.f, 0.5f}), "#BC800080"},
      // Beyond 0 to 1 is clamped, as a screen can show no more.
      {framework::Event::array({255.f, -1.f, 0.f, 255.f}), "#FF0000"},
      {"FF35C211", "#35C211"},
      {"8035C211", "#35C21180"},
      // Nothing a colour: printed as it came.
      {"35C211", "\"35C211\""},
      {framework::Event::array({1.f, 1.f}), "[1,1]"},
  };
  for (const auto& c : cases) {
    framework::Event event = {{"event", "server_chat"}, {"tick", 0}, {"color", c.colour}};
    EXPECT_EQ(devserver::ToText(event), "[   0] server_chat       color=" + c.text) << c.colour;
    EXPECT_NE(devserver::ToJsonLine(event).find("\"color\":" + devserver::ToJsonLine(c.colour)),
              std::string::npos);
  }
}

// Lines of a text print below the event, indented, after its one-line fields.
TEST(EventFormatTest, TextPrintsEachLineOfATextOnItsOwn) {
  const struct {
    std::string text;
    std::string printed;
  } cases[] = {
      {"one line", R"( text="one line" to="eve")"},
      {"Found Dinos\nRex | level: 5\n",
       " to=\"eve\"\n         text:\n           Found Dinos\n"
       "           Rex | level: 5"},
      {"Rex\n  10m", " to=\"eve\"\n         text:\n           Rex\n             10m"},
      {"a\n\tb", " to=\"eve\"\n         text:\n           a\n           \\x09b"},
  };
  for (const auto& c : cases) {
    const framework::Event event = {
        {"event", "chat"}, {"tick", 4}, {"text", c.text}, {"to", "eve"}};
    EXPECT_EQ(devserver::ToText(event), "[   4] chat             " + c.printed) << c.text;
  }
}

// On a terminal a text shows in the colour it was sent in; its other fields and a text sent in
// no colour stay plain.
TEST(EventFormatTest, ATerminalShowsATextInItsColour) {
  const std::string green = "\x1b[38;2;0;255;0m", plain = "\x1b[39m";
  const struct {
    framework::Event event;
    std::string text;
  } cases[] = {
      {{{"event", "server_chat"},
        {"tick", 0},
        {"to", "alice"},
        {"text", "Reloaded"},
        {"color", framework::Event::array({0.f, 1.f, 0.f, 1.f})}},
       "[   0] server_chat       to=\"alice\" text=" + green + "\"Reloaded\"" + plain +
           " color=#00FF00"},
      {{{"event", "notification"}, {"tick", 0}, {"text", "Found\nRex"}, {"color", "FF00FF00"}},
       "[   0] notification      color=#00FF00\n         text:\n           " + green + "Found" +
           plain + "\n           " + green + "Rex" + plain},
      {{{"event", "chat"}, {"tick", 0}, {"text", "hi"}}, "[   0] chat              text=\"hi\""},
  };
  for (const auto& c : cases) EXPECT_EQ(devserver::ToText(c.event, true), c.text) << c.event;
}

// JSON has no number for them, so that every line stays JSON.
TEST(EventFormatTest, NumbersThatAreNotFinitePrintAsNull) {
  framework::Event event = {{"event", "debug_string"}, {"tick", 3}};
  event["at"] = framework::Event::array({1.f, std::numeric_limits<float>::infinity(), -1e300});
  event["duration"] = std::numeric_limits<double>::quiet_NaN();
  const auto line = devserver::ToJsonLine(event);
  EXPECT_EQ(line, R"({"event":"debug_string","tick":3,"at":[1,null,null],"duration":null})");
  EXPECT_TRUE(nlohmann::json::accept(line));
}

// A crash after an event must not lose it: each line reaches the file before the call returns.
TEST(EventFormatTest, EachLineIsFlushedAsWritten) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  fcntl(ends[0], F_SETFL, O_NONBLOCK);
  std::FILE* out = fdopen(ends[1], "w");
  ASSERT_NE(out, nullptr);
  const framework::Event event = {{"event", "chat"}, {"tick", 1}, {"text", "hi"}};
  const struct {
    devserver::EventOutput output;
    std::string line;
  } cases[] = {
      {devserver::EventOutput::JsonLines, R"({"event":"chat","tick":1,"text":"hi"})"
                                          "\n"},
      {devserver::EventOutput::Text, "[   1] chat              text=\"hi\"\n"},
  };
  for (const auto& c : cases) {
    devserver::WriteEventLine(out, c.output, event);
    char buffer[256];
    const auto read = ::read(ends[0], buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, read > 0 ? static_cast<std::size_t>(read) : 0), c.line);
  }
  std::fclose(out);
  close(ends[0]);
}

TEST(EventFormatTest, NineDigitsReadBackExactly) {
  const float value = 0.2728f;
  framework::Event event = {{"time", value}};
  const auto line = devserver::ToJsonLine(event);
  EXPECT_EQ(std::stof(line.substr(8)), value);
}

}  // namespace

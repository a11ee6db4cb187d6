// How devserver reads scenario words and prints events.

#include <gtest/gtest.h>

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

TEST(EventFormatTest, NineDigitsReadBackExactly) {
  const float value = 0.2728f;
  framework::Event event = {{"time", value}};
  const auto line = devserver::ToJsonLine(event);
  EXPECT_EQ(std::stof(line.substr(8)), value);
}

}  // namespace

// The check of a parsed config.json: which mistakes are errors, which are warnings, and where
// each is reported.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "config/Check.h"
#include "config/ParseError.h"
#include "support/GameFixture.h"

namespace {

using namespace packsentinel;
using nlohmann::json;

// Messages are formatted as the framework formats them, in texts from the game's allocator.
class ConfigCheckTest : public testing_support::GameFixture {};

// U+1F996, four bytes of UTF-8 and two 16-bit characters in a reply.
constexpr const char* kRex = "\xF0\x9F\xA6\x96";

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

json Shipped() {
  std::ifstream in(SHIPPED_CONFIG);
  return json::parse(in);
}

struct Edit {
  const char* pointer;
  std::optional<json> value;  // none: the key is removed
};

json ShippedWith(const std::vector<Edit>& edits) {
  json document = Shipped();
  for (const auto& edit : edits) {
    const json::json_pointer pointer(edit.pointer);
    if (edit.value) {
      document[pointer] = *edit.value;
    } else {
      document[pointer.parent_pointer()].erase(pointer.back());
    }
  }
  return document;
}

struct Expected {
  Severity severity;
  const char* pointer;
  const char* message;  // a part of the message
};

constexpr auto E = Severity::Error;
constexpr auto W = Severity::Warning;

std::string Listed(const ConfigProblems& problems) {
  std::string text;
  for (const auto& problem : problems) {
    text += (problem.severity == E ? "E " : "W ") + Describe(problem) + "\n";
  }
  return text;
}

// Every expected problem is found, and nothing else.
void ExpectProblems(const ConfigProblems& problems, const std::vector<Expected>& expected) {
  EXPECT_EQ(problems.size(), expected.size()) << Listed(problems);
  for (const auto& want : expected) {
    const bool found = std::any_of(problems.begin(), problems.end(), [&](const auto& p) {
      return p.severity == want.severity && p.pointer == want.pointer &&
             p.message.find(want.message) != std::string::npos;
    });
    EXPECT_TRUE(found) << (want.severity == E ? "E " : "W ") << want.pointer << ": " << want.message
                       << "\nin:\n"
                       << Listed(problems);
  }
}

TEST_F(ConfigCheckTest, ShippedAndOtherSoundConfigurationsHaveNoProblem) {
  const std::vector<std::vector<Edit>> sound = {
      {},
      {{"/MaxTrackPerPlayer", 2147483647}, {"/MaxTrackPerGroup/Vip", 2.0}},
      {{"/MaxTrackPerGroup", std::nullopt}},
      {{"/MaxTrackPerGroup", json::object()}},
      // A whole number written as a fraction is as whole as written.
      {{"/Commands/TrackWildDinos/MaxTrackRange", 300.0}},
      {{"/Commands/FindDinos/AllowedGroups", json::array()}},
      {{"/Messages/StopTrackingSuccess", "{{done}} }}{{"}},
      {{"/Messages/NoPermissions", "{{:>5000}}"}},
      {{"/Messages/TrackingDinosWithLevel", "{2} {1} {0} {0:>8} {1:.2}"}},
      {{"/Messages/TrackingDinosNoLevel", "{:>4000}"}},
      {{"/Messages/NoDinosFound", "{:?<8} {{:L}}"}},
      {{"/Messages/MessageSender", "{not formatted}"}},
      {{"/FloatingTexts/TrackWildDinosText", "{DINONAME} {{dinoLevel}} { } {} {dinoDistance}"}},
      {{"/Commands/StopTrack/Command", "/trackdino2"}},
      {{"/Messages/NoDinosFound", std::string(kRex) + "{}" + kRex}},
      {{"/Messages/MessageSender", Repeated(kRex, 2000)}},
      // DEL is ASCII: registered as it stands, not as "?".
      {{"/Commands/FindDinos/Command", "/\x7f"}, {"/Commands/StopTrack/Command", "/?"}},
      // As long as allowed: with the longest arguments, and a label template.
      {{"/Messages/NoDinosFound", Repeated("{0}", 40)}},
      {{"/Messages/TrackingDinosNoLevel", "{0:>3989}{1}"}},
      {{"/FloatingTexts/TrackTribeDinosText", Repeated("é", 200)}},
  };
  for (std::size_t i = 0; i < sound.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectProblems(CheckConfig(ShippedWith(sound[i])), {});
  }
}

TEST_F(ConfigCheckTest, WhatWouldFailAtUseIsAnError) {
  const struct {
    std::vector<Edit> edits;
    std::vector<Expected> problems;
  } cases[] = {
      {{{"/MaxTrackPerPlayer", "10"}},
       {{E, "/MaxTrackPerPlayer", "found the text \"10\", expected a number"}}},
      {{{"/MaxTrackPerPlayer", std::nullopt}},
       {{E, "/MaxTrackPerPlayer", "missing, expected a number"}}},
      // A text is quoted back whole up to 40 characters, and cut there when longer.
      {{{"/MaxTrackPerPlayer", std::string(40, 'x')}},
       {{E, "/MaxTrackPerPlayer",
         "the text \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\", expected"}}},
      {{{"/MaxTrackPerPlayer", std::string(41, 'x')}},
       {{E, "/MaxTrackPerPlayer",
         "the text \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\", expected"}}},
      // Cut where a character starts: here the 40th byte is the second of "é".
      {{{"/MaxTrackPerPlayer", std::string(39, 'x') + "éx"}},
       {{E, "/MaxTrackPerPlayer",
         "the text \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\", expected"}}},
      {{{"/UpdateTextEvery", "5"}}, {{E, "/UpdateTextEvery", "expected a number"}}},
      // Thousands of labels are written from a template at every refresh: a long one is
      // refused, counted in characters, and its placeholders are not looked into.
      {{{"/FloatingTexts/TrackWildDinosText", Repeated("{zzz}é", 34)}},
       {{E, "/FloatingTexts/TrackWildDinosText", "comes to 204 characters; at most 200"}}},
      {{{"/MaxTrackPerGroup", json::array({20})}},
       {{E, "/MaxTrackPerGroup", "found a list, expected an object of group names"}}},
      {{{"/MaxTrackPerGroup/Vip", "20"}}, {{E, "/MaxTrackPerGroup/Vip", "expected a number"}}},
      {{{"/Commands/TrackTribeMembers/Enabled", "yes"}},
       {{E, "/Commands/TrackTribeMembers/Enabled", "expected true or false"}}},
      {{{"/Commands/TrackWildDinos/Enabled", 1}},
       {{E, "/Commands/TrackWildDinos/Enabled", "found 1, expected true or false"}}},
      {{{"/Commands/FindDinos/AllowedGroups", "Admins"}},
       {{E, "/Commands/FindDinos/AllowedGroups", "expected a list of permission group names"}}},
      {{{"/Commands/FindDinos/AllowedGroups", json::array({"Admins", 3})}},
       {{E, "/Commands/FindDinos/AllowedGroups/1", "found 3, expected a group name"}}},
      {{{"/Commands/TrackWildDinos/MaxTrackRange", "far"}},
       {{E, "/Commands/TrackWildDinos/MaxTrackRange", "expected a number of metres"}}},
      {{{"/Commands/StopTrack", 5}}, {{E, "/Commands/StopTrack", "found 5, expected an object"}}},
      {{{"/Commands/StopTrack/Command", std::nullopt}},
       {{E, "/Commands/StopTrack/Command", "missing, expected a text"}}},
      {{{"/Commands", std::nullopt}}, {{E, "/Commands", "missing"}}},
      {{{"/Messages", std::nullopt}}, {{E, "/Messages", "missing"}}},
      {{{"/FloatingTexts", "x"}}, {{E, "/FloatingTexts", "found the text \"x\""}}},
      {{{"/Messages/NoPermissions", 5}}, {{E, "/Messages/NoPermissions", "expected a text"}}},
      {{{"/FloatingTexts/TrackWildDinosText", nullptr}},
       {{E, "/FloatingTexts/TrackWildDinosText", "found null, expected a text"}}},
      // Command words
      {{{"/Commands/StopTrack/Command", "/TrackDino"}},
       {{E, "/Commands/StopTrack/Command",
         "also the word of /Commands/TrackWildDinos/Command as registered (letter case is "
         "ignored); only"}}},
      {{{"/Commands/StopTrack/Command", "/trackdino"}},
       {{E, "/Commands/StopTrack/Command",
         "also the word of /Commands/TrackWildDinos/Command; only one"}}},
      {{{"/Commands/FindDinos/Command", "/stöp"}, {"/Commands/StopTrack/Command", "/stäp"}},
       {{W, "/Commands/FindDinos/Command", "registered as \"/st??p\""},
        {W, "/Commands/StopTrack/Command", "registered as \"/st??p\""},
        {E, "/Commands/StopTrack/Command",
         "also the word of /Commands/FindDinos/Command as registered (characters beyond ASCII "
         "become \"?\"); only"}}},
      // Every byte from 0x80 up: "À" is C3 80.
      {{{"/Commands/FindDinos/Command", "/À"}, {"/Commands/StopTrack/Command", "/??"}},
       {{W, "/Commands/FindDinos/Command", "registered as \"/??\""},
        {E, "/Commands/StopTrack/Command", "also the word of /Commands/FindDinos/Command"}}},
      {{{"/Commands/FindDinos/Command", "/stÖp"}, {"/Commands/StopTrack/Command", "/STäP"}},
       {{W, "/Commands/FindDinos/Command", "registered as \"/st??p\""},
        {W, "/Commands/StopTrack/Command", "registered as \"/ST??P\""},
        {E, "/Commands/StopTrack/Command",
         "as registered (letter case is ignored, and characters beyond ASCII become \"?\")"}}},
      // DEL is the last ASCII character: only the letter case is why these meet.
      {{{"/Commands/FindDinos/Command", "/\x7fz"}, {"/Commands/StopTrack/Command", "/\x7fZ"}},
       {{E, "/Commands/StopTrack/Command",
         "also the word of /Commands/FindDinos/Command as registered (letter case is ignored); "
         "only"}}},
      {{{"/Commands/FindDinos/Command", ""}},
       {{E, "/Commands/FindDinos/Command", "the command word is empty"}}},
      // Said once each; two empty words are not also the same word.
      {{{"/Commands/FindDinos/Command", ""}, {"/Commands/StopTrack/Command", ""}},
       {{E, "/Commands/FindDinos/Command", "the command word is empty"},
        {E, "/Commands/StopTrack/Command", "the command word is empty"}}},
      {{{"/Commands/FindDinos/Command", "/find dino"}},
       {{E, "/Commands/FindDinos/Command", "holds a space"}}},
      // No chat line holds a control character. The server compares a word up to a NUL only,
      // so one that differs from another from a NUL on is the same word; from a tab on it is not.
      {{{"/Commands/FindDinos/Command", std::string("/find\0dino", 10)}},
       {{E, "/Commands/FindDinos/Command",
         "\"/find\\u0000dino\" holds the control character \"\\u0000\", which no chat line "
         "holds"}}},
      {{{"/Commands/FindDinos/Command", "/find\ndino"}},
       {{E, "/Commands/FindDinos/Command", "holds the control character \"\\n\""}}},
      {{{"/Commands/FindDinos/Command", "/trackdino\t"}},
       {{E, "/Commands/FindDinos/Command", "holds the control character \"\\t\""}}},
      {{{"/Commands/FindDinos/Command", "\x1f"}},
       {{E, "/Commands/FindDinos/Command", "holds the control character \"\\u001f\""}}},
      {{{"/Commands/FindDinos/Command", std::string("/TrackDino\0x", 12)}},
       {{E, "/Commands/FindDinos/Command", "control character"},
        {E, "/Commands/FindDinos/Command",
         "also the word of /Commands/TrackWildDinos/Command as registered (letter case is "
         "ignored, and a word is compared up to a NUL only); only"}}},
      {{{"/Commands/FindDinos/Command", std::string("/trackdino\0x", 12)},
        {"/Commands/StopTrack/Command", std::string("/trackdino\0y", 12)}},
       {{E, "/Commands/FindDinos/Command", "control character"},
        {E, "/Commands/FindDinos/Command", "(a word is compared up to a NUL only); only"},
        {E, "/Commands/StopTrack/Command", "control character"},
        {E, "/Commands/StopTrack/Command",
         "also the word of /Commands/TrackWildDinos/Command as registered (a word is compared "
         "up to a NUL only); only"}}},
      // The document itself
      {{{"/Commands/TrackWildDinos/Enabled", "no"}, {"/MaxTrackPerPlayer", std::nullopt}},
       {{E, "/Commands/TrackWildDinos/Enabled", "found the text \"no\""},
        {E, "/MaxTrackPerPlayer", "missing"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edits.front().pointer);
    ExpectProblems(CheckConfig(ShippedWith(c.edits)), c.problems);
  }
  ExpectProblems(CheckConfig(json::array()), {{E, "", "found a list, expected an object"}});
}

TEST_F(ConfigCheckTest, MessagesMustFormatWithTheirArgumentsAndStayShort) {
  const struct {
    const char* key;
    std::string text;
    const char* message;
  } cases[] = {
      // The field at fault is named, with the fix.
      {"TrackingDinosNoLevel", "Tracking {} ({2}).",
       "{2} names no argument; this message's arguments are {0} to {1} (or {} each)"},
      {"TrackingDinosWithLevel", "Tracking {} ({3}).", "cannot be formatted"},
      {"NoDinosFound", "{0} {1}", "{1} names no argument; this message's one argument is {0}"},
      {"NoDinosFound", "No {x} here.",
       "{x} is no field: this message's one argument is {0} (or {}); write {{x}} to show it as "
       "it stands"},
      {"StopTrackingSuccess", "Stopped {",
       "cannot be formatted with its arguments (none): a lone { at character 9: write {{ to show "
       "a brace"},
      {"StopTrackingSuccess", "Stopped }", "a lone } at character 9: write }} to show a brace"},
      {"NoPermissions", "{}",
       "{} at character 1 finds no argument left; this message takes no arguments"},
      {"NoDinosFound", "{} {}", "{} at character 4 finds no argument left"},
      {"NoDinosFound", "{:d}", "cannot be formatted"},
      {"TrackingDinosNoLevel", "{} {1:s}", "cannot be formatted"},
      {"NoDinosFound", "{:>2000000000}", "width or precision of 2000000000"},
      // Digits before the colon number an argument; only those after it are a width.
      {"NoDinosFound", "{4001}", "{4001} names no argument"},
      {"NoDinosFound", "{:.99999999999999999999}", "width or precision of"},
      {"TrackingDinosNoLevel", "{0:>{1}}", "taken from an argument is not allowed"},
      {"TrackingDinosNoLevel", "{:>{}}", "taken from an argument is not allowed"},
      {"TrackingDinosNoLevel", "{:{>5}", "a brace is no fill character"},
      {"NoDinosFound", "{:?}", "the locale flag L or the debug type ?"},
      {"NoDinosFound", "{:L<", "cannot be formatted"},  // L fills, even with nothing after
      {"TrackingDinosNoLevel", "{} {1:L}", "the locale flag L or the debug type ?"},
      // What the game server's formatter and packsentinel-check's take or show otherwise.
      {"NoDinosFound", "{:d}",
       "{:d} at character 1 does not suit its argument, a text: a text's field takes a fill and "
       "alignment (<, > or ^), a width, a precision and the type s"},
      {"TrackingDinosNoLevel", "{} {1:c}",
       "{1:c} at character 4 does not suit its argument, a number: a number's field takes a fill "
       "and alignment (<, > or ^), a sign (+, - or a space), #, 0 when no alignment is given, a "
       "width and the type d, x, X, o, b or B (not o with #)"},
      {"TrackingDinosNoLevel", "{} {1:n}", "{1:n} at character 4 does not suit its argument"},
      {"TrackingDinosNoLevel", "{} {1:=5}", "{1:=5} at character 4 does not suit its argument"},
      {"TrackingDinosNoLevel", "{} {1:<05}", "{1:<05} at character 4 does not suit its argument"},
      {"TrackingDinosNoLevel", "{} {1:#o}", "{1:#o} at character 4 does not suit its argument"},
      {"TrackingDinosNoLevel", "{} {1:.2}", "{1:.2} at character 4 does not suit its argument"},
      {"NoDinosFound", "{:05}", "{:05} at character 1 does not suit its argument, a text"},
      {"NoDinosFound", "{:+}", "{:+} at character 1 does not suit its argument, a text"},
      {"NoDinosFound", "{:.}", "{:.} at character 1 does not suit its argument, a text"},
      {"NoDinosFound", "{:ss}", "{:ss} at character 1 does not suit its argument, a text"},
      {"NoDinosFound", "{00}", "{00} numbers its argument with a leading zero: write {0}"},
      {"NoDinosFound", "{:>4000}!", "comes to 4001 characters"},
      // Measured with the longest arguments a reply passes: texts of 100 characters and the
      // number with the most digits, in binary 33 characters with its sign.
      {"NoDinosFound", Repeated("{0}", 41), "comes to 4100 characters"},
      {"TrackingDinosNoLevel", "{0:>3968}{1:b}", "comes to 4001 characters"},
      {"TrackingDinosNoLevel", "{0:>3990}{1}", "comes to 4001 characters"},
      {"NoPermissions", std::string(4001, 'x'), "comes to 4001 characters"},
      {"MessageSender", std::string(4001, 'x'), "comes to 4001 characters;"},
      {"MessageSender", Repeated(kRex, 2001), "comes to 4002 characters;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    const std::string pointer = std::string("/Messages/") + c.key;
    ExpectProblems(CheckConfig(ShippedWith({{pointer.c_str(), c.text}})),
                   {{E, pointer.c_str(), c.message}});
  }
}

TEST_F(ConfigCheckTest, WhatIsAppliedButProbablyMeantOtherwiseIsAWarning) {
  const struct {
    std::vector<Edit> edits;
    std::vector<Expected> problems;
  } cases[] = {
      {{{"/MaxTrackPerPlayers", 5}},
       {{W, "/MaxTrackPerPlayers", "did you mean \"MaxTrackPerPlayer\"?"}}},
      {{{"/MaxTrackPerPlayer_old", 5}},
       {{W, "/MaxTrackPerPlayer_old", "did you mean \"MaxTrackPerPlayer\"?"}}},
      {{{"/maxtrackperplayer", 5}},
       {{W, "/maxtrackperplayer", "did you mean \"MaxTrackPerPlayer\"?"}}},
      {{{"/Messages/NoDinoFound", "x"}},
       {{W, "/Messages/NoDinoFound", "did you mean \"NoDinosFound\"?"}}},
      {{{"/Commands/TrackWildDinos/Enable", true}},
       {{W, "/Commands/TrackWildDinos/Enable", "did you mean \"Enabled\"?"}}},
      // Two letters replaced are two edits, near enough to suggest.
      {{{"/Commands/TrackWildDinos/Enxbxed", true}},
       {{W, "/Commands/TrackWildDinos/Enxbxed", "did you mean \"Enabled\"?"}}},
      {{{"/Commands/TrackWildDino", json::object()}},
       {{W, "/Commands/TrackWildDino", "did you mean \"TrackWildDinos\"?"}}},
      {{{"/Commands/StopTrack/Enabled", true}},
       {{W, "/Commands/StopTrack/Enabled", "unknown key, ignored"}}},
      {{{"/Commands/FindDinos/MaxTrackRange", 5}},
       {{W, "/Commands/FindDinos/MaxTrackRange", "unknown key, ignored"}}},
      {{{"/a~1b~0c", 1}}, {{W, "/a~1b~0c", "unknown key"}}},
      {{{"/Messages/NoDinosFound", std::nullopt}},
       {{W, "/Messages/NoDinosFound", "players will read \"No message\""}}},
      {{{"/FloatingTexts/TrackTribeMembersText", std::nullopt}},
       {{W, "/FloatingTexts/TrackTribeMembersText", "labels will read \"No message\""}}},
      // The first and last letters and digits a name may hold.
      {{{"/FloatingTexts/TrackWildDinosText",
         "{dinoName} {dinoHealth} {dinoHealth} {x_1} {Z} {A} {a0} {z9}"}},
       {{W, "/FloatingTexts/TrackWildDinosText", "\"{dinoHealth}\" is not a placeholder"},
        {W, "/FloatingTexts/TrackWildDinosText", "\"{x_1}\" is not a placeholder"},
        {W, "/FloatingTexts/TrackWildDinosText", "\"{Z}\" is not a placeholder"},
        {W, "/FloatingTexts/TrackWildDinosText", "\"{A}\" is not a placeholder"},
        {W, "/FloatingTexts/TrackWildDinosText", "\"{a0}\" is not a placeholder"},
        {W, "/FloatingTexts/TrackWildDinosText", "\"{z9}\" is not a placeholder"}}},
      {{{"/FloatingTexts/TrackTribeMembersText", "{dinoName}"}},
       {{W, "/FloatingTexts/TrackTribeMembersText",
         "its placeholders are {playerName}, {playerDistance}"}}},
      {{{"/Commands/TrackWildDinos/MaxTrackRange", std::nullopt}},
       {{W, "/Commands/TrackWildDinos/MaxTrackRange", "missing: the search covers the whole map"}}},
      {{{"/Commands/TrackTribeDinos/MaxTrackRange", -1}},
       {{W, "/Commands/TrackTribeDinos/MaxTrackRange",
         "below zero: the search covers the whole map and no tribe creature labels"}}},
      {{{"/Commands/TrackTribeMembers/MaxTrackRange", std::nullopt}},
       {{W, "/Commands/TrackTribeMembers/MaxTrackRange", "no tribe mate labels are drawn"}}},
      {{{"/Commands/TrackTribeMembers/MinTrackRange", -0.5}},
       {{W, "/Commands/TrackTribeMembers/MinTrackRange", "below zero: labels are drawn from 0 m"}}},
      {{{"/Commands/TrackWildDinos/MaxTrackRange", true}},
       {{W, "/Commands/TrackWildDinos/MaxTrackRange",
         "found true, which counts as below zero: the search covers the whole map, as with 0"}}},
      {{{"/Commands/TrackTribeMembers/MaxTrackRange", false}},
       {{W, "/Commands/TrackTribeMembers/MaxTrackRange",
         "found false, which counts as below zero: no tribe mate labels are drawn at all"}}},
      {{{"/Commands/TrackWildDinos/MinTrackRange", std::nullopt}},
       {{W, "/Commands/TrackWildDinos/MinTrackRange", "missing: labels are drawn from 0 m"}}},
      {{{"/MaxTrackPerPlayer", true}}, {{W, "/MaxTrackPerPlayer", "true is read as 1"}}},
      {{{"/MaxTrackPerPlayer", -1}}, {{W, "/MaxTrackPerPlayer", "below zero"}}},
      {{{"/MaxTrackPerGroup/Vip", -3}},
       {{W, "/MaxTrackPerGroup/Vip",
         "-3 is read as 0; a member also in a group with a higher limit gets that one"}}},
      // Each said as the plugin reads it: a fraction cut, a value beyond 32 bits held.
      {{{"/MaxTrackPerPlayer", 2.9}}, {{W, "/MaxTrackPerPlayer", "2.9 is read as 2"}}},
      {{{"/MaxTrackPerGroup/Vip", 9223372036854775808u}},
       {{W, "/MaxTrackPerGroup/Vip", "9223372036854775808 is read as 2147483647"}}},
      {{{"/MaxTrackPerGroup/Vip", false}},
       {{W, "/MaxTrackPerGroup/Vip", "false is read as 0; a number is expected"}}},
      {{{"/UpdateTextEvery", -1}}, {{W, "/UpdateTextEvery", "refreshed at every tick"}}},
      // What players see: labels sent to stay for a negative time.
      {{{"/UpdateTextEvery", -5}},
       {{W, "/UpdateTextEvery",
         "but sent to stay on screen for a negative time: -0.35 s over creatures, -0.1875 s over "
         "tribe mates"}}},
      {{{"/Commands/TrackTribeDinos/MinTrackRange", true}},
       {{W, "/Commands/TrackTribeDinos/MinTrackRange",
         "found true, which counts as below zero: labels are drawn from 0 m, as with 0"}}},
      // A fraction comes down to whole metres: the search's radius and the farthest label are
      // below it, the nearest label above it.
      {{{"/Commands/TrackWildDinos/MaxTrackRange", 0.5}},
       {{W, "/Commands/TrackWildDinos/MaxTrackRange",
         "0.5 comes down to whole metres: the search has a radius of 0 m"}}},
      {{{"/Commands/TrackTribeDinos/MaxTrackRange", 10.9}},
       {{W, "/Commands/TrackTribeDinos/MaxTrackRange",
         "10.9 comes down to whole metres: the search has a radius of 10 m, and labels are drawn "
         "up to 10 m"}}},
      {{{"/Commands/TrackTribeMembers/MaxTrackRange", 10.9}},
       {{W, "/Commands/TrackTribeMembers/MaxTrackRange",
         "10.9 comes down to whole metres: labels are drawn up to 10 m"}}},
      {{{"/Commands/TrackWildDinos/MinTrackRange", 2.5}},
       {{W, "/Commands/TrackWildDinos/MinTrackRange",
         "2.5 comes down to whole metres: labels are drawn from 3 m"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edits.front().pointer);
    ExpectProblems(CheckConfig(ShippedWith(c.edits)), c.problems);
  }
}

// A refused reload shows the first few problems only: the errors come first.
// The parse uses the first value and the last of a key given twice, without a word: each is
// said, where it is, and nothing else is.
TEST_F(ConfigCheckTest, WhatTheParsePassesOverIsAWarning) {
  const struct {
    const char* text;
    std::vector<Expected> expected;
  } cases[] = {
      {R"({"a": 1} {"MaxTrackPerPlayer": "x"} }}})",
       {{W, "", "the text after the configuration, from line 1, column 10 on, is ignored"}}},
      {"{\"a\": 1}\n\n  x", {{W, "", "from line 3, column 3 on"}}},
      // A number ends at the first character that cannot continue it.
      {"12x", {{W, "", "from line 1, column 3 on"}}},
      {"-1.5e3 ]", {{W, "", "from line 1, column 8 on"}}},
      {"7\n", {}},
      {R"({"a": 1, "a": 2})",
       {{W, "/a",
         "given twice, at line 1, column 2 and at line 1, column 10; the last one is used"}}},
      {"{\"C\": {\"S\": {\"Command\": \"/x\",\n  \"Command\": \"/y\"}}}",
       {{W, "/C/S/Command", "at line 1, column 14 and at line 2, column 3"}}},
      {R"({"L": [0, {"k": 1}, {"k": 1, "k": 2}]})", {{W, "/L/2/k", "given twice"}}},
      {R"({"a/b": 1, "a\u002fb": 2, "x": "y:z", "y": ":", "x": 1})",
       {{W, "/a~1b", "column 2 and at line 1, column 12"},
        {W, "/x", "column 27 and at line 1, column 49"}}},
      {"{\"a\": {\"a\": [1, {\"a\": 1}]}, \"b\": 1}\n\t \r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ExpectProblems(ParseConfig(c.text, "config.json").ignored, c.expected);
  }
}

TEST_F(ConfigCheckTest, ErrorsComeBeforeWarnings) {
  const auto problems = CheckConfig(ShippedWith({{"/Aaa", 1},
                                                 {"/Commands/TrackWildDinos/MinTrackRange", -1},
                                                 {"/FloatingTexts/TrackWildDinosText", 1},
                                                 {"/MaxTrackPerPlayer", "x"}}));
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0].pointer, "/MaxTrackPerPlayer");
  EXPECT_EQ(problems[1].pointer, "/FloatingTexts/TrackWildDinosText");
  EXPECT_EQ(problems[2].pointer, "/Aaa");
  EXPECT_EQ(problems[3].pointer, "/Commands/TrackWildDinos/MinTrackRange");
}

// Far means more edits than a quarter of the known key's length, and at least three: letters
// added count as much as letters left out.
TEST_F(ConfigCheckTest, UnknownKeysFarFromAnyKnownOneGetNoGuess) {
  for (const char* key : {"/Zebra", "/MxTrckPrPlyr", "/MaxTrackPerPlayerAndMuchMore"}) {
    const auto problems = CheckConfig(ShippedWith({{key, 1}}));
    ASSERT_EQ(problems.size(), 1u) << key;
    EXPECT_EQ(problems[0].message, "unknown key, ignored") << key;
  }
}

// A guess is looked for only among known keys of about the same length, so thirty megabytes of
// long unknown keys cost about what reading them costs.
TEST_F(ConfigCheckTest, LongUnknownKeysAreNotComparedWithKnownOnes) {
  json config = Shipped();
  for (int i = 0; i < 3000; ++i) config[std::to_string(i) + std::string(10000, 'k')] = 1;
  const auto problems = CheckConfig(config);
  ASSERT_EQ(problems.size(), 3000u);
  for (const auto& problem : problems) EXPECT_EQ(problem.message, "unknown key, ignored");
}

// Built in place: copying a document this deep would itself overflow the stack.
TEST_F(ConfigCheckTest, NestingIsBoundedWhereverItIs) {
  const auto nested = [](int depth) {
    return json::parse(std::string(depth, '[') + std::string(depth, ']'));
  };
  json document = Shipped();
  // 31 arrays under a key of the document: 32 levels with the document itself.
  document["Unused"] = nested(31);
  ExpectProblems(CheckConfig(document), {{W, "/Unused", "unknown key"}});

  document["Unused"] = nested(100000);
  std::string deepest = "/Unused";
  for (int level = 3; level <= 33; ++level) deepest += "/0";
  ExpectProblems(CheckConfig(document),
                 {{W, "/Unused", "unknown key"}, {E, deepest.c_str(), "nested deeper than 32"}});

  // Deep in a later item of a list: the pointer names that item alone, not those before it.
  document["Unused"] = json::array({0, nested(40)});
  std::string inLaterItem = "/Unused/1";
  for (int level = 4; level <= 33; ++level) inLaterItem += "/0";
  ExpectProblems(CheckConfig(document),
                 {{W, "/Unused", "unknown key"}, {E, inLaterItem.c_str(), "nested deeper"}});

  document.erase("Unused");
  document["MaxTrackPerGroup"]["Vip"] = nested(40);
  std::string deepestLimit = "/MaxTrackPerGroup/Vip";
  for (int level = 4; level <= 33; ++level) deepestLimit += "/0";
  ExpectProblems(CheckConfig(document), {{E, "/MaxTrackPerGroup/Vip", "found a list"},
                                         {E, deepestLimit.c_str(), "nested deeper"}});
}

TEST_F(ConfigCheckTest, AReloadNamesAPeriodThatWaitsForTheNextStart) {
  const json document = ShippedWith({{"/UpdateTextEvery", 5}});
  ExpectProblems(CheckReload(document, 5), {});
  ExpectProblems(CheckReload(document, 20),
                 {{W, "/UpdateTextEvery",
                   "changed from 20 to 5: the label period changes at the "
                   "next start only"}});
  ExpectProblems(CheckReload(ShippedWith({{"/UpdateTextEvery", "5"}}), 20),
                 {{E, "/UpdateTextEvery", "expected a number"}});
}

TEST_F(ConfigCheckTest, SummariesCountErrorsAndWarnings) {
  const ConfigProblem error{E, "/a", "x"}, warning{W, "", "y"};
  EXPECT_EQ(Summarize({}), "no problems");
  EXPECT_EQ(Summarize({error}), "1 error");
  EXPECT_EQ(Summarize({warning}), "1 warning");
  EXPECT_EQ(Summarize({warning, warning}), "2 warnings");
  EXPECT_EQ(Summarize({error, warning, error}), "2 errors and 1 warning");
  EXPECT_EQ(Describe(error), "/a: x");
  EXPECT_EQ(Describe(warning), "y");
}

}  // namespace

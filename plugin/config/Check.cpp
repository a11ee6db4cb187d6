#include "config/Check.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <json.hpp>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/LabelDurations.h"
#include "config/MessageFormat.h"
#include "config/Numbers.h"
#include "config/Ranges.h"
#include "config/Schema.h"
#include "core/AsciiCase.h"
#include "host/Text.h"

namespace packsentinel {
namespace {

using nlohmann::json;
using Keys = std::vector<std::string_view>;

// Longest stretch of a text quoted back in a problem.
constexpr std::size_t kQuotedLength = 40;

std::string Child(const std::string& pointer, std::string_view key) {
  return (json::json_pointer(pointer) / std::string(key)).to_string();
}

// The text as a JSON string, cut short (at a character's start) when long.
std::string Quoted(std::string_view text) {
  if (text.size() <= kQuotedLength) return json(text).dump();
  std::size_t end = kQuotedLength;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  std::string quoted = json(text.substr(0, end)).dump();
  quoted.insert(quoted.size() - 1, "…");
  return quoted;
}

// What a value is, without ever walking into it.
std::string Found(const json& value) {
  switch (value.type()) {
    case json::value_t::string:
      return "the text " + Quoted(value.get_ref<const std::string&>());
    case json::value_t::object:
      return "an object";
    case json::value_t::array:
      return "a list";
    default:
      return value.dump();  // null, a boolean or a number
  }
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A number of seconds as short as it reads back.
std::string Seconds(float seconds) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed).ptr;
  return std::string(text, end) + " s";
}

// What the server compares a chat line's first word with: the word as registered (characters
// beyond ASCII as "?"), up to a NUL, where the framework's texts end for every comparison.
host::String AsCompared(std::string_view word) {
  host::String registered = host::Widen(word);
  registered.resize(std::min(registered.find(host::Char{0}), registered.size()));
  return registered;
}

// Why two words that differ are registered as one.
std::string HowTheyMeet(std::string_view word, std::string_view other) {
  if (word == other) return "";
  const auto compared = [](std::string_view text) { return text.substr(0, text.find('\0')); };
  const std::string_view a = compared(word), b = compared(other);
  const auto sameIgnoringCase = [](std::string_view x, std::string_view y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                      [](char c, char d) { return LowerAscii(c) == LowerAscii(d); });
  };
  std::string reasons;
  const auto add = [&reasons](std::string_view reason) {
    reasons += (reasons.empty() ? "" : ", and ") + std::string(reason);
  };
  if (host::Widen(a) != host::Widen(b)) add("letter case is ignored");
  if (!sameIgnoringCase(a, b)) add("characters beyond ASCII become \"?\"");
  if (word.substr(a.size()) != other.substr(b.size())) add("a word is compared up to a NUL only");
  return " as registered (" + reasons + ")";
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same = LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]);
      const std::size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = row[j];
      row[j] = next;
    }
  }
  return row[b.size()];
}

class Checker {
 public:
  ConfigProblems Run(const json& document) {
    std::string pointer;
    CheckNesting(document, pointer, 1);
    if (!document.is_object()) {
      Error("", "found " + Found(document) + ", expected an object holding the settings");
      return std::move(problems_);
    }
    UnknownKeys(document, "",
                {schema::kCommands, schema::kMaxTrackPerPlayer, schema::kMaxTrackPerGroup,
                 schema::kUpdateTextEvery, schema::kMessages, schema::kFloatingTexts});
    CheckCommands(document);
    CheckNumberSetting(document, "", schema::kMaxTrackPerPlayer, [](std::int32_t) {
      return std::string(
          "below zero: players in none of the groups of \"MaxTrackPerGroup\" can track nothing");
    });
    CheckGroupLimits(document);
    CheckNumberSetting(document, "", schema::kUpdateTextEvery, [](std::int32_t period) {
      return "below zero: labels are refreshed at every tick, as with 0, but sent to stay on "
             "screen for a negative time: " +
             Seconds(CreatureLabelDuration(period)) + " over creatures, " +
             Seconds(MemberLabelDuration(period)) + " over tribe mates";
    });
    CheckMessages(document);
    CheckLabelTemplates(document);
    // Errors first: they are what stands between the file and the server.
    std::stable_partition(problems_.begin(), problems_.end(),
                          [](const auto& problem) { return problem.severity == Severity::Error; });
    return std::move(problems_);
  }

 private:
  void Error(std::string pointer, std::string message) {
    problems_.push_back({Severity::Error, std::move(pointer), std::move(message)});
  }
  void Warning(std::string pointer, std::string message) {
    problems_.push_back({Severity::Warning, std::move(pointer), std::move(message)});
  }

  // Depth-first only as far as the bound, so no document is too deep for the check itself.
  void CheckNesting(const json& value, std::string& pointer, int depth) {
    if (!value.is_structured()) return;
    if (depth > schema::kNestingLimit) {
      Error(pointer, "nested deeper than " + std::to_string(schema::kNestingLimit) + " levels");
      return;
    }
    const std::size_t length = pointer.size();
    if (value.is_object()) {
      for (const auto& [key, member] : value.items()) {
        pointer = Child(pointer, key);
        CheckNesting(member, pointer, depth + 1);
        pointer.resize(length);
      }
    } else {
      for (std::size_t i = 0; i < value.size(); ++i) {
        pointer = Child(pointer, std::to_string(i));
        CheckNesting(value[i], pointer, depth + 1);
        pointer.resize(length);
      }
    }
  }

  void UnknownKeys(const json& object, const std::string& pointer, const Keys& known) {
    for (const auto& member : object.items()) {
      const std::string& key = member.key();
      if (std::find(known.begin(), known.end(), key) != known.end()) continue;
      std::string message = "unknown key, ignored";
      if (const auto guess = ClosestKey(key, known)) {
        message += "; did you mean \"" + std::string(*guess) + "\"?";
      }
      Warning(Child(pointer, key), std::move(message));
    }
  }

  // The known key nearest the unknown one, when it is near enough to be what was meant: within
  // a quarter of its length in edits, or two. The distance is at least the difference in
  // length, so only keys of about the same length are compared, and a long key costs nothing.
  static std::optional<std::string_view> ClosestKey(std::string_view key, const Keys& known) {
    const auto nearEnough = [](std::string_view candidate) {
      return std::max<std::size_t>(2, candidate.size() / 4);
    };
    std::size_t widest = 0;
    for (const auto candidate : known) widest = std::max(widest, nearEnough(candidate));
    std::optional<std::string_view> closest;
    std::size_t closestDistance = 0;
    for (const auto candidate : known) {
      const std::size_t lengths =
          std::max(key.size(), candidate.size()) - std::min(key.size(), candidate.size());
      if (lengths > widest) continue;  // too far for any known key to be meant
      const std::size_t distance = EditDistance(key, candidate);
      if (!closest || distance < closestDistance) {
        closest = candidate;
        closestDistance = distance;
      }
    }
    if (!closest || closestDistance > nearEnough(*closest)) return std::nullopt;
    return closest;
  }

  // The member when it is there and of the kind expected; an error naming what is wrong when not.
  const json* Required(const json& object, const std::string& pointer, std::string_view key,
                       bool (json::*isExpected)() const noexcept, std::string_view expected) {
    const auto it = object.find(key);
    if (it == object.end()) {
      Error(Child(pointer, key), "missing, expected " + std::string(expected));
      return nullptr;
    }
    if (!((*it).*isExpected)()) {
      Error(Child(pointer, key), "found " + Found(*it) + ", expected " + std::string(expected));
      return nullptr;
    }
    return &*it;
  }

  // A number setting, and what the plugin makes of it (outcome, the plugin's own reading) where
  // that is not the number written: true and false, a fraction, a value beyond 32 bits, and
  // below zero, where belowZero says what the value as read means.
  using Outcome = std::int32_t (*)(const json&);
  using BelowZero = std::string (*)(std::int32_t number);
  void CheckNumberSetting(const json& value, const std::string& at, Outcome outcome,
                          BelowZero belowZero) {
    if (!value.is_number() && !value.is_boolean()) {
      Error(at, "found " + Found(value) + ", expected a number");
      return;
    }
    const std::int32_t read = outcome(value);
    const bool asWritten = !value.is_boolean() && value.get<double>() == read;
    std::string message;
    if (!asWritten) message = value.dump() + " is read as " + std::to_string(read);
    if (value.is_boolean()) message += "; a number is expected";
    if (const std::int32_t number = ReadInt32(value); number < 0) {
      message += (message.empty() ? "" : "; ") + belowZero(number);
    }
    if (!message.empty()) Warning(at, message);
  }

  void CheckNumberSetting(const json& object, const std::string& pointer, std::string_view key,
                          BelowZero belowZero) {
    const auto it = object.find(key);
    if (it == object.end()) {
      Error(Child(pointer, key), "missing, expected a number");
      return;
    }
    CheckNumberSetting(*it, Child(pointer, key), ReadInt32, belowZero);
  }

  // Absent, the groups set no limits.
  void CheckGroupLimits(const json& document) {
    const auto it = document.find(schema::kMaxTrackPerGroup);
    if (it == document.end()) return;
    if (!it->is_object()) {
      Error("/MaxTrackPerGroup",
            "found " + Found(*it) + ", expected an object of group names and numbers");
      return;
    }
    for (const auto& [group, limit] : it->items()) {
      CheckNumberSetting(limit, Child("/MaxTrackPerGroup", group), GroupLimit, [](std::int32_t) {
        return std::string("a member also in a group with a higher limit gets that one");
      });
    }
  }

  // Ranges are compared, not read: absent, true, false or below zero they still mean something,
  // if seldom what was meant, and a fraction comes down to whole metres. Said through the
  // reading the searches and labels use.
  void CheckRange(const json& section, const std::string& pointer, std::string_view key,
                  const schema::RangeMeanings& ranges) {
    const bool top = key == schema::kMaxTrackRange;
    const std::string meaning(top ? ranges.maxTrackRange : ranges.minTrackRange);
    const std::string at = Child(pointer, key);
    const auto it = section.find(key);
    const RangeBound bound = RangeBoundOf(it == section.end() ? nullptr : &*it);
    if (it == section.end()) {
      Warning(at, "missing: " + meaning);
    } else if (it->is_boolean()) {
      Warning(at, "found " + Found(*it) + ", which counts as below zero: " + meaning);
    } else if (!it->is_number()) {
      Error(at, "found " + Found(*it) + ", expected a number of metres");
    } else if (bound.IsBelowZero()) {
      Warning(at, "below zero: " + meaning);
    } else if (bound.metres != std::trunc(bound.metres)) {
      Warning(at, it->dump() + " comes down to whole metres: " +
                      (top ? WholeMaximum(*it, bound, ranges) : WholeMinimum(bound)));
    }
  }

  // What a fractional "MaxTrackRange" above zero searches and draws, as the search (which reads
  // it as a number setting) and the labels (which compare it) use it.
  static std::string WholeMaximum(const json& value, const RangeBound& bound,
                                  const schema::RangeMeanings& ranges) {
    std::string said;
    if (ranges.maxIsSearchRadius) {
      said = "the search has a radius of " + std::to_string(ReadInt32(value)) + " m";
    }
    if (ranges.maxIsFarthestLabel) {
      said += (said.empty() ? "" : ", and ") + std::string("labels are drawn up to ") +
              std::to_string(MostMetresNotAbove(bound)) + " m";
    }
    return said;
  }

  static std::string WholeMinimum(const RangeBound& bound) {
    return "labels are drawn from " + std::to_string(LeastMetresNotBelow(bound)) + " m";
  }

  struct CommandWord {
    std::string pointer;
    std::string word;
  };

  void CheckCommands(const json& document) {
    const json* commands = Required(document, "", schema::kCommands, &json::is_object,
                                    "an object with the five commands");
    if (commands == nullptr) return;
    Keys sections;
    for (const auto* command : schema::kCommandSchemas) sections.push_back(command->key);
    UnknownKeys(*commands, "/Commands", sections);

    std::vector<CommandWord> words;
    for (const auto* listed : schema::kCommandSchemas) {
      const schema::CommandSection& command = *listed;
      const json* section =
          Required(*commands, "/Commands", command.key, &json::is_object, "an object");
      if (section == nullptr) continue;
      const std::string at = Child("/Commands", command.key);
      Keys known = {schema::kCommandWord};
      if (command.gated) known.insert(known.end(), {schema::kEnabled, schema::kAllowedGroups});
      const bool ranged = !command.ranges.maxTrackRange.empty();
      if (ranged) known.insert(known.end(), {schema::kMaxTrackRange, schema::kMinTrackRange});
      UnknownKeys(*section, at, known);

      if (const json* word =
              Required(*section, at, schema::kCommandWord, &json::is_string, "a text")) {
        words.push_back({Child(at, schema::kCommandWord), word->get<std::string>()});
      }
      if (command.gated) {
        Required(*section, at, schema::kEnabled, &json::is_boolean, "true or false");
        CheckGroupList(*section, at);
      }
      if (ranged) {
        CheckRange(*section, at, schema::kMaxTrackRange, command.ranges);
        CheckRange(*section, at, schema::kMinTrackRange, command.ranges);
      }
    }
    CheckCommandWords(words);
  }

  void CheckGroupList(const json& section, const std::string& pointer) {
    const json* groups = Required(section, pointer, schema::kAllowedGroups, &json::is_array,
                                  "a list of permission group names");
    if (groups == nullptr) return;
    for (std::size_t i = 0; i < groups->size(); ++i) {
      if ((*groups)[i].is_string()) continue;
      Error(Child(Child(pointer, schema::kAllowedGroups), std::to_string(i)),
            "found " + Found((*groups)[i]) + ", expected a group name (a text)");
    }
  }

  void CheckCommandWords(const std::vector<CommandWord>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
      const auto& [at, word] = words[i];
      if (word.empty()) {
        Error(at, "the command word is empty");
        continue;
      }
      if (word.find(' ') != std::string::npos) {
        Error(at, "the command word " + Quoted(word) +
                      " holds a space, so no chat line can start with it");
      }
      const auto control = std::find_if(
          word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
      if (control != word.end()) {
        Error(at, "the command word " + Quoted(word) + " holds the control character " +
                      json(std::string(1, *control)).dump() +
                      ", which no chat line holds, so no chat line reaches the command");
      }
      const host::String registered = host::Widen(word);
      if (registered != host::String(word.begin(), word.end())) {
        std::string shown(registered.begin(), registered.end());
        Warning(at, Quoted(word) + " holds characters beyond ASCII: it is registered as " +
                        Quoted(shown) + ", so typing " + Quoted(word) + " does not reach it");
      }
      const host::String compared = AsCompared(word);
      for (std::size_t j = 0; j < i; ++j) {
        if (!EqualsIgnoringAsciiCase(compared, AsCompared(words[j].word))) continue;
        Error(at, "the command word " + Quoted(word) + " is also the word of " + words[j].pointer +
                      HowTheyMeet(word, words[j].word) +
                      "; only one of the two commands can be reached");
        break;
      }
    }
  }

  // "Messages" and "FloatingTexts": objects of texts looked up by key, "No message" for a key
  // that is absent. Each text present is handed to checkText with its schema entry.
  template <typename Schema, typename CheckText>
  void CheckTexts(const json& document, std::string_view section, std::string_view expected,
                  std::span<const Schema* const> schemas, std::string_view readers,
                  CheckText checkText) {
    const json* texts = Required(document, "", section, &json::is_object, expected);
    if (texts == nullptr) return;
    const std::string pointer = Child("", section);
    Keys known;
    for (const Schema* entry : schemas) known.push_back(entry->key);
    UnknownKeys(*texts, pointer, known);
    for (const Schema* listed : schemas) {
      const Schema& entry = *listed;
      const std::string at = Child(pointer, entry.key);
      const auto it = texts->find(entry.key);
      if (it == texts->end()) {
        Warning(at, "missing: " + std::string(readers) + " will read \"No message\"");
      } else if (!it->is_string()) {
        Error(at, "found " + Found(*it) + ", expected a text");
      } else {
        checkText(entry, it->template get_ref<const std::string&>(), at);
      }
    }
  }

  void CheckMessages(const json& document) {
    CheckTexts<schema::MessageSchema>(
        document, schema::kMessages, "an object of message texts", schema::kMessageSchemas,
        "players",
        [&](const schema::MessageSchema& message, const std::string& text, const std::string& at) {
          auto why = message.formatted ? CheckMessageFormat(text, message.arguments)
                                       : CheckTextLength(text, schema::kMessageLengthLimit);
          if (why) Error(at, std::move(*why));
        });
  }

  void CheckLabelTemplates(const json& document) {
    CheckTexts<schema::LabelSchema>(
        document, schema::kFloatingTexts, "an object of label templates", schema::kLabelSchemas,
        "labels",
        [&](const schema::LabelSchema& label, const std::string& text, const std::string& at) {
          if (auto why = CheckTextLength(text, schema::kLabelLengthLimit)) {
            Error(at, std::move(*why));
            return;
          }
          UnknownPlaceholders(text, at, label.placeholders);
        });
  }

  // Anything shaped like a placeholder ("{" letters, digits or "_" "}") that the label does not
  // fill in is shown as it stands.
  void UnknownPlaceholders(std::string_view text, const std::string& at,
                           std::span<const host::TextView> placeholders) {
    std::vector<std::string_view> reported;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
      std::size_t end = open + 1;
      while (end < text.size() && IsNameCharacter(text[end])) ++end;
      if (end == open + 1 || end >= text.size() || text[end] != '}') continue;
      const std::string_view name = text.substr(open, end - open + 1);
      const host::String wide(name.begin(), name.end());
      const bool known = std::any_of(placeholders.begin(), placeholders.end(),
                                     [&](auto p) { return EqualsIgnoringAsciiCase(wide, p); });
      if (known || std::find(reported.begin(), reported.end(), name) != reported.end()) continue;
      reported.push_back(name);
      std::string list;
      for (const auto placeholder : placeholders) {
        list += (list.empty() ? "" : ", ") + std::string(placeholder.begin(), placeholder.end());
      }
      Warning(at, Quoted(name) +
                      " is not a placeholder of this label and is shown as it stands; its "
                      "placeholders are " +
                      list);
    }
  }

  ConfigProblems problems_;
};

}  // namespace

ConfigProblems CheckConfig(const nlohmann::json& document) { return Checker().Run(document); }

ConfigProblems CheckReload(const nlohmann::json& document, std::int32_t periodInForce) {
  ConfigProblems problems = CheckConfig(document);
  if (!document.is_object()) return problems;
  const auto period = document.find(schema::kUpdateTextEvery);
  if (period == document.end() || !(period->is_number() || period->is_boolean())) return problems;
  if (ReadInt32(*period) != periodInForce) {
    problems.push_back({Severity::Warning, "/UpdateTextEvery",
                        "changed from " + std::to_string(periodInForce) + " to " +
                            std::to_string(ReadInt32(*period)) +
                            ": the label period changes at the next start only"});
  }
  return problems;
}

}  // namespace packsentinel

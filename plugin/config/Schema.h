#pragma once

// What config.json holds: every key the plugin reads, its kind, and what its absence means.
// The checks and the plugin's own readers both take their key names from here.

#include <array>
#include <span>
#include <string_view>

#include "host/Char.h"

namespace packsentinel::schema {

// What a range setting, absent or below zero, comes to for its command.
struct RangeMeanings {
  std::string_view maxTrackRange;  // empty: the section has no ranges
  std::string_view minTrackRange;
};

struct CommandSection {
  std::string_view key;
  bool gated;  // reads "Enabled" and "AllowedGroups"
  RangeMeanings ranges;
};

inline constexpr std::string_view kLabelsFromZero = "labels are drawn from 0 m, as with 0";

// The five sections under "Commands", in the order their words are registered.
inline constexpr std::array<CommandSection, 5> kCommandSchemas = {{
    {"TrackTribeMembers", true, {"no tribe mate labels are drawn at all", kLabelsFromZero}},
    {"TrackTribeDinos",
     true,
     {"the search covers the whole map and no tribe creature labels are drawn at all",
      kLabelsFromZero}},
    {"TrackWildDinos", true, {"the search covers the whole map, as with 0", kLabelsFromZero}},
    {"FindDinos", true, {}},
    {"StopTrack", false, {}},
}};

enum class ArgumentKind { Text, Number };

struct MessageArgument {
  ArgumentKind kind;
  std::string_view meaning;
};

struct MessageSchema {
  std::string_view key;
  bool formatted;  // "MessageSender" is a name, shown as it stands
  std::span<const MessageArgument> arguments;
};

inline constexpr MessageArgument kCommandWord[] = {{ArgumentKind::Text, "the command word"}};
inline constexpr MessageArgument kNameLevelLimit[] = {
    {ArgumentKind::Text, "the creature name typed"},
    {ArgumentKind::Text, "the level typed"},
    {ArgumentKind::Number, "the player's tracking limit"}};
inline constexpr MessageArgument kNameLimit[] = {
    {ArgumentKind::Text, "the creature name typed"},
    {ArgumentKind::Number, "the player's tracking limit"}};
inline constexpr MessageArgument kName[] = {{ArgumentKind::Text, "the creature name typed"}};

inline constexpr std::array<MessageSchema, 15> kMessageSchemas = {{
    {"MessageSender", false, {}},
    {"NoPermissions", true, {}},
    {"TrackLimitReached", true, {}},
    {"TrackWildDinosUseHelp", true, kCommandWord},
    {"TrackingDinosWithLevel", true, kNameLevelLimit},
    {"TrackingDinosNoLevel", true, kNameLimit},
    {"NoDinosFound", true, kName},
    {"TrackTribeDinosUseHelp", true, kCommandWord},
    {"TribeDinoTrackerEnabled", true, {}},
    {"TribeDinoTrackerDisabled", true, {}},
    {"TrackTribeMembersUseHelp", true, kCommandWord},
    {"PacksentinelEnabled", true, {}},
    {"PacksentinelDisabled", true, {}},
    {"FindDinosUseHelp", true, kCommandWord},
    {"StopTrackingSuccess", true, {}},
}};

// Label placeholders, in the order each label fills them in.
inline constexpr host::TextView kWildLabelPlaceholders[] = {
    HOST_TEXT("{dinoName}"), HOST_TEXT("{dinoLevel}"), HOST_TEXT("{dinoDistance}")};
inline constexpr host::TextView kTribeDinoLabelPlaceholders[] = {
    HOST_TEXT("{dinoName}"), HOST_TEXT("{dinoDistance}"), HOST_TEXT("{spaces}")};
inline constexpr host::TextView kTribeMemberLabelPlaceholders[] = {HOST_TEXT("{playerName}"),
                                                                   HOST_TEXT("{playerDistance}")};

struct LabelSchema {
  std::string_view key;
  std::span<const host::TextView> placeholders;
};

inline constexpr std::array<LabelSchema, 3> kLabelSchemas = {{
    {"TrackWildDinosText", kWildLabelPlaceholders},
    {"TrackTribeDinosText", kTribeDinoLabelPlaceholders},
    {"TrackTribeMembersText", kTribeMemberLabelPlaceholders},
}};

// Longest text a message may come to, and so the widest field it may ask for.
inline constexpr int kMessageLengthLimit = 4000;
// Containers within containers, the document itself counted as the first.
inline constexpr int kNestingLimit = 32;

}  // namespace packsentinel::schema

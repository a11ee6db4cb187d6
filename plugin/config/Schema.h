#pragma once

// What config.json holds: every key the plugin reads, its kind, and what its absence means.
// The checks and the plugin's own readers both take their key names from here, by these
// constants, so that a misspelt key does not compile.

#include <array>
#include <span>
#include <string_view>

#include "host/Char.h"

namespace packsentinel::schema {

// Keys at the top of the document.
inline constexpr const char* kCommands = "Commands";
inline constexpr const char* kMessages = "Messages";
inline constexpr const char* kFloatingTexts = "FloatingTexts";
inline constexpr const char* kUpdateTextEvery = "UpdateTextEvery";
inline constexpr const char* kMaxTrackPerPlayer = "MaxTrackPerPlayer";
inline constexpr const char* kMaxTrackPerGroup = "MaxTrackPerGroup";

// Keys of a command's section.
inline constexpr const char* kCommandWord = "Command";
inline constexpr const char* kEnabled = "Enabled";
inline constexpr const char* kAllowedGroups = "AllowedGroups";
inline constexpr const char* kMaxTrackRange = "MaxTrackRange";
inline constexpr const char* kMinTrackRange = "MinTrackRange";

// What the range settings of a command are for, and what they come to absent or below zero.
struct RangeMeanings {
  std::string_view maxTrackRange;  // empty: the section has no ranges
  std::string_view minTrackRange;
  bool maxIsSearchRadius;   // a "MaxTrackRange" above zero is the command's search radius
  bool maxIsFarthestLabel;  // "MaxTrackRange" bounds where its labels are drawn (wild ones have
                            // none: the command already chose what is near enough)
};

struct CommandSection {
  const char* key;
  bool gated;  // reads "Enabled" and "AllowedGroups"
  RangeMeanings ranges;
};

inline constexpr std::string_view kLabelsFromZero = "labels are drawn from 0 m, as with 0";

// The five sections under "Commands".
inline constexpr CommandSection kTrackTribeMembers{
    "TrackTribeMembers",
    true,
    {"no tribe mate labels are drawn at all", kLabelsFromZero, false, true}};
inline constexpr CommandSection kTrackTribeDinos{
    "TrackTribeDinos",
    true,
    {"the search covers the whole map and no tribe creature labels are drawn at all",
     kLabelsFromZero, true, true}};
inline constexpr CommandSection kTrackWildDinos{
    "TrackWildDinos",
    true,
    {"the search covers the whole map, as with 0", kLabelsFromZero, true, false}};
inline constexpr CommandSection kFindDinos{"FindDinos", true, {}};
inline constexpr CommandSection kStopTrack{"StopTrack", false, {}};

inline constexpr std::array<const CommandSection*, 5> kCommandSchemas = {
    &kTrackTribeMembers, &kTrackTribeDinos, &kTrackWildDinos, &kFindDinos, &kStopTrack};

enum class ArgumentKind { Text, Number };

struct MessageArgument {
  ArgumentKind kind;
  std::string_view meaning;
};

struct MessageSchema {
  const char* key;
  bool formatted;  // "MessageSender" is a name, shown as it stands
  std::span<const MessageArgument> arguments;
};

inline constexpr MessageArgument kTheCommandWord[] = {{ArgumentKind::Text, "the command word"}};
inline constexpr MessageArgument kNameLevelLimit[] = {
    {ArgumentKind::Text, "the creature name typed"},
    {ArgumentKind::Text, "the level typed"},
    {ArgumentKind::Number, "the player's tracking limit"}};
inline constexpr MessageArgument kNameLimit[] = {
    {ArgumentKind::Text, "the creature name typed"},
    {ArgumentKind::Number, "the player's tracking limit"}};
inline constexpr MessageArgument kName[] = {{ArgumentKind::Text, "the creature name typed"}};

// The texts under "Messages".
inline constexpr MessageSchema kMessageSender{"MessageSender", false, {}};
inline constexpr MessageSchema kNoPermissions{"NoPermissions", true, {}};
inline constexpr MessageSchema kTrackLimitReached{"TrackLimitReached", true, {}};
inline constexpr MessageSchema kTrackWildDinosUseHelp{"TrackWildDinosUseHelp", true,
                                                      kTheCommandWord};
inline constexpr MessageSchema kTrackingDinosWithLevel{"TrackingDinosWithLevel", true,
                                                       kNameLevelLimit};
inline constexpr MessageSchema kTrackingDinosNoLevel{"TrackingDinosNoLevel", true, kNameLimit};
inline constexpr MessageSchema kNoDinosFound{"NoDinosFound", true, kName};
inline constexpr MessageSchema kTrackTribeDinosUseHelp{"TrackTribeDinosUseHelp", true,
                                                       kTheCommandWord};
inline constexpr MessageSchema kTribeDinoTrackerEnabled{"TribeDinoTrackerEnabled", true, {}};
inline constexpr MessageSchema kTribeDinoTrackerDisabled{"TribeDinoTrackerDisabled", true, {}};
inline constexpr MessageSchema kTrackTribeMembersUseHelp{"TrackTribeMembersUseHelp", true,
                                                         kTheCommandWord};
inline constexpr MessageSchema kPacksentinelEnabled{"PacksentinelEnabled", true, {}};
inline constexpr MessageSchema kPacksentinelDisabled{"PacksentinelDisabled", true, {}};
inline constexpr MessageSchema kFindDinosUseHelp{"FindDinosUseHelp", true, kTheCommandWord};
inline constexpr MessageSchema kStopTrackingSuccess{"StopTrackingSuccess", true, {}};

inline constexpr std::array<const MessageSchema*, 15> kMessageSchemas = {&kMessageSender,
                                                                         &kNoPermissions,
                                                                         &kTrackLimitReached,
                                                                         &kTrackWildDinosUseHelp,
                                                                         &kTrackingDinosWithLevel,
                                                                         &kTrackingDinosNoLevel,
                                                                         &kNoDinosFound,
                                                                         &kTrackTribeDinosUseHelp,
                                                                         &kTribeDinoTrackerEnabled,
                                                                         &kTribeDinoTrackerDisabled,
                                                                         &kTrackTribeMembersUseHelp,
                                                                         &kPacksentinelEnabled,
                                                                         &kPacksentinelDisabled,
                                                                         &kFindDinosUseHelp,
                                                                         &kStopTrackingSuccess};

// Label placeholders, in the order each label fills them in.
inline constexpr host::TextView kWildLabelPlaceholders[] = {
    HOST_TEXT("{dinoName}"), HOST_TEXT("{dinoLevel}"), HOST_TEXT("{dinoDistance}")};
inline constexpr host::TextView kTribeDinoLabelPlaceholders[] = {
    HOST_TEXT("{dinoName}"), HOST_TEXT("{dinoDistance}"), HOST_TEXT("{spaces}")};
inline constexpr host::TextView kTribeMemberLabelPlaceholders[] = {HOST_TEXT("{playerName}"),
                                                                   HOST_TEXT("{playerDistance}")};

struct LabelSchema {
  const char* key;
  std::span<const host::TextView> placeholders;
};

// The templates under "FloatingTexts".
inline constexpr LabelSchema kTrackWildDinosText{"TrackWildDinosText", kWildLabelPlaceholders};
inline constexpr LabelSchema kTrackTribeDinosText{"TrackTribeDinosText",
                                                  kTribeDinoLabelPlaceholders};
inline constexpr LabelSchema kTrackTribeMembersText{"TrackTribeMembersText",
                                                    kTribeMemberLabelPlaceholders};

inline constexpr std::array<const LabelSchema*, 3> kLabelSchemas = {
    &kTrackWildDinosText, &kTrackTribeDinosText, &kTrackTribeMembersText};

// Longest text a message may come to, and so the widest field it may ask for.
inline constexpr int kMessageLengthLimit = 4000;
// Longest text of a player's (or the configuration's) that a reply repeats; the rest is cut, so
// that the check can bound every reply whatever was typed.
inline constexpr int kEchoedTextLimit = 100;
// Longest label template. Every label of a refresh is written from it, thousands on a full
// server, so it is bounded far below a message.
inline constexpr int kLabelLengthLimit = 200;
// Containers within containers, the document itself counted as the first.
inline constexpr int kNestingLimit = 32;

}  // namespace packsentinel::schema

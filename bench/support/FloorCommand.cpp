#include "support/FloorCommand.h"

#include <Permissions.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Config.h"
#include "host/Text.h"

namespace bench_support {
namespace {

FloorWords SplitWords(std::u16string_view line) {
  FloorWords words;
  std::size_t start = 0;
  while (start < line.size()) {
    if (line[start] == u' ') {
      ++start;
      continue;
    }
    const std::size_t end = std::min(line.find(u' ', start), line.size());
    words.push_back(line.substr(start, end - start));
    start = end;
  }
  return words;
}

bool IsDigits(std::u16string_view word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// None when the number is beyond 32 bits.
std::optional<int32> ReadDigits(std::u16string_view digits) {
  constexpr std::int64_t kMax = std::numeric_limits<int32>::max();
  std::int64_t value = 0;
  for (const char16_t c : digits) {
    value = value * 10 + (c - u'0');
    if (value > kMax) return std::nullopt;
  }
  return static_cast<int32>(value);
}

}  // namespace

FloorRequest::FloorRequest(const FloorWords& words) {
  std::size_t nameEnd = words.size();
  if (IsDigits(words.back())) {
    levelGiven_ = true;
    level_ = ReadDigits(words.back());
    --nameEnd;
  }
  for (std::size_t i = 1; i < nameEnd; ++i) {
    if (i > 1) name_ += u' ';
    name_ += words[i];
  }
  nameSearch_ = packsentinel::NameSearch(name_);
}

FloorCommand::FloorCommand(const FloorGame& game, const char* commandKey)
    : game_(game), commandKey_(commandKey) {}

std::optional<FloorWords> FloorCommand::Open(AShooterPlayerController* controller,
                                             std::u16string_view line) {
  const nlohmann::json& section = CommandSettings(commandKey_);
  if (!IsEnabled(section)) return std::nullopt;
  const uint64 playerId = controller ? game_.playerId(controller) : 0;
  const auto& groups = section.at("AllowedGroups");
  const bool allowed = std::any_of(groups.begin(), groups.end(), [&](const nlohmann::json& group) {
    return IsInGroup(playerId, group.get_ref<const std::string&>());
  });
  if (!allowed) {
    Reply(controller, "NoPermissions");
    return std::nullopt;
  }
  return SplitWords(line);
}

void FloorCommand::SendUsage(AShooterPlayerController* controller, const char* messageKey) {
  FloorText word;
  word.AppendNarrow(CommandSettings(commandKey_).at("Command").get_ref<const std::string&>());
  Reply(controller, messageKey, word.View());
}

int32 FloorCommand::TrackLimit(uint64 playerId) {
  const nlohmann::json& config = packsentinel::Config;
  bool inAnyGroup = false;
  int32 limit = 0;
  if (const auto groups = config.find("MaxTrackPerGroup"); groups != config.end()) {
    for (const auto& [group, groupLimit] : groups->items()) {
      const int32 value = ToInt32(groupLimit);
      if (!IsInGroup(playerId, group)) continue;
      inAnyGroup = true;
      limit = std::max(limit, value);
    }
  }
  return inAnyGroup ? limit : ToInt32(config.at("MaxTrackPerPlayer"));
}

void FloorCommand::SendChat(AShooterPlayerController* controller, const FString& text) {
  if (controller == nullptr) return;
  FChatMessage message;
  message.SenderName = host::ToFString(ConfiguredText("Messages", "MessageSender"));
  message.Message = text;
  game_.chatMessage(controller, message);
}

bool FloorCommand::IsInGroup(uint64 playerId, std::string_view group) {
  group_.Clear();
  group_.AppendNarrow(group);
  // As the plugin: a caching permissions plugin's first "no" is asked again.
  return Permissions::IsPlayerInGroup(playerId, group_.Get()) ||
         Permissions::IsPlayerInGroup(playerId, group_.Get());
}

}  // namespace bench_support

#pragma once

// What the floors of the chat commands share: the command's switch and groups, the words of the
// line, the creature the player names, his track limit, and chat replies.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/Words.h"
#include "support/FloorGame.h"
#include "support/FloorSettings.h"
#include "support/FloorText.h"

namespace bench_support {

// Split at spaces; views into the line.
using FloorWords = std::vector<std::u16string_view>;

// The words after the command: a name, and a level when the last word is all digits.
class FloorRequest {
 public:
  explicit FloorRequest(const FloorWords& words);

  // The name as typed, words joined with single spaces.
  const std::u16string& Name() const { return name_; }
  // Contains the name, ASCII letter case ignored; an empty name matches nothing. The plugin's
  // own test: how a name is compared is not what the floor measures.
  bool NameMatches(std::u16string_view dinoName) const { return nameSearch_.FoundIn(dinoName); }
  bool LevelGiven() const { return levelGiven_; }
  bool LevelMatches(int32 dinoLevel) const { return !levelGiven_ || level_ == dinoLevel; }

 private:
  std::u16string name_;
  packsentinel::NameSearch nameSearch_;
  bool levelGiven_ = false;
  std::optional<int32> level_;  // none for a level beyond 32 bits, which no creature has
};

class FloorCommand {
 public:
  FloorCommand(const FloorGame& game, const char* commandKey);

  // The line's words, the command word first. None when the command ends here: it is switched
  // off, or the player is in none of its groups (he is told so).
  std::optional<FloorWords> Open(AShooterPlayerController* controller, std::u16string_view line);
  // The usage reply, naming the configured command word.
  void SendUsage(AShooterPlayerController* controller, const char* messageKey);
  // The largest limit of the player's groups in "MaxTrackPerGroup" (never below 0), or
  // "MaxTrackPerPlayer" when he is in none of them.
  int32 TrackLimit(uint64 playerId);

  // A "Messages" text formatted with the arguments, sent as chat from "MessageSender".
  template <typename... Args>
  void Reply(AShooterPlayerController* controller, const char* messageKey, const Args&... args) {
    if (controller == nullptr) return;
    const std::u16string format = ConfiguredText("Messages", messageKey);
    SendChat(controller, FString::Format(format.c_str(), args...));
  }
  void SendChat(AShooterPlayerController* controller, const FString& text);

 private:
  bool IsInGroup(uint64 playerId, std::string_view group);

  const FloorGame& game_;
  const char* commandKey_;
  FloorText group_;
};

}  // namespace bench_support

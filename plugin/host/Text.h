#pragma once

// Texts between the plugin and the game: the plugin's own texts are host::String (16-bit, from
// the standard allocator); GameText holds one in the game's allocator, for what is sent again and
// again.

#include <string>
#include <string_view>

#include "host/Char.h"

class FString;

namespace host {

// Narrow text the plugin makes itself, widened byte by byte; bytes of 0x80 and above become '?',
// as the game widens narrow text.
String Widen(std::string_view text);

// UTF-8 text from the configuration, decoded by the framework.
String DecodeUtf8(const std::string& text);

// Host text as UTF-8, encoded by the framework.
std::string ToUtf8(TextView text);

// Between host texts and the game's, for host/'s calls into the game. Every character is kept,
// a NUL included.
FString ToFString(TextView text);
TextView ViewOf(const FString& text);

// A text in the game's own storage. Refilling it copies the characters and allocates only when
// the text grows beyond what it held before, so the labels of a refresh share one allocation.
// The game's text object lives inside, so making one allocates nothing.
class GameText {
 public:
  GameText();
  ~GameText();
  GameText(const GameText&) = delete;
  GameText& operator=(const GameText&) = delete;

  void Assign(TextView text);
  TextView View() const;

  // The game's text itself, for host/'s calls into the game.
  FString& Get();
  const FString& Get() const;

 private:
  // Room for the game's text object, an array's pointer and two 32-bit counts; host/Text.cpp
  // checks that it fits.
  alignas(8) unsigned char storage_[16];
};

}  // namespace host

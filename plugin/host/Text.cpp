#include <API/ARK/Ark.h>

#include "host/Text.h"

#include <new>

namespace host {

static_assert(std::is_same_v<Char, TCHAR>, "host::Char is the framework's character type");

String Widen(std::string_view text) {
  String wide(text.size(), Char{});
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    wide[i] = byte >= 0x80 ? HOST_TEXT('?') : static_cast<Char>(byte);
  }
  return wide;
}

// The framework's wide strings hold UTF-16 code units, one per wchar_t, on every platform.
String DecodeUtf8(const std::string& text) {
  const std::wstring wide = ArkApi::Tools::Utf8Decode(text);
  return String(wide.begin(), wide.end());
}

std::string ToUtf8(TextView text) {
  return ArkApi::Tools::Utf8Encode(std::wstring(text.begin(), text.end()));
}

static_assert(sizeof(FString) <= sizeof(GameText) && alignof(FString) <= alignof(GameText),
              "GameText holds the game's text object");

FString ToFString(TextView text) {
  FString game;
  game.AppendChars(text.data(), static_cast<int32>(text.size()));
  return game;
}

TextView ViewOf(const FString& text) { return {*text, static_cast<std::size_t>(text.Len())}; }

GameText::GameText() { new (storage_) FString(); }

GameText::~GameText() { Get().~FString(); }

FString& GameText::Get() { return *std::launder(reinterpret_cast<FString*>(storage_)); }

const FString& GameText::Get() const {
  return *std::launder(reinterpret_cast<const FString*>(storage_));
}

void GameText::Assign(TextView text) {
  FString& game = Get();
  game.Reset();
  game.AppendChars(text.data(), static_cast<int32>(text.size()));
}

TextView GameText::View() const { return ViewOf(Get()); }

}  // namespace host

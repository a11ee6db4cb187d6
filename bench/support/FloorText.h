#pragma once

// Text for the game's calls, built in place: one FString whose storage every text reuses, so
// building a label costs neither an allocation nor a name lookup once the storage has grown.

#include <API/UE/Containers/FString.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace bench_support {

// The characters of the game's text, read in place, inline: the floor pays no call for it.
inline std::u16string_view ViewOf(const FString& text) {
  return {*text, static_cast<std::size_t>(text.Len())};
}

class FloorText {
 public:
  FloorText();

  void Clear() { chars_.clear(); }
  void Append(std::u16string_view text) { chars_.append(text); }
  void Append(char16_t c) { chars_.push_back(c); }
  void AppendRepeated(char16_t c, std::size_t count) { chars_.append(count, c); }
  // Narrow text widened byte by byte, a byte of 0x80 or above as '?', as the game widens it.
  void AppendNarrow(std::string_view text);
  void AppendDecimal(std::int64_t value);
  // Wide text as its UTF-8 bytes widened one by one: each byte of a character beyond ASCII
  // shows as '?', and an unpaired surrogate as the three of U+FFFD.
  void AppendUtf8Widened(std::u16string_view text);

  // The characters as they stand; valid until the next change.
  std::u16string_view View() const { return chars_; }
  // The text as the game takes it; valid until the next change.
  const FString& Get();

 private:
  std::u16string chars_;
  FString text_;
};

}  // namespace bench_support

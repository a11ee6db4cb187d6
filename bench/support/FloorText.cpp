#include "support/FloorText.h"

#include <charconv>

namespace bench_support {

FloorText::FloorText() {
  constexpr int32 kTypicalLabel = 256;
  chars_.reserve(kTypicalLabel);
  text_.GetCharArray().Reserve(kTypicalLabel);
}

void FloorText::AppendNarrow(std::string_view text) {
  for (const char byte : text) {
    chars_.push_back(static_cast<unsigned char>(byte) >= 0x80 ? u'?' : static_cast<char16_t>(byte));
  }
}

void FloorText::AppendDecimal(std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AppendNarrow(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void FloorText::AppendUtf8Widened(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    if (c < 0x80) {
      chars_.push_back(c);
    } else if (pair) {
      chars_.append(4, u'?');
      ++i;
    } else {
      chars_.append(c < 0x800 ? 2 : 3, u'?');
    }
  }
}

const FString& FloorText::Get() {
  text_.Reset();
  text_.AppendChars(chars_.data(), static_cast<int32>(chars_.size()));
  return text_;
}

}  // namespace bench_support

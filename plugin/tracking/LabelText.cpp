#include "tracking/LabelText.h"

#include <string>

#include "core/AsciiCase.h"

namespace packsentinel {
namespace {

void Replace(std::u16string& text, const Placeholder& placeholder) {
  const std::size_t length = placeholder.name.size();
  std::size_t at = 0;
  while (at + length <= text.size()) {
    if (EqualsIgnoringAsciiCase(std::u16string_view(text).substr(at, length), placeholder.name)) {
      text.replace(at, length, placeholder.value);
      at += placeholder.value.size();
    } else {
      ++at;
    }
  }
}

}  // namespace

FString FillPlaceholders(const FString& text, std::initializer_list<Placeholder> placeholders) {
  std::u16string filled(text.View());
  for (const auto& placeholder : placeholders) Replace(filled, placeholder);
  return FString(std::u16string_view(filled));
}

std::u16string Decimal(int32 value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

float CreatureLabelDuration(int32 period) {
  if (period == 1) return 0.035f;
  if (period >= 10) return static_cast<float>(period * 0.04);
  return static_cast<float>(period * 0.035 * 2);
}

float MemberLabelDuration(int32 period) {
  if (period >= 1 && period <= 5) return 0.2728f;
  return static_cast<float>(period * 0.0375);
}

}  // namespace packsentinel

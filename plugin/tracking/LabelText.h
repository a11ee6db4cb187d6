#pragma once

// Label texts: templates from "FloatingTexts" with their placeholders filled in.

#include <initializer_list>
#include <string>
#include <string_view>

#include "ArkApi/BasicTypes.h"
#include "host/Text.h"

namespace packsentinel {

struct Placeholder {
  std::u16string_view name;  // "{dinoName}"
  std::u16string_view value;
};

// Each placeholder in turn replaces every occurrence, letter case ignored, left to right and
// without rescanning what it inserted; a later placeholder may replace text an earlier one put in.
FString FillPlaceholders(const FString& text, std::initializer_list<Placeholder> placeholders);

// A number in decimal, as label text.
std::u16string Decimal(int32 value);

// Seconds a label stays, from the refresh period in ticks, so that it lasts until redrawn.
float CreatureLabelDuration(int32 period);
float MemberLabelDuration(int32 period);

}  // namespace packsentinel

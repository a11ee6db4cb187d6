#pragma once

// Label texts: templates from "FloatingTexts" with their placeholders filled in.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ArkApi/BasicTypes.h"
#include "host/Text.h"

namespace packsentinel {

// The rule: each placeholder in turn replaces every occurrence, letter case ignored, left to
// right and without rescanning what it inserted; a later placeholder may replace text an earlier
// one put in. values holds one value per placeholder name, in the same order.
std::u16string ReplaceInSequence(std::u16string_view text,
                                 std::span<const std::u16string_view> names,
                                 std::span<const std::u16string_view> values);

// A template split once, so that every label of a refresh is written in one pass into a reused
// text. The split knows where each placeholder stands after the replacements before it; it can
// only be wrong where inserted text takes part in a later match, so then the label is built by
// the rule itself: when a value other than the last contains a brace, or when the template puts
// a value between braces.
class LabelTemplate {
 public:
  // names: the placeholders in replacement order; they must outlive the template.
  LabelTemplate(std::u16string_view text, std::span<const std::u16string_view> names);

  // Empties out and writes the label into it, keeping its storage.
  void Fill(std::span<const std::u16string_view> values, FString& out) const;

 private:
  struct Piece {
    std::uint32_t literalStart, literalLength;  // template text written as it stands
    int slot;                                   // then this placeholder's value; -1: none
  };

  // False, with the text unfinished, when a value holds a brace that a later step would scan.
  bool FillInOnePass(std::span<const std::u16string_view> values, FString& out) const;

  std::u16string text_;
  std::span<const std::u16string_view> names_;
  std::vector<Piece> pieces_;
  bool valueBetweenBraces_ = false;
};

// A number in decimal, as label text, without allocating.
class DecimalText {
 public:
  explicit DecimalText(int32 value);
  std::u16string_view View() const { return {digits_, size_}; }

 private:
  char16_t digits_[11];  // "-2147483648"
  std::size_t size_ = 0;
};

// A run of blanks, from storage kept across labels.
std::u16string_view Blanks(std::size_t count);

// Seconds a label stays, from the refresh period in ticks, so that it lasts until redrawn.
float CreatureLabelDuration(int32 period);
float MemberLabelDuration(int32 period);

}  // namespace packsentinel

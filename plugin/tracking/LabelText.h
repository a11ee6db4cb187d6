#pragma once

// Label texts: templates from "FloatingTexts" with their placeholders filled in.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/Char.h"

namespace packsentinel {

// The rule: each placeholder in turn replaces every occurrence, letter case ignored, left to
// right and without rescanning what it inserted; a later placeholder may replace text an earlier
// one put in. values holds one value per placeholder name, in the same order.
host::String ReplaceInSequence(host::TextView text, std::span<const host::TextView> names,
                               std::span<const host::TextView> values);

// A template after its replacements, as cells: each a character of the template or a
// placeholder's value.
struct TemplateCell {
  bool isValue;
  std::uint32_t index;  // of the character in the template, or of the placeholder
};

// A stretch of cells from an opening to a closing brace, with no brace between, that holds a
// value; lastSlot is the latest placeholder among its values.
struct BraceSpan {
  std::vector<TemplateCell> cells;
  std::uint32_t lastSlot;
};

// A template split once, so that every label of a refresh is written in one pass into a reused
// text: 39 % of a full-server refresh saved over the rule alone (docs/benchmarks.md). The split knows where each placeholder stands after the replacements before it; it can
// only be wrong where inserted text takes part in a later match, so then the label is built by
// the rule itself: when a value other than the last contains a brace, or when a value between
// braces makes the stretch read as a later placeholder.
class LabelTemplate {
 public:
  // names: the placeholders in replacement order; they must outlive the template.
  LabelTemplate(host::TextView text, std::span<const host::TextView> names);

  // Empties out and writes the label into it, keeping its storage.
  void Fill(std::span<const host::TextView> values, host::String& out) const;

 private:
  struct Piece {
    std::uint32_t literalStart = 0, literalLength = 0;  // template text written as it stands
    std::optional<std::uint32_t> slot;                  // then this placeholder's value, if any
  };

  // False, with the text unfinished, when a value holds a brace that a later step would scan.
  bool FillInOnePass(std::span<const host::TextView> values, host::String& out) const;

  // Whether the values make a stretch between braces read as a later placeholder.
  bool CompletesLaterPlaceholder(std::span<const host::TextView> values) const;

  host::String text_;
  std::span<const host::TextView> names_;
  std::vector<Piece> pieces_;
  std::vector<BraceSpan> spans_;
};

// A number in decimal, as label text, without allocating.
class DecimalText {
 public:
  explicit DecimalText(std::int32_t value);
  host::TextView Digits() const { return {digits_, size_}; }

 private:
  host::Char digits_[11];  // "-2147483648"
  std::size_t size_ = 0;
};

}  // namespace packsentinel

#include "tracking/LabelText.h"

#include <charconv>

#include "core/AsciiCase.h"

namespace packsentinel {
namespace {

bool IsBrace(host::Char c) { return c == HOST_TEXT('{') || c == HOST_TEXT('}'); }

void ReplaceAll(host::String& text, host::TextView name, host::TextView value) {
  std::size_t at = 0;
  while (at + name.size() <= text.size()) {
    if (EqualsIgnoringAsciiCase(host::TextView(text).substr(at, name.size()), name)) {
      text.replace(at, name.size(), value);
      at += value.size();
    } else {
      ++at;
    }
  }
}

// The template as cells: each a character of the template or a placeholder's value.
struct Cell {
  bool isValue;
  std::uint32_t index;  // of the character in the template, or of the placeholder
};
using Cells = std::vector<Cell>;

// One replacement step over cells: values never match, so this is the rule's step exactly when
// no inserted text takes part in a match.
Cells ReplaceCells(const Cells& cells, host::TextView text, host::TextView name,
                   std::uint32_t slot) {
  const auto matchesAt = [&](std::size_t at) {
    if (at + name.size() > cells.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const Cell& cell = cells[at + i];
      if (cell.isValue || LowerAscii(text[cell.index]) != LowerAscii(name[i])) return false;
    }
    return true;
  };
  Cells replaced;
  for (std::size_t at = 0; at < cells.size();) {
    if (!name.empty() && matchesAt(at)) {
      replaced.push_back({true, slot});
      at += name.size();
    } else {
      replaced.push_back(cells[at++]);
    }
  }
  return replaced;
}

// Whether a value stands between an opening and a closing brace of the template with no other
// brace between: a value without braces can take part in a later match only there.
bool ValueBetweenBraces(const Cells& cells, host::TextView text) {
  std::vector<host::Char> braceAfter(cells.size() + 1, HOST_TEXT('\0'));
  for (std::size_t i = cells.size(); i-- > 0;) {
    const bool brace = !cells[i].isValue && IsBrace(text[cells[i].index]);
    braceAfter[i] = brace ? text[cells[i].index] : braceAfter[i + 1];
  }
  host::Char braceBefore = HOST_TEXT('\0');
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].isValue) {
      if (braceBefore == HOST_TEXT('{') && braceAfter[i + 1] == HOST_TEXT('}')) return true;
    } else if (IsBrace(text[cells[i].index])) {
      braceBefore = text[cells[i].index];
    }
  }
  return false;
}

}  // namespace

host::String ReplaceInSequence(host::TextView text, std::span<const host::TextView> names,
                               std::span<const host::TextView> values) {
  host::String filled(text);
  for (std::size_t i = 0; i < names.size(); ++i) ReplaceAll(filled, names[i], values[i]);
  return filled;
}

LabelTemplate::LabelTemplate(host::TextView text, std::span<const host::TextView> names)
    : text_(text), names_(names) {
  Cells cells(text.size());
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = {false, static_cast<std::uint32_t>(i)};
  for (std::size_t slot = 0; slot < names.size(); ++slot) {
    cells = ReplaceCells(cells, text_, names[slot], static_cast<std::uint32_t>(slot));
  }
  valueBetweenBraces_ = ValueBetweenBraces(cells, text_);

  Piece piece{0, 0, -1};
  for (const Cell& cell : cells) {
    if (cell.isValue) {
      piece.slot = static_cast<int>(cell.index);
      pieces_.push_back(piece);
      piece = {0, 0, -1};
    } else if (piece.literalLength++ == 0) {
      piece.literalStart = cell.index;
    }
  }
  if (piece.literalLength > 0) pieces_.push_back(piece);
}

void LabelTemplate::Fill(std::span<const host::TextView> values, host::String& out) const {
  if (!valueBetweenBraces_ && FillInOnePass(values, out)) return;
  out = ReplaceInSequence(text_, names_, values);
}

bool LabelTemplate::FillInOnePass(std::span<const host::TextView> values, host::String& out) const {
  std::size_t length = 0;
  for (const Piece& piece : pieces_) {
    length += piece.literalLength + (piece.slot >= 0 ? values[piece.slot].size() : 0);
  }
  // Room for the whole label at once, then each piece copied in.
  out.resize(length);
  host::Char* at = out.data();
  // What the last placeholder inserts is never scanned again; what the others insert is, so a
  // brace there may start or end a later match.
  const int lastSlot = static_cast<int>(names_.size()) - 1;
  bool braceScannedAgain = false;
  for (const Piece& piece : pieces_) {
    for (std::uint32_t i = 0; i < piece.literalLength; ++i) *at++ = text_[piece.literalStart + i];
    if (piece.slot < 0) continue;
    const bool scannedAgain = piece.slot < lastSlot;
    for (const host::Char c : values[piece.slot]) {
      braceScannedAgain |= scannedAgain && IsBrace(c);
      *at++ = c;
    }
  }
  return !braceScannedAgain;
}

DecimalText::DecimalText(std::int32_t value) {
  char narrow[sizeof digits_];
  const auto end = std::to_chars(narrow, narrow + sizeof narrow, value).ptr;
  for (const char* c = narrow; c != end; ++c) digits_[size_++] = static_cast<host::Char>(*c);
}

float CreatureLabelDuration(std::int32_t period) {
  if (period == 1) return 0.035f;
  if (period >= 10) return static_cast<float>(period * 0.04);
  return static_cast<float>(period * 0.035 * 2);
}

float MemberLabelDuration(std::int32_t period) {
  if (period >= 1 && period <= 5) return 0.2728f;
  return static_cast<float>(period * 0.0375);
}

}  // namespace packsentinel

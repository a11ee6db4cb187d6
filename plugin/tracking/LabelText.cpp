#include "tracking/LabelText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/AsciiCase.h"

namespace packsentinel {
namespace {

bool IsBrace(host::Char c) { return c == HOST_TEXT('{') || c == HOST_TEXT('}'); }

// One step of the rule. The text is written anew rather than edited in place, so a step costs
// the length of its text and values however many matches it makes.
host::String ReplaceAll(host::TextView text, host::TextView name, host::TextView value) {
  host::String replaced;
  replaced.reserve(text.size());
  std::size_t copied = 0;  // the text before this is in replaced
  for (std::size_t at = 0; !name.empty() && at + name.size() <= text.size();) {
    if (EqualsIgnoringAsciiCase(text.substr(at, name.size()), name)) {
      replaced.append(text.substr(copied, at - copied)).append(value);
      at += name.size();
      copied = at;
    } else {
      ++at;
    }
  }
  return replaced.append(text.substr(copied));
}

using Cell = TemplateCell;
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

// The template's stretches from an opening to a closing brace with no brace between that hold
// a value, braces included: only there can a value without braces take part in a later match,
// as every placeholder name is a brace, letters and a brace.
std::vector<BraceSpan> BraceSpans(const Cells& cells, host::TextView text) {
  std::vector<BraceSpan> spans;
  constexpr std::size_t kNone = SIZE_MAX;
  std::size_t open = kNone;  // the latest opening brace since a closing one
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].isValue) continue;
    const host::Char c = text[cells[i].index];
    if (c == HOST_TEXT('{')) {
      open = i;
    } else if (c == HOST_TEXT('}') && open != kNone) {
      BraceSpan span{Cells(cells.begin() + static_cast<std::ptrdiff_t>(open),
                           cells.begin() + static_cast<std::ptrdiff_t>(i) + 1),
                     0};
      bool holdsValue = false;
      for (const Cell& cell : span.cells) {
        if (!cell.isValue) continue;
        holdsValue = true;
        span.lastSlot = std::max(span.lastSlot, cell.index);
      }
      if (holdsValue) spans.push_back(std::move(span));
      open = kNone;
    }
  }
  return spans;
}

// Whether the span, its values put in, reads as name (letter case ignored).
bool SpanReads(const BraceSpan& span, host::TextView text, std::span<const host::TextView> values,
               host::TextView name) {
  std::size_t at = 0;
  for (const Cell& cell : span.cells) {
    const host::TextView part = cell.isValue ? values[cell.index] : text.substr(cell.index, 1);
    if (part.size() > name.size() - at) return false;
    for (const host::Char c : part) {
      if (LowerAscii(c) != LowerAscii(name[at++])) return false;
    }
  }
  return at == name.size();
}

}  // namespace

host::String ReplaceInSequence(host::TextView text, std::span<const host::TextView> names,
                               std::span<const host::TextView> values) {
  host::String filled(text);
  for (std::size_t i = 0; i < names.size(); ++i) filled = ReplaceAll(filled, names[i], values[i]);
  return filled;
}

LabelTemplate::LabelTemplate(host::TextView text, std::span<const host::TextView> names)
    : text_(text), names_(names) {
  Cells cells;
  cells.reserve(text.size());
  for (std::uint32_t i = 0; i < text.size(); ++i) cells.push_back({false, i});
  for (std::size_t slot = 0; slot < names.size(); ++slot) {
    cells = ReplaceCells(cells, text_, names[slot], static_cast<std::uint32_t>(slot));
  }
  spans_ = BraceSpans(cells, text_);

  Piece piece;
  for (const Cell& cell : cells) {
    if (cell.isValue) {
      piece.slot = cell.index;
      pieces_.push_back(piece);
      piece = {};
    } else if (piece.literalLength++ == 0) {
      piece.literalStart = cell.index;
    }
  }
  if (piece.literalLength > 0) pieces_.push_back(piece);
}

void LabelTemplate::Fill(std::span<const host::TextView> values, host::String& out) const {
  if (!CompletesLaterPlaceholder(values) && FillInOnePass(values, out)) return;
  out = ReplaceInSequence(text_, names_, values);
}

bool LabelTemplate::CompletesLaterPlaceholder(std::span<const host::TextView> values) const {
  for (const BraceSpan& span : spans_) {
    for (std::size_t later = span.lastSlot + 1; later < names_.size(); ++later) {
      if (SpanReads(span, text_, values, names_[later])) return true;
    }
  }
  return false;
}

bool LabelTemplate::FillInOnePass(std::span<const host::TextView> values, host::String& out) const {
  std::size_t length = 0;
  for (const Piece& piece : pieces_) {
    length += piece.literalLength + (piece.slot ? values[*piece.slot].size() : 0);
  }
  // Room for the whole label at once, then each piece copied in.
  out.resize(length);
  host::Char* at = out.data();
  // What the last placeholder inserts is never scanned again; what the others insert is, so a
  // brace there may start or end a later match.
  bool braceScannedAgain = false;
  for (const Piece& piece : pieces_) {
    for (std::uint32_t i = 0; i < piece.literalLength; ++i) *at++ = text_[piece.literalStart + i];
    if (!piece.slot) continue;
    const bool scannedAgain = *piece.slot + 1 < names_.size();
    for (const host::Char c : values[*piece.slot]) {
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

}  // namespace packsentinel

#include "config/FieldFormat.h"

#include <cstddef>

namespace packsentinel {
namespace {

bool IsAlignment(host::Char c) {
  return c == HOST_TEXT('<') || c == HOST_TEXT('>') || c == HOST_TEXT('^');
}

bool IsDigit(host::Char c) { return c >= HOST_TEXT('0') && c <= HOST_TEXT('9'); }

// Reads format from `at` as far as the grammar of a field's format goes.
class Reader {
 public:
  explicit Reader(host::TextView format) : format_(format) {}

  bool Done() const { return at_ == format_.size(); }
  bool Next(host::Char c) {
    if (Done() || format_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool NextOf(host::TextView choices) {
    if (Done() || choices.find(format_[at_]) == host::TextView::npos) return false;
    ++at_;
    return true;
  }
  bool Peek(host::Char c) const { return !Done() && format_[at_] == c; }
  // A fill and an alignment, or an alignment alone: fmt 9 has no "=".
  bool Alignment() {
    if (format_.size() - at_ >= 2 && IsAlignment(format_[at_ + 1])) {
      at_ += 2;
      return true;
    }
    return NextOf(HOST_TEXT("<>^"));
  }
  bool Digits() {
    const std::size_t start = at_;
    while (!Done() && IsDigit(format_[at_])) ++at_;
    return at_ > start;
  }

 private:
  host::TextView format_;
  std::size_t at_ = 0;
};

bool IsSharedNumberFormat(Reader& read) {
  const bool aligned = read.Alignment();
  read.NextOf(HOST_TEXT("+- "));
  const bool alternate = read.Next(HOST_TEXT('#'));
  // Zeros with an alignment: fmt 4.1 still pads after the sign, fmt 9 where the alignment says.
  if (aligned && read.Peek(HOST_TEXT('0'))) return false;
  read.Next(HOST_TEXT('0'));
  read.Digits();
  // Zero under "#o": "00" from fmt 4.1, "0" from fmt 9.
  if (alternate && read.Peek(HOST_TEXT('o'))) return false;
  read.NextOf(HOST_TEXT("dxXobB"));
  return read.Done();
}

bool IsSharedTextFormat(Reader& read) {
  read.Alignment();
  // A leading zero would be the zero flag, which only numbers take.
  if (read.Peek(HOST_TEXT('0'))) return false;
  read.Digits();
  if (read.Next(HOST_TEXT('.')) && !read.Digits()) return false;
  read.Next(HOST_TEXT('s'));
  return read.Done();
}

}  // namespace

bool IsSharedFieldFormat(host::TextView format, schema::ArgumentKind kind) {
  Reader read(format);
  return kind == schema::ArgumentKind::Number ? IsSharedNumberFormat(read)
                                              : IsSharedTextFormat(read);
}

std::string_view SharedFieldFormats(schema::ArgumentKind kind) {
  if (kind == schema::ArgumentKind::Number) {
    return "a number's field takes a fill and alignment (<, > or ^), a sign (+, - or a space), #, "
           "0 when no alignment is given, a width and the type d, x, X, o, b or B (not o with #)";
  }
  return "a text's field takes a fill and alignment (<, > or ^), a width, a precision and the "
         "type s";
}

}  // namespace packsentinel

#pragma once

// The game's text: 16-bit characters in a TArray whose length counts the terminator.

#include <fmt/xchar.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "ArkApi/TArray.h"

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::basic_string_view<TCHAR> text);
void AppendUtf8(std::string& out, std::basic_string_view<TCHAR> text);

namespace ESearchCase {
enum Type { CaseSensitive, IgnoreCase };
}

class FString {
 public:
  FString() = default;
  FString(const TCHAR* text) : FString(std::basic_string_view<TCHAR>(text)) {}
  explicit FString(std::basic_string_view<TCHAR> text) { Assign(text); }
  // Narrow text is widened one byte per character; a byte of 0x80 or above becomes '?',
  // as the game does for text it cannot map.
  FString(const char* text) : FString(std::string_view(text)) {}
  explicit FString(std::string_view text) {
    if (text.empty()) return;
    Data.AddUninitialized(static_cast<int32>(text.size()) + 1);
    TCHAR* at = Data.GetData();
    for (const char byte : text) {
      *at++ = static_cast<TCHAR>(static_cast<unsigned char>(byte) >= 0x80 ? '?' : byte);
    }
    *at = TCHAR{};
  }

  // Characters without the terminator.
  int32 Len() const { return Data.Num() > 0 ? Data.Num() - 1 : 0; }
  bool IsEmpty() const { return Len() == 0; }
  std::basic_string_view<TCHAR> View() const { return {**this, static_cast<std::size_t>(Len())}; }
  const TCHAR* operator*() const { return Data.Num() > 0 ? Data.GetData() : &kEmpty; }
  // The TArray itself, terminator included, as the game lays it out.
  const TArray<TCHAR>& GetCharArray() const { return Data; }
  TArray<TCHAR>& GetCharArray() { return Data; }

  // Empties the text and keeps its storage, so text built again and again allocates only as it
  // grows.
  void Reset() { Data.Reset(); }
  void AppendChars(const TCHAR* text, int32 count) {
    if (count <= 0) return;
    if (Data.Num() > 0) Data.Pop();  // the terminator moves to the new end
    Data.Append(text, count);
    Data.Add(TCHAR{});
  }

  // UTF-8 form; unpaired surrogates become U+FFFD.
  std::string ToString() const { return Utf16ToUtf8(View()); }

  // Exact unless told otherwise.
  bool Equals(const FString& other,
              ESearchCase::Type searchCase = ESearchCase::CaseSensitive) const {
    if (searchCase == ESearchCase::CaseSensitive) return View() == other.View();
    const auto a = View();
    const auto b = other.View();
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
  }
  // As the game compares its texts: letter case ignored (ASCII letters, as in the C locale).
  friend bool operator==(const FString& a, const FString& b) {
    return a.Equals(b, ESearchCase::IgnoreCase);
  }

  // Formats a wide template: "{}" takes the next argument, "{N}" argument N, doubled braces
  // print one. Narrow text arguments are widened one byte per character.
  template <typename... Args>
  static FString Format(const TCHAR* format, const Args&... args) {
    return FormatWide(std::basic_string_view<TCHAR>(format), args...);
  }
  template <typename... Args>
  static FString FormatWide(std::basic_string_view<TCHAR> format, const Args&... args) {
    fmt::basic_memory_buffer<TCHAR, 256> out;
    std::apply(
        [&](const auto&... wide) {
          fmt::vformat_to(std::back_inserter(out),
                          fmt::basic_string_view<TCHAR>(format.data(), format.size()),
                          fmt::make_format_args<fmt::buffer_context<TCHAR>>(wide...));
        },
        std::make_tuple(WidenArgument(args)...));
    return FString(std::basic_string_view<TCHAR>(out.data(), out.size()));
  }
  // Formats a narrow template as narrow text, then widens the result byte by byte.
  template <typename... Args>
  static FString Format(const char* format, const Args&... args) {
    fmt::memory_buffer out;
    fmt::vformat_to(std::back_inserter(out), fmt::string_view(format),
                    fmt::make_format_args(args...));
    return FString(std::string_view(out.data(), out.size()));
  }

 private:
  static constexpr TCHAR kEmpty{};

  static TCHAR LowerAscii(TCHAR c) {
    return c >= TCHAR('A') && c <= TCHAR('Z') ? static_cast<TCHAR>(c - 'A' + 'a') : c;
  }

  void Assign(std::basic_string_view<TCHAR> text) {
    if (text.empty()) return;
    Data.Reserve(static_cast<int32>(text.size()) + 1);
    AppendChars(text.data(), static_cast<int32>(text.size()));
  }

  static std::basic_string<TCHAR> WidenArgument(std::string_view text) {
    std::basic_string<TCHAR> wide(text.size(), TCHAR{});
    for (std::size_t i = 0; i < text.size(); ++i) {
      wide[i] = static_cast<TCHAR>(static_cast<unsigned char>(text[i]));
    }
    return wide;
  }
  static std::basic_string<TCHAR> WidenArgument(const std::string& text) {
    return WidenArgument(std::string_view(text));
  }
  static std::basic_string<TCHAR> WidenArgument(const char* text) {
    return WidenArgument(std::string_view(text));
  }
  static std::basic_string_view<TCHAR> WidenArgument(const FString& text) { return text.View(); }
  static std::basic_string_view<TCHAR> WidenArgument(std::basic_string_view<TCHAR> text) {
    return text;
  }
  template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T>>>
  static T WidenArgument(T value) {
    return value;
  }

  TArray<TCHAR> Data;
};

inline std::string Utf16ToUtf8(std::basic_string_view<TCHAR> text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(out, text);
  return out;
}

inline void AppendUtf8(std::string& out, std::basic_string_view<TCHAR> text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

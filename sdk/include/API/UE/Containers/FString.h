#pragma once

// The game's text: 16-bit characters in a TArray whose length counts the terminator.

#include <Logger/Logger.h>
#include <fmt/format.h>
#include <fmt/xchar.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "../BasicTypes.h"
#include "StandInUtf8.h"
#include "TArray.h"

// The character types text converts from.
template <typename T>
struct TIsCharType {
  enum { Value = false };
};
template <>
struct TIsCharType<ANSICHAR> {
  enum { Value = true };
};
template <>
struct TIsCharType<WIDECHAR> {
  enum { Value = true };
};
template <>
struct TIsCharType<UCS2CHAR> {
  enum { Value = true };
};
#ifndef _WIN32
template <>
struct TIsCharType<TCHAR> {
  enum { Value = true };
};
#endif

namespace ESearchCase {
enum Type { CaseSensitive, IgnoreCase };
}

namespace ESearchDir {
enum Type { FromStart, FromEnd };
}

class FString {
 public:
  using ElementType = TCHAR;

  FString() = default;
  FString(const FString&) = default;
  FString(FString&&) = default;
  FString& operator=(const FString&) = default;
  FString& operator=(FString&&) = default;

  // Up to the first NUL, one character for each. A narrow character from 0x80 up becomes '?'.
  // Where wchar_t is 32 bits it holds UTF-16 units, as on Windows; one above U+FFFF becomes a
  // surrogate pair rather than being cut to 16 bits.
  template <typename CharType>
  FString(const CharType* Src,
          std::enable_if_t<TIsCharType<CharType>::Value>* /*Dummy*/ = nullptr) {
    if (Src == nullptr || *Src == 0) return;
    int64 Units = 0;
    for (const CharType* At = Src; *At != 0; ++At) Units += UnitsOf(*At);
    Data.AddUninitialized(WithTerminator(Units));
    TCHAR* Dest = Data.GetData();
    for (const CharType* At = Src; *At != 0; ++At) Dest = Store(*At, Dest);
    *Dest = 0;
  }
  // InCount characters, copied up to a NUL in InSrc; the rest are zero. Len() is InCount either
  // way: AppendChars keeps text that holds a NUL.
  explicit FString(int32 InCount, const TCHAR* InSrc) {
    if (InCount <= 0) return;
    Data.AddUninitialized(WithTerminator(InCount));
    TCHAR* Dest = Data.GetData();
    int32 Copied = 0;
    if (InSrc != nullptr) {
      for (; Copied < InCount && InSrc[Copied] != 0; ++Copied) Dest[Copied] = InSrc[Copied];
    }
    std::fill(Dest + Copied, Dest + InCount + 1, TCHAR{});
  }
  explicit FString(const std::string& str) : FString(str.c_str()) {}
  explicit FString(const std::wstring& str) : FString(str.c_str()) {}

  FString& operator=(const TCHAR* Other) {
    // Copied before the old text goes: Other may point into it.
    FString Copy(Other);
    return *this = std::move(Copy);
  }

  // The text, terminated; an empty one when there is none.
  const TCHAR* operator*() const { return Data.Num() ? Data.GetData() : EmptyText; }
  // Characters without the terminator.
  int32 Len() const { return Data.Num() ? Data.Num() - 1 : 0; }
  bool IsEmpty() const { return Data.Num() <= 1; }

  // The TArray itself, terminator included, as the game lays it out.
  TArray<TCHAR>& GetCharArray() { return Data; }
  const TArray<TCHAR>& GetCharArray() const { return Data; }

  // Empties the text; the storage stays when it holds NewReservedSize characters.
  void Reset(int32 NewReservedSize = 0) {
    Data.Reset(NewReservedSize > 0 ? NewReservedSize + 1 : 0);
  }

  // Exactly Count characters, a NUL among them kept like any other.
  void AppendChars(const TCHAR* Array, int32 Count) {
    if (Count <= 0) return;
    // Array may point into this text, whose storage growing moves.
    const std::less<const TCHAR*> before;
    const TCHAR* Start = Data.GetData();
    const bool Inside = !before(Array, Start) && before(Array, Start + Data.Num());
    const std::ptrdiff_t At = Inside ? Array - Start : 0;
    const int32 Index = Data.Num();
    Data.AddUninitialized(Index ? Count : WithTerminator(Count));
    if (Inside) Array = Data.GetData() + At;
    TCHAR* End = Data.GetData() + Index - (Index ? 1 : 0);
    std::copy(Array, Array + Count, End);
    End[Count] = 0;
  }
  FString& Append(const TCHAR* Text, int32 Count) {
    AppendChars(Text, Count);
    return *this;
  }

  // Compares up to the terminator, or to a NUL inside the text.
  bool Equals(const FString& Other,
              ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const {
    return Compare(**this, *Other, SearchCase == ESearchCase::IgnoreCase) == 0;
  }

  // UTF-8 over Len() characters; unpaired surrogates become U+FFFD.
  std::string ToString() const {
    std::string Result;
    if (Data.Num()) {
      ArkApiStandIn::AppendUtf8(Result, Data.GetData(), static_cast<std::size_t>(Len()));
    }
    return Result;
  }

  // fmt's format of a char or wide template, as text cut at its first NUL. Narrow results convert
  // as the constructor does. A bad template throws fmt's format_error (a std::runtime_error).
  template <typename T, typename... Args>
  static FString Format(const T* format, Args&&... args) {
    static_assert(TIsCharType<T>::Value, "Invalid character type");
    fmt::basic_memory_buffer<T> Formatted;
    fmt::vformat_to(std::back_inserter(Formatted), fmt::basic_string_view<T>(format),
                    fmt::make_format_args<fmt::buffer_context<T>>(args...));
    Formatted.push_back(T{});
    return FString(Formatted.data());
  }

  // Every comparison ignores the case of ASCII letters (the C locale's folding) and stops at the
  // first NUL.
  friend bool operator==(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) == 0; }
  friend bool operator!=(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) != 0; }
  friend bool operator<(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) < 0; }
  friend bool operator<=(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) <= 0; }
  friend bool operator>(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) > 0; }
  friend bool operator>=(const FString& Lhs, const FString& Rhs) { return Ordered(Lhs, Rhs) >= 0; }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator==(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) == 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator==(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) == 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator!=(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) != 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator!=(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) != 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator<(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) < 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator<(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) < 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator<=(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) <= 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator<=(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) <= 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator>(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) > 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator>(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) > 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator>=(const FString& Lhs, const CharType* Rhs) {
    return Ordered(Lhs, Rhs) >= 0;
  }
  template <typename CharType, typename = std::enable_if_t<TIsCharType<CharType>::Value>>
  friend bool operator>=(const CharType* Lhs, const FString& Rhs) {
    return Ordered(Lhs, Rhs) >= 0;
  }

  // The characters, the terminator left out.
  friend TArray<TCHAR>::RangedForIteratorType begin(FString& Str) { return begin(Str.Data); }
  friend TArray<TCHAR>::RangedForConstIteratorType begin(const FString& Str) {
    return begin(Str.Data);
  }
  friend TArray<TCHAR>::RangedForIteratorType end(FString& Str) {
    auto Result = end(Str.Data);
    if (Str.Data.Num()) --Result;
    return Result;
  }
  friend TArray<TCHAR>::RangedForConstIteratorType end(const FString& Str) {
    auto Result = end(Str.Data);
    if (Str.Data.Num()) --Result;
    return Result;
  }

 private:
  static constexpr TCHAR EmptyText[1] = {};

  // Storage for so many characters and the terminator.
  static int32 WithTerminator(int64 Characters) {
    if (Characters >= INT32_MAX) throw std::length_error("FString: text too long");
    return static_cast<int32>(Characters + 1);
  }

  template <typename CharType>
  static int32 UnitsOf(CharType Char) {
    if constexpr (sizeof(CharType) > sizeof(TCHAR)) {
      const char32_t Code = static_cast<char32_t>(Char);
      return Code > 0xFFFF && Code <= 0x10FFFF ? 2 : 1;
    } else {
      return 1;
    }
  }
  template <typename CharType>
  static TCHAR* Store(CharType Char, TCHAR* Dest) {
    if constexpr (std::is_same_v<CharType, ANSICHAR>) {
      *Dest++ = static_cast<unsigned char>(Char) < 0x80 ? static_cast<TCHAR>(Char) : TCHAR('?');
    } else if constexpr (sizeof(CharType) > sizeof(TCHAR)) {
      const char32_t Code = static_cast<char32_t>(Char);
      if (Code > 0x10FFFF) {
        *Dest++ = static_cast<TCHAR>(0xFFFD);
      } else if (Code > 0xFFFF) {
        *Dest++ = static_cast<TCHAR>(0xD800 + ((Code - 0x10000) >> 10));
        *Dest++ = static_cast<TCHAR>(0xDC00 + ((Code - 0x10000) & 0x3FF));
      } else {
        *Dest++ = static_cast<TCHAR>(Code);
      }
    } else {
      *Dest++ = static_cast<TCHAR>(Char);
    }
    return Dest;
  }

  // A character as compared: narrow ones as the bytes they are.
  template <typename CharType>
  static uint32 CodeOf(CharType Char, bool IgnoreCase) {
    uint32 Code = std::is_same_v<CharType, ANSICHAR> ? static_cast<unsigned char>(Char)
                                                     : static_cast<uint32>(Char);
    if (IgnoreCase && Code >= 'A' && Code <= 'Z') Code += 'a' - 'A';
    return Code;
  }
  // Below, equal or above zero as Lhs sorts before, with or after Rhs; a null text is empty.
  template <typename LhsChar, typename RhsChar>
  static int Compare(const LhsChar* Lhs, const RhsChar* Rhs, bool IgnoreCase) {
    static constexpr LhsChar NoLhs{};
    static constexpr RhsChar NoRhs{};
    if (Lhs == nullptr) Lhs = &NoLhs;
    if (Rhs == nullptr) Rhs = &NoRhs;
    for (;; ++Lhs, ++Rhs) {
      const uint32 L = CodeOf(*Lhs, IgnoreCase);
      const uint32 R = CodeOf(*Rhs, IgnoreCase);
      if (L != R) return L < R ? -1 : 1;
      if (L == 0) return 0;
    }
  }
  static int Ordered(const FString& Lhs, const FString& Rhs) { return Compare(*Lhs, *Rhs, true); }
  template <typename CharType>
  static int Ordered(const FString& Lhs, const CharType* Rhs) {
    return Compare(*Lhs, Rhs, true);
  }
  template <typename CharType>
  static int Ordered(const CharType* Lhs, const FString& Rhs) {
    return Compare(Lhs, *Rhs, true);
  }

  TArray<TCHAR> Data;
};

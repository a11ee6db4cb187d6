#pragma once

// Name resolution: the game's functions and fields are reached as "Class.Member". Names are
// resolved at every use, so a literal name carries its hash from compile time and a lookup is
// one table probe and one comparison of the name, with no allocation and no copy.

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "ArkApi/Export.h"

// A game name and its hash. Small enough to travel in two registers.
class GameName {
 public:
  // A literal: hashed by the compiler.
  template <std::size_t N>
  consteval GameName(const char (&literal)[N])  // NOLINT(google-explicit-constructor)
      : GameName(std::string_view(literal, N - 1)) {}
  // A name known only at run time: hashed here.
  constexpr explicit GameName(std::string_view name)
      : data_(name.data()), size_(static_cast<std::uint32_t>(name.size())), hash_(Hash(name)) {}

  constexpr std::string_view View() const { return {data_, size_}; }
  constexpr std::uint32_t HashValue() const { return hash_; }
  // Length and hash in one word, so that a table compares both at once.
  constexpr std::uint64_t Key() const { return std::uint64_t{hash_} << 32 | size_; }

  // FNV-1a: cheap at compile time and good enough for a table of a few hundred names.
  static constexpr std::uint32_t Hash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
  }

 private:
  const char* data_;
  std::uint32_t size_;
  std::uint32_t hash_;
};

// One flag bit inside a 32-bit word of an object.
struct BitField {
  const std::uint32_t* word = nullptr;  // null when the name is unknown
  std::uint32_t position = 0;
  std::uint32_t width = 0;

  bool IsSet() const {
    const std::uint32_t mask = width >= 32 ? ~0u : ((1u << width) - 1u);
    return word != nullptr && ((*word >> position) & mask) != 0;
  }
};

// Address of a game function, or null when the game has no function of that name.
ARKAPI_EXPORT void* GetAddress(GameName name);
// Address of a field of base, or null when the name is unknown or base is null.
ARKAPI_EXPORT void* GetAddress(const void* base, GameName name);
ARKAPI_EXPORT BitField GetBitField(const void* base, GameName name);

// Calls a member function of the game: the object goes first.
template <typename R, typename... Args>
R NativeCall(const void* self, GameName name, Args... args) {
  using Function = R (*)(const void*, Args...);
  return reinterpret_cast<Function>(GetAddress(name))(self, args...);
}

// Calls a static function of the game.
template <typename R, typename... Args>
R NativeCallStatic(GameName name, Args... args) {
  using Function = R (*)(Args...);
  return reinterpret_cast<Function>(GetAddress(name))(args...);
}

// A field's value, copied.
template <typename T>
T GetNativeField(const void* self, GameName name) {
  return *static_cast<T*>(GetAddress(self, name));
}

// A field's address, for a field the caller reads in place or keeps a reference to: T is the
// pointer type, as in GetNativePointerField<FString*>.
template <typename T>
T GetNativePointerField(const void* self, GameName name) {
  static_assert(std::is_pointer_v<T>, "the field's pointer type");
  return static_cast<T>(GetAddress(self, name));
}

inline bool GetNativeBitField(const void* self, GameName name) {
  return GetBitField(self, name).IsSet();
}

#pragma once

// Name resolution: the game's functions and fields are reached as "Class.Member". Names are
// resolved at every use, so the framework keeps lookups free of allocation and copies.

#include <cstdint>
#include <string_view>

#include "ArkApi/Export.h"

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
ARKAPI_EXPORT void* GetAddress(std::string_view name);
// Address of a field of base, or null when the name is unknown or base is null.
ARKAPI_EXPORT void* GetAddress(const void* base, std::string_view name);
ARKAPI_EXPORT BitField GetBitField(const void* base, std::string_view name);

// Calls a member function of the game: the object goes first.
template <typename R, typename... Args>
R NativeCall(const void* self, std::string_view name, Args... args) {
  using Function = R (*)(const void*, Args...);
  return reinterpret_cast<Function>(GetAddress(name))(self, args...);
}

// Calls a static function of the game.
template <typename R, typename... Args>
R NativeCallStatic(std::string_view name, Args... args) {
  using Function = R (*)(Args...);
  return reinterpret_cast<Function>(GetAddress(name))(args...);
}

template <typename T>
T& GetNativeField(const void* self, std::string_view name) {
  return *static_cast<T*>(GetAddress(self, name));
}

inline bool GetNativeBitField(const void* self, std::string_view name) {
  return GetBitField(self, name).IsSet();
}

#pragma once

// The game's allocator. Every host text and array takes its storage from here.

#include <cstddef>
#include <cstdint>

#include "ArkApi/Resolver.h"

struct FMemory {
  static void* Malloc(std::size_t count, std::uint32_t alignment = 0) {
    return NativeCallStatic<void*, std::size_t, std::uint32_t>("FMemory.Malloc", count, alignment);
  }
  static void* Realloc(void* original, std::size_t count, std::uint32_t alignment = 0) {
    return NativeCallStatic<void*, void*, std::size_t, std::uint32_t>("FMemory.Realloc", original,
                                                                      count, alignment);
  }
  static void Free(void* original) { NativeCallStatic<void, void*>("FMemory.Free", original); }
};

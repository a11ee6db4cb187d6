#pragma once

// The game's allocator. Every host text and array takes its storage from here.

#include "../../Fields.h"
#include "../BasicTypes.h"

struct FMemory {
  enum { DEFAULT_ALIGNMENT = 0, MIN_ALIGNMENT = 8 };

  static FORCEINLINE void* Malloc(SIZE_T Count, uint32 Alignment = DEFAULT_ALIGNMENT) {
    return NativeCall<void*, unsigned long long, unsigned int>(nullptr, "FMemory.Malloc", Count,
                                                               Alignment);
  }
  // The game's Realloc takes no alignment; a block it grows keeps the one it was made with.
  static FORCEINLINE void* Realloc(void* Original, SIZE_T Count,
                                   uint32 /*Alignment*/ = DEFAULT_ALIGNMENT) {
    if (Original == nullptr) return Malloc(Count);
    return NativeCall<void*, void*, unsigned long long>(nullptr, "FMemory.Realloc", Original,
                                                        Count);
  }
  static FORCEINLINE void Free(void* Original) {
    NativeCall<void, void*>(nullptr, "FMemory.Free", Original);
  }
};

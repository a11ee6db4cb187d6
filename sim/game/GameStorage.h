#pragma once

// Texts and arrays the game fills for a plugin, in storage from its own allocator called
// directly, as the real game calls it: only a plugin reaches the allocator by name (FMemory),
// when it grows or releases what it was given.

#include <API/UE/Containers/FString.h>
#include <API/UE/Containers/TArray.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace game {
namespace storage {

// Room for count more items of itemSize bytes at the end of the array at `array`, counted in it;
// where they go.
void* AddUninitialized(void* array, std::size_t count, std::size_t itemSize);
// Room for count items in all.
void Reserve(void* array, std::size_t count, std::size_t itemSize);
// Gives the storage back and leaves the array empty; its items need no destruction.
void Release(void* array);

}  // namespace storage

// Items are copied by their bytes, as TArray moves them.
template <typename T>
T* AddUninitialized(TArray<T>& array, std::size_t count) {
  static_assert(std::is_trivially_copyable_v<T>);
  return static_cast<T*>(storage::AddUninitialized(&array, count, sizeof(T)));
}

template <typename T>
void Add(TArray<T>& array, const T& item) {
  std::memcpy(AddUninitialized(array, 1), &item, sizeof(T));
}

template <typename T>
void Reserve(TArray<T>& array, std::size_t count) {
  static_assert(std::is_trivially_copyable_v<T>);
  storage::Reserve(&array, count, sizeof(T));
}

FString CopyText(const FString& text);
// Gives the text's storage back, leaving it empty.
void ReleaseText(FString& text);

}  // namespace game

#include "GameStorage.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "game/Allocator.h"

namespace game::storage {
namespace {

// An array as the game and every plugin lay it out: its elements, how many, room for how many.
// TArray keeps these private; the game, which shares the layout, writes them as they are.
struct Layout {
  void* data;
  int32 num;
  int32 max;
};
static_assert(std::is_standard_layout_v<TArray<int32>> && sizeof(TArray<int32>) == sizeof(Layout));

Layout Read(const void* array) {
  Layout layout;
  std::memcpy(&layout, array, sizeof layout);
  return layout;
}

void Write(void* array, const Layout& layout) { std::memcpy(array, &layout, sizeof layout); }

// Room for at least needed items, proposed when that is more, as TArray grows.
void Grow(Layout& layout, std::size_t needed, std::size_t proposed, std::size_t itemSize) {
  constexpr auto kMost = static_cast<std::size_t>(INT32_MAX);
  if (needed > kMost) throw std::length_error("TArray: more elements than an int32 counts");
  const std::size_t count = std::min(std::max(needed, proposed), kMost);
  layout.data = Realloc(layout.data, count * itemSize);
  layout.max = static_cast<int32>(count);
}

}  // namespace

void* AddUninitialized(void* array, std::size_t count, std::size_t itemSize) {
  Layout layout = Read(array);
  const std::size_t num = static_cast<std::size_t>(layout.num);
  if (num + count > static_cast<std::size_t>(layout.max)) {
    Grow(layout, num + count, std::max<std::size_t>(2 * static_cast<std::size_t>(layout.max), 4),
         itemSize);
  }
  void* const at = static_cast<char*>(layout.data) + num * itemSize;
  layout.num = static_cast<int32>(num + count);
  Write(array, layout);
  return at;
}

void Release(void* array) {
  Free(Read(array).data);
  Write(array, Layout{nullptr, 0, 0});
}

void Reserve(void* array, std::size_t count, std::size_t itemSize) {
  Layout layout = Read(array);
  if (count <= static_cast<std::size_t>(layout.max)) return;
  Grow(layout, count, count, itemSize);
  Write(array, layout);
}

}  // namespace game::storage

namespace game {

void ReleaseText(FString& text) { storage::Release(&text.GetCharArray()); }

FString CopyText(const FString& text) {
  FString copy;
  const TArray<TCHAR>& from = text.GetCharArray();
  if (from.Num() > 0) {
    std::memcpy(AddUninitialized(copy.GetCharArray(), static_cast<std::size_t>(from.Num())),
                from.GetData(), sizeof(TCHAR) * static_cast<std::size_t>(from.Num()));
  }
  return copy;
}

}  // namespace game

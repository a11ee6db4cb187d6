#pragma once

// The game's dynamic array. Storage comes from FMemory; elements are moved by copying their
// bytes when the storage grows, as the game does, so an element type must be bitwise relocatable.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "../BasicTypes.h"
#include "../HAL/UnrealMemory.h"

// Every array of the game allocates through FMemory, whatever its allocator says.
class FDefaultAllocator {};

template <typename T, typename Allocator = FDefaultAllocator>
class TArray;

// What a ranged for over an array walks: a pointer with only what the loop needs.
template <typename ElementType>
class TCheckedPointerIterator {
 public:
  explicit TCheckedPointerIterator(ElementType* InPtr) : Ptr(InPtr) {}

  ElementType& operator*() const { return *Ptr; }
  TCheckedPointerIterator& operator++() {
    ++Ptr;
    return *this;
  }
  TCheckedPointerIterator& operator--() {
    --Ptr;
    return *this;
  }

  friend bool operator!=(const TCheckedPointerIterator& Lhs, const TCheckedPointerIterator& Rhs) {
    return Lhs.Ptr != Rhs.Ptr;
  }

 private:
  ElementType* Ptr;
};

template <typename InElementType, typename InAllocator>
class TArray {
 public:
  typedef InElementType ElementType;
  typedef InAllocator Allocator;
  typedef TCheckedPointerIterator<ElementType> RangedForIteratorType;
  typedef TCheckedPointerIterator<const ElementType> RangedForConstIteratorType;

  TArray() : Data(nullptr), ArrayNum(0), ArrayMax(0) {}
  TArray(const ElementType* Ptr, int32 Count) : TArray() { Append(Ptr, Count); }
  TArray(std::initializer_list<ElementType> Items) : TArray() { Append(Items); }
  template <typename OtherElementType, typename OtherAllocator>
  explicit TArray(const TArray<OtherElementType, OtherAllocator>& Other) : TArray() {
    Reserve(Other.Num());
    for (int32 Index = 0; Index < Other.Num(); ++Index) Emplace(Other[Index]);
  }
  TArray(const TArray& Other) : TArray() { Append(Other); }
  TArray(const TArray& Other, int32 ExtraSlack) : TArray() {
    Reserve(static_cast<int32>(std::min<int64>(int64{Other.Num()} + ExtraSlack, INT32_MAX)));
    Append(Other);
  }
  TArray(TArray&& Other) noexcept
      : Data(std::exchange(Other.Data, nullptr)),
        ArrayNum(std::exchange(Other.ArrayNum, 0)),
        ArrayMax(std::exchange(Other.ArrayMax, 0)) {}
  ~TArray() { Empty(); }

  TArray& operator=(const TArray& Other) {
    if (this != &Other) {
      Empty();
      Append(Other);
    }
    return *this;
  }
  TArray& operator=(TArray&& Other) noexcept {
    if (this != &Other) {
      Empty();
      Data = std::exchange(Other.Data, nullptr);
      ArrayNum = std::exchange(Other.ArrayNum, 0);
      ArrayMax = std::exchange(Other.ArrayMax, 0);
    }
    return *this;
  }
  TArray& operator=(std::initializer_list<ElementType> Items) {
    Empty();
    Append(Items);
    return *this;
  }

  // Const, yet the elements stay writable: the game's own signature.
  ElementType* GetData() const { return Data; }
  int32 Num() const { return ArrayNum; }
  int32 Max() const { return ArrayMax; }
  bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < ArrayNum; }

  ElementType& operator[](int32 Index) { return Data[Index]; }
  const ElementType& operator[](int32 Index) const { return Data[Index]; }

  void Reserve(int32 Number) {
    if (Number <= ArrayMax) return;
    Data = static_cast<ElementType*>(
        FMemory::Realloc(Data, sizeof(ElementType) * static_cast<SIZE_T>(Number)));
    ArrayMax = Number;
  }

  // Room for Count more elements, left for the caller to construct; the index of the first.
  int32 AddUninitialized(int32 Count = 1) {
    if (Count < 0) throw std::length_error("TArray: a negative count of elements");
    if (int64{ArrayNum} + Count > ArrayMax) {
      Grow(int64{ArrayNum} + Count, int64{ArrayMax} + ArrayMax / 2);
    }
    const int32 First = ArrayNum;
    ArrayNum += Count;
    return First;
  }
  int32 AddZeroed(int32 Count = 1) {
    const int32 First = AddUninitialized(Count);
    std::memset(static_cast<void*>(Data + First), 0,
                sizeof(ElementType) * static_cast<SIZE_T>(Count));
    return First;
  }

  // The index of the new element.
  template <typename... ArgsType>
  int32 Emplace(ArgsType&&... Args) {
    if (ArrayNum == ArrayMax) return EmplaceGrowing(ElementType(std::forward<ArgsType>(Args)...));
    new (Data + ArrayNum) ElementType(std::forward<ArgsType>(Args)...);
    return ArrayNum++;
  }
  int32 Add(const ElementType& Item) { return Emplace(Item); }
  int32 Add(ElementType&& Item) { return Emplace(std::move(Item)); }

  void Append(const TArray& Other) { Append(Other.Data, Other.ArrayNum); }
  void Append(TArray&& Other) {
    if (this == &Other) return Append(Other.Data, Other.ArrayNum);
    const int32 First = AddUninitialized(Other.ArrayNum);
    for (int32 Index = 0; Index < Other.ArrayNum; ++Index) {
      new (Data + First + Index) ElementType(std::move(Other.Data[Index]));
    }
    Other.Empty();
  }
  void Append(std::initializer_list<ElementType> Items) {
    Append(Items.begin(), static_cast<int32>(Items.size()));
  }
  void Append(const ElementType* Ptr, int32 Count) {
    // Ptr may point into this array, whose storage growing moves.
    const std::less<const ElementType*> before;
    const bool inside = !before(Ptr, Data) && before(Ptr, Data + ArrayNum);
    const std::ptrdiff_t at = inside ? Ptr - Data : 0;
    const int32 First = AddUninitialized(Count);
    if (inside) Ptr = Data + at;
    for (int32 Index = 0; Index < Count; ++Index) {
      new (Data + First + Index) ElementType(Ptr[Index]);
    }
  }

  // Later elements keep their order. The stand-in never shrinks storage on removal: the flag
  // allows it, and keeping it spares a caller that refills the array the allocations.
  void RemoveAt(int32 Index) { RemoveAt(Index, 1, true); }
  template <typename CountType>
  void RemoveAt(int32 Index, CountType Count, bool /*bAllowShrinking*/ = true) {
    static_assert(!std::is_same_v<CountType, bool>, "RemoveAt(Index, bool): the count is missing");
    const int64 Wanted = static_cast<int64>(Count);
    if (Wanted < 0 || Index < 0 || Index + Wanted > ArrayNum) {
      throw std::out_of_range("TArray: removal out of range");
    }
    const int32 Removed = static_cast<int32>(Wanted);
    for (int32 At = Index; At < Index + Removed; ++At) Data[At].~ElementType();
    std::memmove(static_cast<void*>(Data + Index), static_cast<const void*>(Data + Index + Removed),
                 sizeof(ElementType) * static_cast<SIZE_T>(ArrayNum - Index - Removed));
    ArrayNum -= Removed;
  }
  ElementType Pop(bool bAllowShrinking = true) {
    if (ArrayNum == 0) throw std::out_of_range("TArray: Pop from an empty array");
    ElementType Result = std::move(Data[ArrayNum - 1]);
    RemoveAt(ArrayNum - 1, 1, bAllowShrinking);
    return Result;
  }

  // Destroys every element and keeps the storage when it holds NewSize.
  void Reset(int32 NewSize = 0) {
    if (NewSize > ArrayMax) return Empty(NewSize);
    DestructItems();
  }
  // Destroys every element; the storage holds Slack elements afterwards (none: released).
  void Empty(int32 Slack = 0) {
    DestructItems();
    if (Slack == ArrayMax) return;
    if (Slack <= 0) {
      if (Data != nullptr) FMemory::Free(Data);
      Data = nullptr;
      ArrayMax = 0;
      return;
    }
    Data = static_cast<ElementType*>(
        FMemory::Realloc(Data, sizeof(ElementType) * static_cast<SIZE_T>(Slack)));
    ArrayMax = Slack;
  }

  friend RangedForIteratorType begin(TArray& Array) { return RangedForIteratorType(Array.Data); }
  friend RangedForConstIteratorType begin(const TArray& Array) {
    return RangedForConstIteratorType(Array.Data);
  }
  friend RangedForIteratorType end(TArray& Array) {
    return RangedForIteratorType(Array.Data + Array.ArrayNum);
  }
  friend RangedForConstIteratorType end(const TArray& Array) {
    return RangedForConstIteratorType(Array.Data + Array.ArrayNum);
  }

 private:
  // Storage for at least Needed elements, Proposed when that is more.
  void Grow(int64 Needed, int64 Proposed) {
    if (Needed > INT32_MAX) throw std::length_error("TArray: more elements than an int32 counts");
    Reserve(static_cast<int32>(std::min<int64>(std::max(Needed, Proposed), INT32_MAX)));
  }

  // The arguments may refer into the storage that growing moves, so the element is built first.
  int32 EmplaceGrowing(ElementType&& Item) {
    Grow(int64{ArrayNum} + 1, ArrayMax < 4 ? 4 : int64{ArrayMax} * 2);
    new (Data + ArrayNum) ElementType(std::move(Item));
    return ArrayNum++;
  }

  void DestructItems() {
    for (int32 Index = 0; Index < ArrayNum; ++Index) Data[Index].~ElementType();
    ArrayNum = 0;
  }

  ElementType* Data;
  int32 ArrayNum;
  int32 ArrayMax;
};

#pragma once

// The game's dynamic array. Storage comes from FMemory; elements are moved by copying their
// bytes when the storage grows, as the game does, so T must be bitwise relocatable.

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/FMemory.h"

template <typename T>
class TArray {
 public:
  TArray() = default;
  TArray(std::initializer_list<T> items) {
    Reserve(static_cast<int32>(items.size()));
    for (const T& item : items) Add(item);
  }
  TArray(const TArray& other) { Append(other); }
  TArray(TArray&& other) noexcept
      : Data(std::exchange(other.Data, nullptr)),
        ArrayNum(std::exchange(other.ArrayNum, 0)),
        ArrayMax(std::exchange(other.ArrayMax, 0)) {}
  TArray& operator=(const TArray& other) {
    if (this != &other) {
      Empty();
      Append(other);
    }
    return *this;
  }
  TArray& operator=(TArray&& other) noexcept {
    if (this != &other) {
      Empty();
      Data = std::exchange(other.Data, nullptr);
      ArrayNum = std::exchange(other.ArrayNum, 0);
      ArrayMax = std::exchange(other.ArrayMax, 0);
    }
    return *this;
  }
  ~TArray() { Empty(); }

  int32 Num() const { return ArrayNum; }
  int32 Max() const { return ArrayMax; }
  bool IsEmpty() const { return ArrayNum == 0; }
  bool IsValidIndex(int32 index) const { return index >= 0 && index < ArrayNum; }

  T* GetData() { return Data; }
  const T* GetData() const { return Data; }
  T& operator[](int32 index) { return Data[index]; }
  const T& operator[](int32 index) const { return Data[index]; }
  T* begin() { return Data; }
  T* end() { return Data + ArrayNum; }
  const T* begin() const { return Data; }
  const T* end() const { return Data + ArrayNum; }

  void Reserve(int32 count) {
    if (count <= ArrayMax) return;
    Data = static_cast<T*>(FMemory::Realloc(Data, sizeof(T) * static_cast<std::size_t>(count)));
    ArrayMax = count;
  }

  template <typename... Args>
  T& Emplace(Args&&... args) {
    if (ArrayNum == ArrayMax) Reserve(ArrayMax < 4 ? 4 : ArrayMax * 2);
    T* slot = new (Data + ArrayNum) T(std::forward<Args>(args)...);
    ++ArrayNum;
    return *slot;
  }
  void Add(const T& item) { Emplace(item); }
  void Add(T&& item) { Emplace(std::move(item)); }

  void Append(const TArray& other) { Append(other.Data, other.ArrayNum); }
  void Append(const T* items, int32 count) {
    const int32 first = AddUninitialized(count);
    for (int32 i = 0; i < count; ++i) new (Data + first + i) T(items[i]);
  }

  // Removes the element at index; later elements keep their order.
  void RemoveAt(int32 index) {
    Data[index].~T();
    std::memmove(static_cast<void*>(Data + index), static_cast<const void*>(Data + index + 1),
                 sizeof(T) * static_cast<std::size_t>(ArrayNum - index - 1));
    --ArrayNum;
  }

  // Makes room for count more elements, left for the caller to construct; returns the index of
  // the first.
  int32 AddUninitialized(int32 count) {
    if (ArrayNum + count > ArrayMax) Reserve(std::max(ArrayNum + count, ArrayMax + ArrayMax / 2));
    const int32 first = ArrayNum;
    ArrayNum += count;
    return first;
  }

  void Pop() { RemoveAt(ArrayNum - 1); }

  // Destroys every element and keeps the storage for what comes next.
  void Reset() {
    for (int32 i = 0; i < ArrayNum; ++i) Data[i].~T();
    ArrayNum = 0;
  }

  // Destroys every element and gives the storage back.
  void Empty() {
    for (int32 i = 0; i < ArrayNum; ++i) Data[i].~T();
    if (Data != nullptr) FMemory::Free(Data);
    Data = nullptr;
    ArrayNum = 0;
    ArrayMax = 0;
  }

 private:
  T* Data = nullptr;
  int32 ArrayNum = 0;
  int32 ArrayMax = 0;
};

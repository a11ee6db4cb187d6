#pragma once

// Weak references to game objects: an object table index and the serial number the slot had
// when the reference was made. The game answers none once the object is gone, even when its
// memory and slot now hold another object.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Resolver.h"

struct FWeakObjectPtr {
  int32 ObjectIndex = -1;
  int32 ObjectSerialNumber = 0;

  void operator=(const UObject* object) {
    NativeCall<void, const UObject*>(this, "FWeakObjectPtr.operator=", object);
  }
  UObject* Get(bool evenIfPendingKill = false) const {
    return NativeCall<UObject*, bool>(this, "FWeakObjectPtr.Get", evenIfPendingKill);
  }
};

// The typed form: the same two fields, resolved by the same game function.
template <typename T>
struct TWeakObjectPtr {
  int32 ObjectIndex = -1;
  int32 ObjectSerialNumber = 0;

  TWeakObjectPtr() = default;
  TWeakObjectPtr(int32 index, int32 serialNumber)
      : ObjectIndex(index), ObjectSerialNumber(serialNumber) {}

  T* Get(bool evenIfPendingKill = false) {
    return reinterpret_cast<T*>(
        NativeCall<UObject*, bool>(this, "FWeakObjectPtr.Get", evenIfPendingKill));
  }
  bool operator==(const TWeakObjectPtr& other) const {
    return ObjectIndex == other.ObjectIndex && ObjectSerialNumber == other.ObjectSerialNumber;
  }
};

// A weak reference to object (none for no object).
template <typename T>
TWeakObjectPtr<T> GetWeakReference(T* object) {
  FWeakObjectPtr weak;
  weak = reinterpret_cast<const UObject*>(object);
  return TWeakObjectPtr<T>(weak.ObjectIndex, weak.ObjectSerialNumber);
}

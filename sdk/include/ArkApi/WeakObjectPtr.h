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

template <typename T>
struct TWeakObjectPtr : FWeakObjectPtr {
  TWeakObjectPtr() = default;
  explicit TWeakObjectPtr(const T* object) {
    FWeakObjectPtr::operator=(reinterpret_cast<const UObject*>(object));
  }
  T* Get(bool evenIfPendingKill = false) const {
    return reinterpret_cast<T*>(FWeakObjectPtr::Get(evenIfPendingKill));
  }
};

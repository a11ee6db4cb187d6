#pragma once

// The engine's object classes and the weak references to them. The classes carry the game's
// hierarchy; their members are reached by name (API/Fields.h).

#include <xmmintrin.h>

#include "API/Fields.h"
#include "API/UE/BasicTypes.h"
#include "API/UE/Math/Color.h"

// A component's placement: a quaternion, then the translation and the scale, each in a
// register's four floats (X, Y, Z first).
struct FTransform {
  __m128 Rotation;
  __m128 Translation;
  __m128 Scale3D;
};

struct UObjectBase {};
struct UObjectBaseUtility : UObjectBase {};
struct UObject : UObjectBaseUtility {};
struct UField : UObject {};
struct UStruct : UField {};
struct UClass : UStruct {};
struct UTexture : UObject {};
struct UTexture2D : UTexture {};

// An object table index and the serial number the slot had when the reference was made. The
// game answers none once the object is gone, even when its memory and slot hold another.
struct FWeakObjectPtr {
  int ObjectIndex;
  int ObjectSerialNumber;

  void operator=(UObject const* Object) {
    NativeCall<void, UObject const*>(this, "FWeakObjectPtr.operator=", Object);
  }
};

template <typename T>
struct TWeakObjectPtr {
  int ObjectIndex;
  int ObjectSerialNumber;

  TWeakObjectPtr() {}
  TWeakObjectPtr(int index, int serialnumber)
      : ObjectIndex(index), ObjectSerialNumber(serialnumber) {}

  FORCEINLINE T& operator*() { return *Get(); }
  FORCEINLINE T* operator->() { return Get(); }
  // The game resolves every weak reference with one function, typed for UObject.
  T* Get(bool bEvenIfPendingKill = false) {
    return reinterpret_cast<T*>(
        NativeCall<UObject*, bool>(this, "FWeakObjectPtr.Get", bEvenIfPendingKill));
  }
  FORCEINLINE operator bool() { return Get() != nullptr; }
  FORCEINLINE operator T*() { return Get(); }
  FORCEINLINE bool operator==(const TWeakObjectPtr<T>& Other) const {
    return ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber;
  }
};

template <typename T>
using TAutoWeakObjectPtr = TWeakObjectPtr<T>;

// A weak reference to object (one to nothing for no object).
template <typename T>
FORCEINLINE TWeakObjectPtr<T> GetWeakReference(T* object) {
  FWeakObjectPtr result;
  result = object;
  return TWeakObjectPtr<T>(result.ObjectIndex, result.ObjectSerialNumber);
}

template <typename T>
struct TSubclassOf {
  TSubclassOf() : uClass(nullptr) {}
  TSubclassOf(UClass* uClass) : uClass(uClass) {}

  UClass* uClass;
};

#include <API/ARK/Ark.h>

#include "host/WeakRef.h"

#include "host/GameName.h"

namespace host {

template <typename T>
WeakRef<T>::WeakRef(T* object) {
  const TWeakObjectPtr<T> weak = GetWeakReference(object);
  index_ = weak.ObjectIndex;
  serialNumber_ = weak.ObjectSerialNumber;
}

// What TWeakObjectPtr::Get asks of the game, with its name kept ready.
template <typename T>
T* WeakRef<T>::Get() const {
  TWeakObjectPtr<T> weak(index_, serialNumber_);
  return static_cast<T*>(NativeCall<UObject*, bool>(&weak, "FWeakObjectPtr.Get"_name, false));
}

template class WeakRef<AShooterPlayerController>;
template class WeakRef<APrimalDinoCharacter>;

}  // namespace host

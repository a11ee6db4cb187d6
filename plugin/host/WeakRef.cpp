#include <API/ARK/Ark.h>

#include "host/WeakRef.h"

namespace host {

template <typename T>
WeakRef<T>::WeakRef(T* object) {
  const TWeakObjectPtr<T> weak = GetWeakReference(object);
  index_ = weak.ObjectIndex;
  serialNumber_ = weak.ObjectSerialNumber;
}

template <typename T>
T* WeakRef<T>::Get() const {
  TWeakObjectPtr<T> weak(index_, serialNumber_);
  return weak.Get();
}

template class WeakRef<AShooterPlayerController>;
template class WeakRef<APrimalDinoCharacter>;

}  // namespace host

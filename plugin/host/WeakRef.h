#pragma once

// Weak references to game objects, as the plugin holds them.

#include <cstdint>

#include "host/GameTypes.h"

namespace host {

// A reference that answers none once its object is gone, even if the memory was reused. It is
// the game's own weak reference: an object table slot and the serial number the slot had.
template <typename T>
class WeakRef {
 public:
  WeakRef() = default;
  explicit WeakRef(T* object);

  T* Get() const;

  // The same for two references to the same object, whether or not it is still there, and
  // different for two to different objects.
  std::uint64_t Identity() const {
    return std::uint64_t{static_cast<std::uint32_t>(index_)} << 32 |
           static_cast<std::uint32_t>(serialNumber_);
  }
  bool SameObjectAs(const WeakRef& other) const { return Identity() == other.Identity(); }

 private:
  std::int32_t index_ = -1;
  std::int32_t serialNumber_ = 0;
};

// The classes the plugin holds weakly; host/WeakRef.cpp defines their references.
extern template class WeakRef<AShooterPlayerController>;
extern template class WeakRef<APrimalDinoCharacter>;

}  // namespace host

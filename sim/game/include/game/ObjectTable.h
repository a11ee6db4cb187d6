#pragma once

// Every live game object has a slot: an index and the serial number the slot got when the
// object took it. Weak references hold both, so a reference to a destroyed object resolves to
// none even after its slot and memory are reused.

#include <vector>

#include "game/Objects.h"

namespace game {

class ObjectTable {
 public:
  void Add(UObject* object);
  void Remove(UObject* object);

  // Weak is FWeakObjectPtr or a TWeakObjectPtr: the same two fields.
  template <typename Weak>
  void MakeWeak(Weak& weak, const UObject* object) const {
    const Slot* slot = SlotOf(object);
    weak.ObjectIndex = slot ? object->InternalIndex : -1;
    weak.ObjectSerialNumber = slot ? slot->serial : 0;
  }
  template <typename Weak>
  UObject* Resolve(const Weak& weak) const {
    return Resolve(weak.ObjectIndex, weak.ObjectSerialNumber);
  }
  std::size_t LiveCount() const { return slots_.size() - freeIndices_.size(); }

 private:
  struct Slot {
    UObject* object = nullptr;
    int32 serial = 0;
  };
  const Slot* SlotOf(const UObject* object) const;
  UObject* Resolve(int32 index, int32 serial) const;

  std::vector<Slot> slots_;
  // Most recently freed first, as the game reuses them.
  std::vector<int32> freeIndices_;
  int32 lastSerial_ = 0;
};

}  // namespace game

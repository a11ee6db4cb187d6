#include "game/ObjectTable.h"

namespace game {

void ObjectTable::Add(UObject* object) {
  int32 index;
  if (!freeIndices_.empty()) {
    index = freeIndices_.back();
    freeIndices_.pop_back();
  } else {
    index = static_cast<int32>(slots_.size());
    slots_.emplace_back();
  }
  slots_[index] = {object, ++lastSerial_};
  object->InternalIndex = index;
}

void ObjectTable::Remove(UObject* object) {
  slots_[object->InternalIndex].object = nullptr;
  freeIndices_.push_back(object->InternalIndex);
  object->InternalIndex = -1;
}

const ObjectTable::Slot* ObjectTable::SlotOf(const UObject* object) const {
  if (object == nullptr || object->InternalIndex < 0) return nullptr;
  return &slots_[object->InternalIndex];
}

UObject* ObjectTable::Resolve(int32 index, int32 serial) const {
  if (index < 0 || static_cast<std::size_t>(index) >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  return slot.serial == serial ? slot.object : nullptr;
}

}  // namespace game

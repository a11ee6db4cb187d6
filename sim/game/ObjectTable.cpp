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

void ObjectTable::MakeWeak(FWeakObjectPtr& weak, const UObject* object) const {
  if (object == nullptr || object->InternalIndex < 0) {
    weak = FWeakObjectPtr{};
    return;
  }
  weak.ObjectIndex = object->InternalIndex;
  weak.ObjectSerialNumber = slots_[object->InternalIndex].serial;
}

UObject* ObjectTable::Resolve(const FWeakObjectPtr& weak) const {
  if (weak.ObjectIndex < 0 || static_cast<std::size_t>(weak.ObjectIndex) >= slots_.size()) {
    return nullptr;
  }
  const Slot& slot = slots_[weak.ObjectIndex];
  return slot.serial == weak.ObjectSerialNumber ? slot.object : nullptr;
}

}  // namespace game

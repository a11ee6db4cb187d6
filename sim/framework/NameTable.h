#pragma once

// A table from game names to what they resolve to, built for lookups at every use: the name
// is hashed eight bytes at a step, the table is open-addressed with a power-of-two size, and a
// lookup neither allocates nor copies the name.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

inline std::uint64_t HashName(std::string_view name) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  const auto mix = [](std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * kMultiplier;
    return h ^ (h >> 29);
  };
  std::uint64_t hash = name.size() * kMultiplier;
  const char* bytes = name.data();
  std::size_t left = name.size();
  for (; left >= 8; left -= 8, bytes += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    hash = mix(hash, word);
  }
  if (left > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, left);
    hash = mix(hash, word);
  }
  return mix(hash, 0);
}

template <typename Value>
class NameTable {
 public:
  // A name given again takes the new value.
  void Insert(std::string_view name, Value value) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Slot& slot = SlotFor(name, HashName(name));
    if (!slot.used) ++count_;
    slot = {HashName(name), std::string(name), std::move(value), true};
  }

  const Value* Find(std::string_view name) const {
    if (slots_.empty()) return nullptr;
    const std::uint64_t hash = HashName(name);
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      const Slot& slot = slots_[i];
      if (!slot.used) return nullptr;
      if (slot.hash == hash && slot.name == name) return &slot.value;
    }
  }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::string name;
    Value value{};
    bool used = false;
  };

  std::size_t Mask() const { return slots_.size() - 1; }

  Slot& SlotFor(std::string_view name, std::uint64_t hash) {
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      Slot& slot = slots_[i];
      if (!slot.used || (slot.hash == hash && slot.name == name)) return slot;
    }
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 64 : old.size() * 2);
    for (Slot& slot : old) {
      if (slot.used) SlotFor(slot.name, slot.hash) = std::move(slot);
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace framework

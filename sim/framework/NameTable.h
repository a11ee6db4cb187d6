#pragma once

// A table from game names to what they resolve to, built for lookups at every use: the table is
// open-addressed with a power-of-two size, a name's key is taken from its length and three of its
// words without a loop, and a lookup is one probe and one comparison of the name, with no
// allocation and no copy. The stand-in's fast resolver; the real framework's price is
// RealCostTable's.

#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

template <typename Value>
class NameTable {
 public:
  // A name given again takes the new value.
  void Insert(std::string_view name, Value value) {
    if ((names_.size() + 1) * 2 > slots_.size()) Grow();
    const std::uint64_t key = KeyOf(name);
    Slot& slot = SlotFor(name, key);
    if (slot.name == nullptr) {
      slot.name = names_.emplace_back(name).data();
      slot.key = key;
    }
    slot.value = std::move(value);
  }

  const Value* Find(std::string_view name) const {
    const std::uint64_t key = KeyOf(name);
    for (std::size_t i = HashOf(key) & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      // A free slot's key is that of the empty name: it is asked first.
      if (slot.name == nullptr) return nullptr;
      if (slot.Holds(name, key)) [[likely]]
        return &slot.value;
    }
  }

  // Every name with its value, in no particular order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const Slot& slot : slots_) {
      if (slot.name != nullptr)
        visit(std::string_view(slot.name, slot.key & 0xFFFFFFFFu), slot.value);
    }
  }

 private:
  struct Slot {
    std::uint64_t key = 0;       // the name's hash and length
    const char* name = nullptr;  // none: the slot is free
    Value value{};

    bool Holds(std::string_view other, std::uint64_t otherKey) const {
      return key == otherKey && SameBytes(name, other.data(), other.size());
    }
  };

  // The length, and a mix of the first, middle and last eight bytes (every byte when fewer):
  // names share long prefixes ("APrimalCharacter."), rarely a length and both ends as well, and a
  // key that is the same for two names costs only one more probe.
  static std::uint64_t KeyOf(std::string_view name) {
    const char* const at = name.data();
    const std::size_t size = name.size();
    std::uint64_t mix = 0;
    if (size >= 8) {
      mix = Load<std::uint64_t>(at) * 0x9E3779B97F4A7C15u ^
            Load<std::uint64_t>(at + size / 2 - 4) * 0xC2B2AE3D27D4EB4Fu ^
            Load<std::uint64_t>(at + size - 8) * 0x165667B19E3779F9u;
    } else {
      for (std::size_t i = 0; i < size; ++i) mix = mix << 8 | static_cast<unsigned char>(at[i]);
      mix *= 0x9E3779B97F4A7C15u;
    }
    // The product's high half, where every byte has had its say.
    return (mix & 0xFFFFFFFF00000000u) | static_cast<std::uint32_t>(size);
  }
  static std::size_t HashOf(std::uint64_t key) { return static_cast<std::size_t>(key >> 32); }

  // Sixteen bytes at a step, inline and without calls: for names of a few dozen bytes a call to
  // memcmp, and the registers it makes a lookup save, cost more than the comparison.
  static bool SameBytes(const char* a, const char* b, std::size_t size) {
    // The last piece may overlap the one before it; bytes compared twice are equal anyway.
    if (size >= 16) [[likely]] {
      // Most names take two blocks: no loop for them.
      for (std::size_t at = 16; at + 16 < size; at += 16) {
        if (!SameBlock(a + at, b + at)) return false;
      }
      return SameBlock(a, b) && SameBlock(a + size - 16, b + size - 16);
    }
    if (size >= 8) {
      return Load<std::uint64_t>(a) == Load<std::uint64_t>(b) &&
             Load<std::uint64_t>(a + size - 8) == Load<std::uint64_t>(b + size - 8);
    }
    if (size >= 4) {
      return Load<std::uint32_t>(a) == Load<std::uint32_t>(b) &&
             Load<std::uint32_t>(a + size - 4) == Load<std::uint32_t>(b + size - 4);
    }
    for (std::size_t i = 0; i < size; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  // Sixteen bytes with one branch.
  static bool SameBlock(const char* a, const char* b) {
    return ((Load<std::uint64_t>(a) ^ Load<std::uint64_t>(b)) |
            (Load<std::uint64_t>(a + 8) ^ Load<std::uint64_t>(b + 8))) == 0;
  }
  template <typename Word>
  static Word Load(const char* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
  }

  // The slot that holds the name, or the free slot where it would go.
  Slot& SlotFor(std::string_view name, std::uint64_t key) {
    for (std::size_t i = HashOf(key) & mask_;; i = (i + 1) & mask_) {
      Slot& slot = slots_[i];
      if (slot.name == nullptr || slot.Holds(name, key)) return slot;
    }
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.size() * 2);
    mask_ = slots_.size() - 1;
    for (Slot& slot : old) {
      if (slot.name != nullptr) {
        SlotFor(std::string_view(slot.name, slot.key & 0xFFFFFFFFu), slot.key) = slot;
      }
    }
  }

  std::vector<Slot> slots_ = std::vector<Slot>(64);
  std::size_t mask_ = 63;
  std::deque<std::string> names_;  // one per used slot; a deque never moves what it holds
};

}  // namespace framework

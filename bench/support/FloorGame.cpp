#include "support/FloorGame.h"

#include <stdexcept>
#include <string>

namespace bench_support {
namespace {

// Fields are resolved against this address; only the offset is kept, nothing is read here.
alignas(std::max_align_t) const unsigned char probe[1] = {};

[[noreturn]] void Unknown(const char* kind, GameName name) {
  throw std::runtime_error(std::string("the game publishes no ") + kind + " " +
                           std::string(name.View()));
}

std::ptrdiff_t OffsetFromProbe(const void* address) {
  return static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(address) -
                                     reinterpret_cast<std::uintptr_t>(probe));
}

BitField ResolveFlag(GameName name) {
  const BitField flag = GetBitField(probe, name);
  if (flag.word == nullptr) Unknown("flag", name);
  return flag;
}

}  // namespace

void* ResolveFunction(GameName name) {
  void* address = GetAddress(name);
  if (address == nullptr) Unknown("function", name);
  return address;
}

std::ptrdiff_t ResolveFieldOffset(GameName name) {
  const void* address = GetAddress(probe, name);
  if (address == nullptr) Unknown("field", name);
  return OffsetFromProbe(address);
}

Flag::Flag(GameName name) {
  const BitField flag = ResolveFlag(name);
  wordOffset_ = OffsetFromProbe(flag.word);
  position_ = flag.position;
  mask_ = flag.width >= 32 ? ~0u : (1u << flag.width) - 1u;
}

}  // namespace bench_support

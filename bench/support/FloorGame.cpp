#include "support/FloorGame.h"

#include <stdexcept>
#include <string>

namespace bench_support {
namespace {

// Fields are resolved against this address; only the offset is kept, nothing is read here.
alignas(std::max_align_t) const unsigned char probe[1] = {};

[[noreturn]] void Unknown(const char* kind, const std::string& name) {
  throw std::runtime_error(std::string("the game publishes no ") + kind + " " + name);
}

std::ptrdiff_t OffsetFromProbe(DWORD64 address) {
  return static_cast<std::ptrdiff_t>(address - reinterpret_cast<DWORD64>(probe));
}

BitField ResolveFlag(const std::string& name) {
  const BitField flag = GetBitField(probe, name);
  if (flag.offset == 0) Unknown("flag", name);
  return flag;
}

}  // namespace

void* ResolveFunction(const std::string& name) {
  void* address = GetAddress(name);
  if (address == nullptr) Unknown("function", name);
  return address;
}

std::ptrdiff_t ResolveFieldOffset(const std::string& name) {
  const DWORD64 address = GetAddress(probe, name);
  if (address == 0) Unknown("field", name);
  return OffsetFromProbe(address);
}

Flag::Flag(const std::string& name) {
  const BitField flag = ResolveFlag(name);
  wordOffset_ = OffsetFromProbe(flag.offset);
  position_ = flag.bit_position;
  mask_ = flag.num_bits >= 32 ? ~0u : (1u << flag.num_bits) - 1u;
}

}  // namespace bench_support

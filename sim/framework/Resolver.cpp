// Name resolution by the game's published names.

#include <API/Base.h>

#include <stdexcept>

#include "NameTable.h"
#include "framework/Names.h"
#include "framework/Server.h"

namespace {

struct BitSpec {
  std::ptrdiff_t wordOffset;
  std::uint32_t position;
  std::uint32_t width;
};

struct NameTables {
  framework::NameTable<void*> functions;
  framework::NameTable<std::ptrdiff_t> fields;
  framework::NameTable<BitSpec> bits;
  framework::NameTable<bool> reportedUnknown;
};

// Names are registered only once a game runs, long after the library's statics exist, so the
// tables need no guard of their own on every lookup.
NameTables tables;
std::uint64_t resolutions = 0;

// Each unknown name is logged once; a plugin asking every tick must not flood the log. Out of
// line and answering what the lookup answers, so that a lookup's own path stays free of it.
template <typename Answer>
[[gnu::cold, gnu::noinline]] Answer ReportUnknown(std::string_view kind, const std::string& name) {
  auto& reported = tables.reportedUnknown;
  if (reported.Find(name) == nullptr) {
    reported.Insert(name, true);
    framework::FrameworkLogger().error("Unknown {} name: {}", kind, name);
  }
  return Answer{};
}

// The word of the flag, bits and width; all zero for an unknown name or no base.
BitField FindBitField(const void* base, const std::string& name) {
  ++resolutions;
  const BitSpec* bit = tables.bits.Find(name);
  if (bit == nullptr) [[unlikely]]
    return ReportUnknown<BitField>("bit field", name);
  if (base == nullptr) return {};
  return {reinterpret_cast<DWORD64>(base) + static_cast<DWORD64>(bit->wordOffset), bit->position,
          bit->width, sizeof(std::uint32_t)};
}

}  // namespace

LPVOID GetAddress(const std::string& name) {
  ++resolutions;
  void* const* function = tables.functions.Find(name);
  if (function == nullptr) [[unlikely]]
    return ReportUnknown<void*>("function", name);
  return *function;
}

DWORD64 GetAddress(const void* base, const std::string& name) {
  ++resolutions;
  const std::ptrdiff_t* offset = tables.fields.Find(name);
  if (offset == nullptr) [[unlikely]]
    return ReportUnknown<DWORD64>("field", name);
  if (base == nullptr) return 0;
  return reinterpret_cast<DWORD64>(base) + static_cast<DWORD64>(*offset);
}

// The stand-in's game publishes no globals.
LPVOID GetDataAddress(const std::string& name) {
  ++resolutions;
  return ReportUnknown<void*>("data", name);
}

BitField GetBitField(const void* base, const std::string& name) { return FindBitField(base, name); }

BitField GetBitField(LPVOID base, const std::string& name) { return FindBitField(base, name); }

namespace framework {

std::uint64_t ResolutionCount() { return resolutions; }

void RegisterFunction(std::string_view name, void* address) {
  tables.functions.Insert(name, address);
}

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  tables.fields.Insert(name, offset);
}

void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset, std::uint32_t position,
                      std::uint32_t width) {
  // A reader masks with the width and shifts by the position: both must fit the word.
  if (width == 0 || position + width > 32) {
    throw std::invalid_argument("bit field " + std::string(name) + " does not fit its word");
  }
  tables.bits.Insert(name, BitSpec{wordOffset, position, width});
}

}  // namespace framework

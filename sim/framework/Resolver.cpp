// Name resolution by the game's published names.

#include "ArkApi/Resolver.h"

#include "FrameworkLog.h"
#include "NameTable.h"
#include "framework/Names.h"

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
[[gnu::cold, gnu::noinline]] Answer ReportUnknown(std::string_view kind, GameName name) {
  auto& reported = tables.reportedUnknown;
  if (reported.Find(name) == nullptr) {
    reported.Insert(name, true);
    framework::FrameworkLogger().error("Unknown {} name: {}", kind, name.View());
  }
  return Answer{};
}

}  // namespace

void* GetAddress(GameName name) {
  ++resolutions;
  void* const* function = tables.functions.Find(name);
  if (function == nullptr) [[unlikely]]
    return ReportUnknown<void*>("function", name);
  return *function;
}

void* GetAddress(const void* base, GameName name) {
  ++resolutions;
  const std::ptrdiff_t* offset = tables.fields.Find(name);
  if (offset == nullptr) [[unlikely]]
    return ReportUnknown<void*>("field", name);
  if (base == nullptr) return nullptr;
  return const_cast<char*>(static_cast<const char*>(base)) + *offset;
}

BitField GetBitField(const void* base, GameName name) {
  ++resolutions;
  const BitSpec* bit = tables.bits.Find(name);
  if (bit == nullptr) [[unlikely]]
    return ReportUnknown<BitField>("bit field", name);
  if (base == nullptr) return {};
  const auto* word =
      reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(base) + bit->wordOffset);
  return {word, bit->position, bit->width};
}

namespace framework {

std::uint64_t ResolutionCount() { return resolutions; }

void RegisterFunction(std::string_view name, void* address) {
  tables.functions.Insert(GameName(name), address);
}

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  tables.fields.Insert(GameName(name), offset);
}

void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset, std::uint32_t position,
                      std::uint32_t width) {
  tables.bits.Insert(GameName(name), BitSpec{wordOffset, position, width});
}

}  // namespace framework

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

NameTables& Tables() { return tables; }

// Each unknown name is logged once; a plugin asking every tick must not flood the log.
void ReportUnknown(std::string_view kind, GameName name) {
  auto& reported = Tables().reportedUnknown;
  if (reported.Find(name) != nullptr) return;
  reported.Insert(name, true);
  framework::FrameworkLogger().error("Unknown {} name: {}", kind, name.View());
}

template <typename Value>
const Value* Find(const framework::NameTable<Value>& table, std::string_view kind, GameName name) {
  ++resolutions;
  if (const Value* value = table.Find(name)) [[likely]]
    return value;
  ReportUnknown(kind, name);
  return nullptr;
}

}  // namespace

void* GetAddress(GameName name) {
  const auto* function = Find(Tables().functions, "function", name);
  return function != nullptr ? *function : nullptr;
}

void* GetAddress(const void* base, GameName name) {
  const auto* offset = Find(Tables().fields, "field", name);
  if (offset == nullptr || base == nullptr) return nullptr;
  return const_cast<char*>(static_cast<const char*>(base)) + *offset;
}

BitField GetBitField(const void* base, GameName name) {
  const auto* bit = Find(Tables().bits, "bit field", name);
  if (bit == nullptr || base == nullptr) return {};
  const auto* word =
      reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(base) + bit->wordOffset);
  return {word, bit->position, bit->width};
}

namespace framework {

std::uint64_t ResolutionCount() { return resolutions; }

void RegisterFunction(std::string_view name, void* address) {
  Tables().functions.Insert(GameName(name), address);
}

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  Tables().fields.Insert(GameName(name), offset);
}

void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset, std::uint32_t position,
                      std::uint32_t width) {
  Tables().bits.Insert(GameName(name), BitSpec{wordOffset, position, width});
}

}  // namespace framework

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

NameTables& Tables() {
  static NameTables tables;
  return tables;
}

// Each unknown name is logged once; a plugin asking every tick must not flood the log.
void ReportUnknown(std::string_view kind, std::string_view name) {
  auto& reported = Tables().reportedUnknown;
  if (reported.Find(name) != nullptr) return;
  reported.Insert(name, true);
  framework::FrameworkLogger().error("Unknown {} name: {}", kind, name);
}

template <typename Value>
const Value* Find(const framework::NameTable<Value>& table, std::string_view kind,
                  std::string_view name) {
  if (const Value* value = table.Find(name)) return value;
  ReportUnknown(kind, name);
  return nullptr;
}

}  // namespace

void* GetAddress(std::string_view name) {
  const auto* function = Find(Tables().functions, "function", name);
  return function != nullptr ? *function : nullptr;
}

void* GetAddress(const void* base, std::string_view name) {
  const auto* offset = Find(Tables().fields, "field", name);
  if (offset == nullptr || base == nullptr) return nullptr;
  return const_cast<char*>(static_cast<const char*>(base)) + *offset;
}

BitField GetBitField(const void* base, std::string_view name) {
  const auto* bit = Find(Tables().bits, "bit field", name);
  if (bit == nullptr || base == nullptr) return {};
  const auto* word =
      reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(base) + bit->wordOffset);
  return {word, bit->position, bit->width};
}

namespace framework {

void RegisterFunction(std::string_view name, void* address) {
  Tables().functions.Insert(name, address);
}

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  Tables().fields.Insert(name, offset);
}

void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset, std::uint32_t position,
                      std::uint32_t width) {
  Tables().bits.Insert(name, BitSpec{wordOffset, position, width});
}

}  // namespace framework

// Name resolution by the game's published names.

#include <API/Base.h>

#include <memory>
#include <stdexcept>

#include "NameTable.h"
#include "RealCostTable.h"
#include "framework/Names.h"
#include "framework/Server.h"

namespace {

struct BitSpec {
  std::ptrdiff_t wordOffset;
  std::uint32_t position;
  std::uint32_t width;
};

template <template <typename> class Table>
struct MemberTables {
  Table<void*> functions;
  Table<std::ptrdiff_t> fields;
  Table<BitSpec> bits;
};

// Names are registered only once a game runs, long after the library's statics exist, so the
// tables need no guard of their own on every lookup.
MemberTables<framework::NameTable> fast;
// Built when a benchmark first chooses the real framework's price, kept from then on.
std::unique_ptr<MemberTables<framework::RealCostTable>> realCost;
bool realCostChosen = false;
framework::NameTable<bool> reportedUnknown;
std::uint64_t resolutions = 0;

// The entry of name in the tables chosen; pick names the kind (functions, fields or bits).
template <typename Pick>
auto Find(const std::string& name, Pick pick) {
  return realCostChosen ? pick(*realCost).Find(name) : pick(fast).Find(name);
}
constexpr auto kFunctions = [](auto& tables) -> auto& { return tables.functions; };
constexpr auto kFields = [](auto& tables) -> auto& { return tables.fields; };
constexpr auto kBits = [](auto& tables) -> auto& { return tables.bits; };

template <typename From, typename To>
void CopyEntries(const From& from, To& to) {
  from.ForEach([&](std::string_view name, const auto& value) { to.Insert(name, value); });
}

template <typename Pick, typename Value>
void Register(Pick pick, std::string_view name, const Value& value) {
  pick(fast).Insert(name, value);
  if (realCost) pick(*realCost).Insert(name, value);
}

// The function last answered for a name the game does not have: what a call to the start of the
// game's code was meant to reach.
std::string unknownFunctionAsked;

// The start of the game's code, where the real resolver sends a function it does not know.
// Whatever a plugin passes, the server ends here. Called through a pointer of the caller's
// type, so the function-type sanitizer, which cannot know it, must not look at it.
#ifdef __clang__
[[clang::no_sanitize("function")]]
#endif
[[noreturn]] void
StartOfGameCode() {
  framework::CrashServer("game", unknownFunctionAsked,
                         "called the start of the game's code: the game has no such function");
}

// Each unknown name is logged once; a plugin asking every tick must not flood the log. Out of
// line, so that a lookup's own path stays free of it.
[[gnu::cold, gnu::noinline]] void ReportUnknown(std::string_view kind, const std::string& name) {
  // By kind as well: a field and a function of one name are two unknown names.
  const std::string key = std::string(kind) + ' ' + name;
  if (reportedUnknown.Find(key) != nullptr) return;
  reportedUnknown.Insert(key, true);
  framework::FrameworkLogger().error("Unknown {} name: {}", kind, name);
}

// The real resolver's answers (offset 0 for a name it lacks, a flag of no bits) added to base,
// null included.
BitField FindBitField(const void* base, const std::string& name) {
  ++resolutions;
  const auto at = reinterpret_cast<DWORD64>(base);
  const BitSpec* bit = Find(name, kBits);
  if (bit == nullptr) [[unlikely]] {
    ReportUnknown("bit field", name);
    return {at, 0, 0, 0};
  }
  return {at + static_cast<DWORD64>(bit->wordOffset), bit->position, bit->width,
          sizeof(std::uint32_t)};
}

void* UnknownFunction(std::string_view kind, const std::string& name) {
  ReportUnknown(kind, name);
  unknownFunctionAsked = name;
  return reinterpret_cast<void*>(&StartOfGameCode);
}

template <typename Table>
void Forget(Table& table, std::string_view name) {
  if (table.Find(name) == nullptr) return;
  Table kept;
  table.ForEach([&](std::string_view other, const auto& value) {
    if (other != name) kept.Insert(other, value);
  });
  table = std::move(kept);
}

void BuildRealCost() {
  // About as many members of each kind as the game has.
  constexpr std::size_t kFillers = 150000;
  realCost.reset(new MemberTables<framework::RealCostTable>{
      framework::RealCostTable<void*>(kFillers), framework::RealCostTable<std::ptrdiff_t>(kFillers),
      framework::RealCostTable<BitSpec>(kFillers)});
  CopyEntries(fast.functions, realCost->functions);
  CopyEntries(fast.fields, realCost->fields);
  CopyEntries(fast.bits, realCost->bits);
}

}  // namespace

LPVOID GetAddress(const std::string& name) {
  ++resolutions;
  void* const* function = Find(name, kFunctions);
  if (function == nullptr) [[unlikely]]
    return UnknownFunction("function", name);
  return *function;
}

DWORD64 GetAddress(const void* base, const std::string& name) {
  ++resolutions;
  const auto at = reinterpret_cast<DWORD64>(base);
  const std::ptrdiff_t* offset = Find(name, kFields);
  if (offset == nullptr) [[unlikely]] {
    ReportUnknown("field", name);
    return at;
  }
  return at + static_cast<DWORD64>(*offset);
}

// The stand-in's game publishes no globals: every one is the start of the game's image.
LPVOID GetDataAddress(const std::string& name) {
  ++resolutions;
  return UnknownFunction("data", name);
}

BitField GetBitField(const void* base, const std::string& name) { return FindBitField(base, name); }

BitField GetBitField(LPVOID base, const std::string& name) { return FindBitField(base, name); }

namespace framework {

std::uint64_t ResolutionCount() { return resolutions; }

void UseResolverProfile(ResolverProfile profile) {
  realCostChosen = profile == ResolverProfile::kRealCost;
  if (realCostChosen && !realCost) BuildRealCost();
}

void ForgetName(std::string_view name) {
  Forget(fast.functions, name);
  Forget(fast.fields, name);
  Forget(fast.bits, name);
  if (realCost) BuildRealCost();
}

void RegisterFunction(std::string_view name, void* address) { Register(kFunctions, name, address); }

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  Register(kFields, name, offset);
}

void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset, std::uint32_t position,
                      std::uint32_t width) {
  // A reader masks with the width and shifts by the position: both must fit the word.
  if (width == 0 || position + width > 32) {
    throw std::invalid_argument("bit field " + std::string(name) + " does not fit its word");
  }
  Register(kBits, name, BitSpec{wordOffset, position, width});
}

}  // namespace framework

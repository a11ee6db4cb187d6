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

// Functions and fields share one table, as the real resolver's offsets do: a function's entry
// is its address, a field's its offset, and either kind answers for a name only the other has.
template <template <typename> class Table>
struct MemberTables {
  Table<std::intptr_t> members;
  Table<BitSpec> bits;
};

// Names are registered only once a game runs, long after the library's statics exist, so the
// tables need no guard of their own on every lookup.
MemberTables<framework::NameTable> fast;
// Built when a benchmark first chooses the real framework's price, kept from then on.
std::unique_ptr<MemberTables<framework::RealCostTable>> realCost;
bool realCostChosen = false;
std::uint64_t resolutions = 0;

// The entry of name in the tables chosen; pick names the table (members or bits).
template <typename Pick>
auto Find(const std::string& name, Pick pick) {
  return realCostChosen ? pick(*realCost).Find(name) : pick(fast).Find(name);
}
constexpr auto kMembers = [](auto& tables) -> auto& { return tables.members; };
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

// The real resolver's answers (offset 0 for a name it lacks, a flag of no bits) added to base,
// null included. Like it, nothing is logged for a name it lacks: only a call of one shows.
BitField FindBitField(const void* base, const std::string& name) {
  ++resolutions;
  const auto at = reinterpret_cast<DWORD64>(base);
  const BitSpec* bit = Find(name, kBits);
  if (bit == nullptr) [[unlikely]]
    return {at, 0, 0, 0};
  return {at + static_cast<DWORD64>(bit->wordOffset), bit->position, bit->width,
          sizeof(std::uint32_t)};
}

// Out of line, so that a lookup's own path stays free of it.
[[gnu::cold, gnu::noinline]] void* UnknownFunction(const std::string& name) {
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
  // About as many functions, fields and flags as the game has.
  constexpr std::size_t kFillersOfEachKind = 150000;
  realCost.reset(new MemberTables<framework::RealCostTable>{
      framework::RealCostTable<std::intptr_t>(2 * kFillersOfEachKind),
      framework::RealCostTable<BitSpec>(kFillersOfEachKind)});
  CopyEntries(fast.members, realCost->members);
  CopyEntries(fast.bits, realCost->bits);
}

}  // namespace

LPVOID GetAddress(const std::string& name) {
  ++resolutions;
  const std::intptr_t* function = Find(name, kMembers);
  if (function == nullptr) [[unlikely]]
    return UnknownFunction(name);
  return reinterpret_cast<LPVOID>(*function);
}

DWORD64 GetAddress(const void* base, const std::string& name) {
  ++resolutions;
  const auto at = reinterpret_cast<DWORD64>(base);
  const std::intptr_t* offset = Find(name, kMembers);
  if (offset == nullptr) [[unlikely]]
    return at;
  return at + static_cast<DWORD64>(*offset);
}

// The stand-in's game publishes no globals: every one is the start of the game's image.
LPVOID GetDataAddress(const std::string& name) {
  ++resolutions;
  return UnknownFunction(name);
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
  Forget(fast.members, name);
  Forget(fast.bits, name);
  if (realCost) BuildRealCost();
}

void RegisterFunction(std::string_view name, void* address) {
  Register(kMembers, name, reinterpret_cast<std::intptr_t>(address));
}

void RegisterField(std::string_view name, std::ptrdiff_t offset) {
  Register(kMembers, name, offset);
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

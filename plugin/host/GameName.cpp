#include <API/ARK/Ark.h>

#include "host/GameName.h"

namespace host {
namespace {

// No game has a class of this name, so the resolver answers it as it answers any name the game
// lacks: the real one does not fail, it hands out offset 0.
constexpr const char* kNameNoGameHas = "Packsentinel.NameNoGameHas";

bool IsKnown(const GameNameEntry& entry, LPVOID unknownFunction) {
  const std::string name(entry.name);
  const void* const noObject = nullptr;
  switch (entry.kind) {
    case NameKind::Function:
      return GetAddress(name) != unknownFunction;
    // Offset 0 holds the object's own header: no named member sits there.
    case NameKind::Field:
      return GetAddress(noObject, name) != 0;
    case NameKind::Flag:
      return GetBitField(noObject, name).num_bits != 0;
  }
  return false;
}

}  // namespace

std::string UnknownGameNames() {
  const LPVOID unknownFunction = GetAddress(std::string(kNameNoGameHas));
  std::string unknown;
  for (const auto& entry : kGameNames) {
    if (IsKnown(entry, unknownFunction)) continue;
    if (!unknown.empty()) unknown += ", ";
    unknown += entry.name;
  }
  return unknown;
}

}  // namespace host

#include "commands/FindDinos.h"

#include <cstdio>
#include <vector>

#include "commands/CommandGate.h"
#include "commands/MapCoordinates.h"
#include "commands/Reply.h"
#include "commands/WildCreature.h"
#include "host/Framework.h"

namespace packsentinel {
namespace {

constexpr FLinearColor kFoundColour{0.f, 1.f, 0.f, 1.f};
constexpr FLinearColor kNoneColour{255.f, 0.f, 0.f, 255.f};

// The C library's general format with its default precision: 50, 65.4, 49.9.
void AppendGeneral(std::string& text, float value) {
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  text.append(buffer, static_cast<std::size_t>(length));
}

// Cheap tests first; the name comparison and the level only for wild, living creatures.
bool IsListed(AActor* actor, UClass* dinoClass, const CreatureRequest& request) {
  if (actor == nullptr || !host::IsA(actor, dinoClass)) return false;
  auto* dino = static_cast<APrimalDinoCharacter*>(actor);
  if (host::IsDead(dino) || !IsWild(dino)) return false;
  // Without these there is no level or place to show.
  if (host::GetStatusComponent(dino) == nullptr || host::GetRootComponent(dino) == nullptr) {
    return false;
  }
  return request.Matches(dino);
}

std::string ListText(const std::vector<APrimalDinoCharacter*>& found, const host::MapScale& scale) {
  std::string text = "Found Dinos\n";
  for (APrimalDinoCharacter* dino : found) {
    const auto place = ToMapPosition(host::GetRelativeLocation(host::GetRootComponent(dino)), scale);
    text += host::GetDescriptiveName(dino).ToString();
    text += " | level: ";
    text += std::to_string(host::GetCharacterLevel(host::GetStatusComponent(dino)));
    text += " | location: ";
    AppendGeneral(text, place.latitude);
    text += ' ';
    AppendGeneral(text, place.longitude);
    text += '\n';
  }
  return text;
}

}  // namespace

void FindDinosCommand(AShooterPlayerController* controller, FString* line, int32 /*mode*/) {
  const auto words = PassGate(controller, line, "FindDinos");
  if (!words) return;
  if (words->size() < 2) {
    SendUsage(controller, "FindDinos", "FindDinosUseHelp");
    return;
  }
  const CreatureRequest request = ReadCreatureRequest(*words);

  UClass* dinoClass = host::GetDinoClass();
  UWorld* world = host::GetGameWorld();
  std::vector<APrimalDinoCharacter*> found;
  {
    TArray<AActor*> actors;
    host::GetAllActorsOfClass(world, dinoClass, actors);
    for (AActor* actor : actors) {
      if (IsListed(actor, dinoClass, request)) found.push_back(static_cast<APrimalDinoCharacter*>(actor));
    }
  }

  if (found.empty()) {
    if (controller != nullptr) {
      host::ClientServerSOTFNotificationCustom(controller, host::Widen("No dinos found"), kNoneColour,
                                               2.f, 8.f, nullptr, nullptr);
    }
    return;
  }
  if (controller != nullptr) {
    const auto scale = host::GetMapScale(host::GetWorldSettings(world));
    // Non-ASCII bytes of the names show as '?', one per byte.
    host::ClientServerNotificationSingle(controller, host::Widen(ListText(found, scale)),
                                         kFoundColour, 0.6f, 18.f, nullptr, nullptr, 6349);
  }
  SendChatReply(controller, FixedText{"Dinos found: {}"}, found.size());
}

}  // namespace packsentinel

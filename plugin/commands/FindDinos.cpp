#include "commands/FindDinos.h"

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "commands/ActorWalk.h"
#include "commands/CommandGate.h"
#include "commands/MapCoordinates.h"
#include "commands/Reply.h"
#include "commands/WildCreature.h"
#include "host/Framework.h"

namespace packsentinel {
namespace {

constexpr host::LinearColour kFoundColour{0.f, 1.f, 0.f, 1.f};
constexpr host::LinearColour kNoneColour{255.f, 0.f, 0.f, 255.f};

// The C library's general format with its default precision (50, 65.4, 49.9), without the
// process locale's say over the decimal mark.
void AppendGeneral(std::string& text, float value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                     std::chars_format::general, 6);
  text.append(buffer, written.ptr);
}

// A creature on the list, with what the list shows of it, each read once.
struct Listed {
  const FString* name;
  int32 level;
  FVector location;
};

void AppendDecimal(std::string& text, int32 value) {
  char buffer[12];
  text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Cheap tests first; the name comparison, the level and the place only for wild, living creatures.
std::optional<Listed> ReadListed(AActor* actor, UClass* dinoClass, const CreatureRequest& request) {
  if (actor == nullptr || !host::IsA(actor, dinoClass)) return std::nullopt;
  auto* dino = static_cast<APrimalDinoCharacter*>(actor);
  if (host::IsDead(dino) || !IsWild(dino)) return std::nullopt;
  const FString& name = host::GetDescriptiveName(dino);
  if (!request.NameMatches(host::View(name))) return std::nullopt;
  // Without these there is no level or place to show.
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(dino);
  if (status == nullptr) return std::nullopt;
  const int32 level = host::GetCharacterLevel(status);
  if (!request.LevelMatches(level)) return std::nullopt;
  USceneComponent* root = host::GetRootComponent(dino);
  if (root == nullptr) return std::nullopt;
  return Listed{&name, level, host::GetRelativeLocation(root)};
}

// Every listed creature of the world, in the game's actor order, each actor examined once.
std::vector<Listed> GatherListed(UWorld* world, const CreatureRequest& request) {
  UClass* dinoClass = host::GetDinoClass();
  TArray<AActor*> actors;
  host::GetAllActorsOfClass(world, dinoClass, actors);
  std::vector<Listed> listed;
  VisitActors(ActorsOf(actors), [&](AActor* actor) {
    if (auto entry = ReadListed(actor, dinoClass, request)) listed.push_back(*entry);
    return true;
  });
  return listed;
}

std::string ListText(const std::vector<Listed>& listed, const host::MapScale& scale) {
  std::string text = "Found Dinos\n";
  for (const Listed& entry : listed) {
    const MapPosition place = ToMapPosition(entry.location, scale);
    host::AppendUtf8(text, host::View(*entry.name));
    text += " | level: ";
    AppendDecimal(text, entry.level);
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
  UWorld* world = host::GetGameWorld();
  const auto listed = GatherListed(world, request);

  if (listed.empty()) {
    if (controller != nullptr) {
      host::ClientServerSOTFNotificationCustom(controller, host::Widen("No dinos found"),
                                               kNoneColour, 2.f, 8.f, nullptr, nullptr);
    }
    return;
  }
  if (controller != nullptr) {
    const auto scale = host::GetMapScale(host::GetWorldSettings(world));
    // Names go out as UTF-8 bytes, each byte of 0x80 or above showing as '?'.
    host::ClientServerNotificationSingle(controller, host::Widen(ListText(listed, scale)),
                                         kFoundColour, 0.6f, 18.f, nullptr, nullptr, 6349);
  }
  SendChatReply(controller, FixedText{"Dinos found: {}"}, listed.size());
}

}  // namespace packsentinel

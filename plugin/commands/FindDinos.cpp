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
#include "config/Schema.h"
#include "host/Framework.h"
#include "host/Game.h"
#include "host/Text.h"

namespace packsentinel {
namespace {

// What players have always been sent. The game's linear colours run from 0 to 1: the 255s of
// "none" are an old slip that the client clamps to plain red, kept so that nothing changes.
constexpr host::LinearColour kFoundColour{0.f, 1.f, 0.f, 1.f};
constexpr host::LinearColour kNoneColour{255.f, 0.f, 0.f, 255.f};
// The client's text scale and seconds on screen; the list also carries the priority the client
// orders notifications by.
constexpr float kNoneScale = 2.f, kNoneSeconds = 8.f;
constexpr float kListScale = 0.6f, kListSeconds = 18.f;
constexpr std::int32_t kListPriority = 6349;

// Digits written by the C++ library, which are ASCII: they widen character by character.
void AppendNarrow(host::String& text, const char* begin, const char* end) {
  for (const char* c = begin; c != end; ++c) text += static_cast<host::Char>(*c);
}

// The C library's general format with its default precision (50, 65.4, 49.9), without the
// process locale's say over the decimal mark.
void AppendGeneral(host::String& text, float value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                     std::chars_format::general, 6);
  AppendNarrow(text, buffer, written.ptr);
}

// A creature on the list, with what the list shows of it, each read once.
struct Listed {
  host::TextView name;  // the game's own text, in place
  std::int32_t level;
  host::Vector location;
};

void AppendDecimal(host::String& text, std::int32_t value) {
  char buffer[12];
  AppendNarrow(text, buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The name first: most creatures a search passes over bear another name, and each test asks the
// game by name. The tests only read, so their order changes nothing but their cost.
std::optional<Listed> ReadListed(AActor* actor, UClass* dinoClass, const CreatureRequest& request) {
  APrimalDinoCharacter* dino = host::AsCreature(actor, dinoClass);
  if (dino == nullptr) return std::nullopt;
  const host::TextView name = host::GetDescriptiveName(dino);
  if (!request.NameMatches(name) || host::IsDead(dino) || !IsWild(dino)) return std::nullopt;
  // Without these there is no level or place to show.
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(dino);
  if (status == nullptr) return std::nullopt;
  const std::int32_t level = host::GetCharacterLevel(status);
  if (!request.LevelMatches(level)) return std::nullopt;
  USceneComponent* root = host::GetRootComponent(dino);
  if (root == nullptr) return std::nullopt;
  return Listed{name, level, host::GetWorldLocation(root)};
}

// Every listed creature of the world, in the game's actor order, each actor examined once.
std::vector<Listed> GatherListed(UWorld* world, const CreatureRequest& request) {
  UClass* dinoClass = host::GetDinoClass();
  std::vector<AActor*> actors;
  host::GetAllActorsOfClass(world, dinoClass, actors);
  std::vector<Listed> listed;
  VisitActors(actors, [&](AActor* actor) {
    if (auto entry = ReadListed(actor, dinoClass, request)) listed.push_back(*entry);
    return true;
  });
  return listed;
}

// One line of the list, in UTF-8: the name as the game has it, level and map position.
std::string ListLine(const Listed& entry, const host::MapScale& scale) {
  const MapPosition place = ToMapPosition(entry.location, scale);
  host::String line(entry.name);
  line += HOST_TEXT(" | level: ");
  AppendDecimal(line, entry.level);
  line += HOST_TEXT(" | location: ");
  AppendGeneral(line, place.latitude);
  line += HOST_TEXT(' ');
  AppendGeneral(line, place.longitude);
  line += HOST_TEXT('\n');
  return host::ToUtf8(line);
}

// Whole lines up to the bound every reply keeps: a map full of one kind would otherwise send a
// single client megabytes, for a screen that shows a few dozen lines. Past the bound, one last
// line counts the creatures left out.
std::string ListText(const std::vector<Listed>& listed, const host::MapScale& scale) {
  constexpr std::size_t kBound = schema::kMessageLengthLimit;
  constexpr std::string_view kHeading = "Found Dinos\n";
  std::string text(kHeading);
  std::vector<std::size_t> lineEnds;  // where the text ends after each listed creature
  for (const Listed& entry : listed) {
    const std::string line = ListLine(entry, scale);
    if (text.size() + line.size() > kBound) break;
    text += line;
    lineEnds.push_back(text.size());
  }
  if (lineEnds.size() == listed.size()) return text;
  // Lines give way until the count of those left out fits.
  for (;;) {
    const std::string more =
        "... and " + std::to_string(listed.size() - lineEnds.size()) + " more\n";
    const std::size_t kept = lineEnds.empty() ? kHeading.size() : lineEnds.back();
    if (kept + more.size() <= kBound) return text.substr(0, kept) + more;
    lineEnds.pop_back();
  }
}

}  // namespace

void FindDinosCommand(AShooterPlayerController* controller, host::TextView line,
                      std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, schema::kFindDinos);
  if (!words) return;
  if (words->size() < 2) {
    SendUsage(controller, schema::kFindDinos, schema::kFindDinosUseHelp);
    return;
  }
  const CreatureRequest request = ReadCreatureRequest(*words);
  UWorld* world = host::GetWorld();
  const auto listed = GatherListed(world, request);

  if (listed.empty()) {
    if (controller != nullptr) {
      host::ClientServerSOTFNotificationCustom(controller, host::Widen("No dinos found"),
                                               kNoneColour, kNoneScale, kNoneSeconds, nullptr,
                                               nullptr);
    }
    return;
  }
  if (controller != nullptr) {
    const auto scale = host::GetMapScale(host::GetWorldSettings(world));
    // Names go out as UTF-8 bytes, each byte of 0x80 or above showing as '?'.
    host::ClientServerNotificationSingle(controller, host::Widen(ListText(listed, scale)),
                                         kFoundColour, kListScale, kListSeconds, nullptr, nullptr,
                                         kListPriority);
  }
  // A game array counts in 32 bits, so the list does too.
  SendChatReply(controller, FixedText{"Dinos found: {}"}, static_cast<std::int32_t>(listed.size()));
}

}  // namespace packsentinel

#include "support/FloorFindDinos.h"

#include <charconv>
#include <cmath>

#include "commands/ActorWalk.h"

namespace bench_support {
namespace {

const FLinearColor kFoundColour(0.f, 1.f, 0.f, 1.f);
const FLinearColor kNoneColour(255.f, 0.f, 0.f, 255.f);

// One map axis in single precision, in the game's order of operations (0 settings: defaults).
float MapCoordinate(float position, float scaleSetting, float originSetting) {
  const float scale = scaleSetting == 0.f ? 800.f : scaleSetting;
  const float origin = std::fabs(originSetting == 0.f ? -400000.f : originSetting);
  const float k = 100.f / scale;
  const float shifted = position * k + origin * k;
  return std::floor(shifted / 1000.f * 10.f) / 10.f;
}

// The C library's general format at its default precision, whatever the locale.
void AppendGeneral(FloorText& text, float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                 std::chars_format::general, 6)
                       .ptr;
  text.AppendNarrow(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

}  // namespace

FloorFindDinos::FloorFindDinos(const FloorGame& game)
    : game_(game), command_(game, "FindDinos"), noneFound_("No dinos found") {}

void FloorFindDinos::Run(AShooterPlayerController* controller, std::u16string_view line) {
  const auto words = command_.Open(controller, line);
  if (!words) return;
  if (words->size() < 2) {
    command_.SendUsage(controller, "FindDinosUseHelp");
    return;
  }
  const FloorRequest request(*words);
  UWorld* world = ArkApi::GetApiUtils().GetWorld();
  UClass* dinoClass = game_.dinoClass();
  TArray<AActor*> actors;
  game_.allActorsOfClass(world, dinoClass, &actors);
  listed_.clear();
  visited_ = static_cast<std::size_t>(actors.Num());
  packsentinel::VisitActors(ActorsOf(actors), [&](AActor* actor) {
    Examine(actor, dinoClass, request);
    return true;
  });

  if (listed_.empty()) {
    if (controller != nullptr) {
      game_.sotfNotification(controller, noneFound_, kNoneColour, 2.f, 8.f, nullptr, nullptr);
    }
    return;
  }
  if (controller == nullptr) return;
  SendList(controller, world);
  text_.Clear();
  text_.AppendNarrow("Dinos found: ");
  text_.AppendDecimal(static_cast<std::int64_t>(listed_.size()));
  command_.SendChat(controller, text_.Get());
}

// The plugin's tests in its order: the name first, then life and team; level and place only for
// wild, living creatures of the name.
void FloorFindDinos::Examine(AActor* actor, UClass* dinoClass, const FloorRequest& request) {
  if (actor == nullptr || !game_.isA(actor, dinoClass)) return;
  const FString& name = game_.descriptiveName.Of(actor);
  if (!request.NameMatches(ViewOf(name))) return;
  if (game_.isDead(actor) || game_.targetingTeam.Of(actor) > kWildTeamBound) return;
  UPrimalCharacterStatusComponent* status = game_.statusComponent.Of(actor);
  if (status == nullptr) return;
  const int32 level = game_.characterLevel(status);
  if (!request.LevelMatches(level)) return;
  USceneComponent* root = game_.rootComponent.Of(actor);
  if (root == nullptr) return;
  listed_.push_back({&name, level, game_.worldLocation.Of(root)});
}

void FloorFindDinos::SendList(AShooterPlayerController* controller, UWorld* world) {
  AWorldSettings* settings = game_.worldSettings(world, false, true);
  const float latitudeScale = game_.latitudeScale.Of(settings);
  const float latitudeOrigin = game_.latitudeOrigin.Of(settings);
  const float longitudeScale = game_.longitudeScale.Of(settings);
  const float longitudeOrigin = game_.longitudeOrigin.Of(settings);
  text_.Clear();
  text_.AppendNarrow("Found Dinos\n");
  for (const Listed& entry : listed_) {
    text_.AppendUtf8Widened(ViewOf(*entry.name));
    text_.AppendNarrow(" | level: ");
    text_.AppendDecimal(entry.level);
    text_.AppendNarrow(" | location: ");
    AppendGeneral(text_, MapCoordinate(entry.location.Y, latitudeScale, latitudeOrigin));
    text_.Append(u' ');
    AppendGeneral(text_, MapCoordinate(entry.location.X, longitudeScale, longitudeOrigin));
    text_.Append(u'\n');
  }
  game_.notification(controller, text_.Get(), kFoundColour, 0.6f, 18.f, nullptr, nullptr, 6349);
}

}  // namespace bench_support

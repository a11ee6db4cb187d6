#include "support/FloorTrackWildDinos.h"

#include <algorithm>
#include <limits>
#include <span>

#include "commands/ActorWalk.h"

namespace bench_support {
namespace {

constexpr std::int64_t kFirstRingMetres = 100;
constexpr std::int64_t kLastRingAfterMetres = 80000;
constexpr std::int64_t kGameUnitsPerMetre = 100;
constexpr int32 kDinoOctreeGroup = 2;

class RingSearch {
 public:
  RingSearch(const FloorGame& game, const FloorRequest& request, const FVector& centre,
             int32 freeSlots, std::vector<APrimalDinoCharacter*>& taken)
      : game_(game),
        request_(request),
        world_(ArkApi::GetApiUtils().GetWorld()),
        centre_(centre),
        dinoClass_(game.dinoClass()),
        freeSlots_(freeSlots),
        taken_(taken) {}

  void FixedRadius(std::int64_t metres) {
    TArray<AActor*> actors;
    Query(metres, actors);
    TestActors(ActorsOf(actors));
  }

  void ExpandingRings() {
    if (Full()) return;
    TArray<AActor*> smaller;
    for (std::int64_t metres = kFirstRingMetres;; metres *= 2) {
      TArray<AActor*> actors;
      Query(metres, actors);
      packsentinel::NewActorsOfRing(ActorsOf(actors), ActorsOf(smaller), newInRing_);
      TestActors(newInRing_);
      if (metres > kLastRingAfterMetres || Full()) return;
      smaller = std::move(actors);
    }
  }

  std::size_t Visited() const { return visited_; }

 private:
  bool Full() const { return static_cast<std::int64_t>(taken_.size()) >= freeSlots_; }

  void Query(std::int64_t metres, TArray<AActor*>& actors) const {
    game_.overlapActors(&actors, world_, centre_, static_cast<float>(metres * kGameUnitsPerMetre),
                        kDinoOctreeGroup, true);
  }

  void TestActors(std::span<AActor* const> actors) {
    packsentinel::VisitActors(actors, [&](AActor* actor) {
      if (Full()) return false;
      ++visited_;
      if (Takes(actor)) taken_.push_back(reinterpret_cast<APrimalDinoCharacter*>(actor));
      return true;
    });
  }

  // A living wild creature of the name and level asked for, tested in the plugin's order.
  bool Takes(AActor* actor) const {
    if (actor == nullptr || !game_.isA(actor, dinoClass_)) return false;
    if (!request_.NameMatches(ViewOf(game_.descriptiveName.Of(actor)))) return false;
    if (game_.targetingTeam.Of(actor) > kWildTeamBound || game_.isDead(actor)) return false;
    if (!request_.LevelGiven()) return true;
    UPrimalCharacterStatusComponent* status = game_.statusComponent.Of(actor);
    return status != nullptr && request_.LevelMatches(game_.characterLevel(status));
  }

  const FloorGame& game_;
  const FloorRequest& request_;
  UWorld* const world_;
  const FVector centre_;
  UClass* const dinoClass_;
  const std::int64_t freeSlots_;
  std::vector<APrimalDinoCharacter*>& taken_;
  std::vector<AActor*> newInRing_;
  std::size_t visited_ = 0;
};

}  // namespace

FloorTrackWildDinos::FloorTrackWildDinos(const FloorGame& game)
    : game_(game), command_(game, "TrackWildDinos") {}

void FloorTrackWildDinos::Run(AShooterPlayerController* controller, std::u16string_view line) {
  const auto words = command_.Open(controller, line);
  if (!words) return;
  if (words->size() < 2) {
    command_.SendUsage(controller, "TrackWildDinosUseHelp");
    return;
  }
  // Without a controller there is nobody to track for, nor to tell.
  if (controller == nullptr) return;
  const FloorRequest request(*words);
  const uint64 playerId = game_.playerId(controller);
  const int32 limit = command_.TrackLimit(playerId);
  // A player who never tracked anything has no count yet, and is never at his limit.
  if (const auto count = counts_.find(playerId); count != counts_.end() && count->second >= limit) {
    command_.Reply(controller, "TrackLimitReached");
    return;
  }
  const std::int64_t freeSlots = std::int64_t{limit} - counts_[playerId];
  Search(controller, request,
         static_cast<int32>(std::clamp<std::int64_t>(freeSlots, std::numeric_limits<int32>::min(),
                                                     std::numeric_limits<int32>::max())));
  for (APrimalDinoCharacter* creature : taken_) {
    records_.push_back({game_.Weak(controller), game_.Weak(creature)});
  }
  counts_[playerId] += static_cast<int32>(taken_.size());

  const std::u16string_view name = request.Name();
  if (taken_.empty()) {
    command_.Reply(controller, "NoDinosFound", name);
  } else if (words->size() == 3) {
    command_.Reply(controller, "TrackingDinosWithLevel", name, (*words)[2], limit);
  } else {
    command_.Reply(controller, "TrackingDinosNoLevel", name, limit);
  }
}

void FloorTrackWildDinos::Search(AShooterPlayerController* controller, const FloorRequest& request,
                                 int32 freeSlots) {
  taken_.clear();
  visited_ = 0;
  AShooterCharacter* character = game_.playerCharacter(controller);
  if (character == nullptr) return;
  USceneComponent* root = game_.rootComponent.Of(character);
  if (root == nullptr) return;
  RingSearch search(game_, request, game_.worldLocation.Of(root), freeSlots, taken_);
  const nlohmann::json& range = CommandSettings("TrackWildDinos").at("MaxTrackRange");
  if (range.get<double>() > 0) {
    search.FixedRadius(ToInt32(range));
  } else {
    search.ExpandingRings();
  }
  visited_ = search.Visited();
}

std::vector<APrimalDinoCharacter*> FloorTrackWildDinos::Recorded() const {
  std::vector<APrimalDinoCharacter*> creatures;
  for (const Record& record : records_) {
    creatures.push_back(game_.Get<APrimalDinoCharacter>(record.creature));
  }
  return creatures;
}

void FloorTrackWildDinos::Forget() {
  records_.clear();
  counts_.clear();
}

}  // namespace bench_support

#include "commands/CreatureSearch.h"

#include <algorithm>
#include <cstdint>
#include <json.hpp>
#include <optional>
#include <vector>

#include "commands/ActorWalk.h"
#include "config/Ranges.h"
#include "core/Config.h"
#include "host/Framework.h"
#include "host/Game.h"

namespace packsentinel {
namespace {

// The expanding search's rings: 100 m, doubled after each until one past 80 km has been searched,
// so that a search that finds too little still ends (eleven rings at most).
constexpr std::int32_t kFirstRingMetres = 100;
constexpr std::int32_t kLastRingAfterMetres = 80000;
constexpr std::int64_t kGameUnitsPerMetre = 100;  // the game's unit is the centimetre
constexpr std::int32_t kDinoOctreeGroup = 2;      // EServerOctreeGroup::DINOPAWNS

// In 64 bits: the widest range a setting can give is past 32 bits of game units.
float RadiusOf(std::int64_t metres) { return static_cast<float>(metres * kGameUnitsPerMetre); }

std::optional<host::Vector> SearchCentre(AShooterPlayerController* controller) {
  AShooterCharacter* character = host::GetPlayerCharacter(controller);
  if (character == nullptr) return std::nullopt;
  USceneComponent* root = host::GetRootComponent(character);
  if (root == nullptr) return std::nullopt;
  return host::GetWorldLocation(root);
}

class Search {
 public:
  Search(const CreatureSearch& request, const host::Vector& centre, std::int32_t freeSlots)
      : request_(request),
        centre_(centre),
        freeSlots_(freeSlots),
        dinoClass_(host::GetDinoClass()) {}

  void FixedRadius(std::int64_t metres) {
    std::vector<AActor*> actors;
    Query(RadiusOf(metres), actors);
    VisitActors(actors, [&](AActor* actor) {
      // Within one call the limit, once reached, stays reached: nothing further can be taken.
      if (LimitReached()) return false;
      APrimalDinoCharacter* dino = AsCreature(actor);
      if (dino != nullptr && Takes(dino)) Record(dino);
      return true;
    });
  }

  void ExpandingRings() {
    if (freeSlots_ <= 0) return;
    std::vector<APrimalDinoCharacter*> recordedThisCall;
    // What the smaller ring returned, kept until the larger one has been walked: the actors it
    // held were tested already, and their outcome cannot have changed.
    std::vector<AActor*> smallerRing;
    std::vector<AActor*> newInRing;
    for (std::int32_t metres = kFirstRingMetres;; metres *= 2) {
      std::vector<AActor*> actors;
      Query(RadiusOf(metres), actors);
      NewActorsOfRing(actors, smallerRing, newInRing);
      VisitActors(newInRing, [&](AActor* actor) {
        if (LimitReached()) return false;
        APrimalDinoCharacter* dino = AsCreature(actor);
        if (dino == nullptr) return true;
        if (std::find(recordedThisCall.begin(), recordedThisCall.end(), dino) !=
            recordedThisCall.end()) {
          return true;
        }
        if (!Takes(dino)) return true;
        Record(dino);
        recordedThisCall.push_back(dino);
        return true;
      });
      if (metres > kLastRingAfterMetres || LimitReached()) return;
      smallerRing = std::move(actors);
    }
  }

  std::int32_t Recorded() const { return recorded_; }

 private:
  void Query(float radius, std::vector<AActor*>& actors) const {
    host::ServerOctreeOverlapActors(actors, host::GetWorld(), centre_, radius, kDinoOctreeGroup,
                                    true);
  }

  // The player's count is his count before the call plus what it recorded, so this is the
  // limit test without asking for his limit again at every candidate.
  bool LimitReached() const { return recorded_ >= freeSlots_; }

  APrimalDinoCharacter* AsCreature(AActor* actor) const {
    return host::AsCreature(actor, dinoClass_);
  }
  // The name first: most creatures a search passes over bear another name, and each test asks
  // the game by name. The tests only read, so their order changes nothing but their cost.
  bool Takes(APrimalDinoCharacter* dino) const {
    const CreatureRequest* asked = request_.request;
    if (asked != nullptr && !asked->NameMatches(host::GetDescriptiveName(dino))) return false;
    return BelongsTo(dino, request_.team) && !host::IsDead(dino) &&
           (asked == nullptr || asked->LevelMatches(dino));
  }

  void Record(APrimalDinoCharacter* dino) {
    AppendDinoEntry(request_.registry, request_.controller, dino);
    ++recorded_;
  }

  const CreatureSearch& request_;
  const host::Vector centre_;
  const std::int32_t freeSlots_;
  UClass* const dinoClass_;
  std::int32_t recorded_ = 0;
};

}  // namespace

std::int32_t SearchAndRecord(const CreatureSearch& request) {
  const std::int32_t freeSlots = RemainingTrackSlots(request.controller);
  const auto centre = SearchCentre(request.controller);
  if (!centre) return 0;
  Search search(request, *centre, freeSlots);
  auto& range = request.section[schema::kMaxTrackRange];
  if (RangeBoundOf(&range).IsAboveZero()) {
    search.FixedRadius(ReadInt32(range));
  } else {
    search.ExpandingRings();
  }
  return search.Recorded();
}

}  // namespace packsentinel

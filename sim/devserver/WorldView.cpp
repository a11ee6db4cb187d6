#include "devserver/WorldView.h"

#include <API/UE/Containers/StandInUtf8.h>

namespace devserver {

std::string Label::Utf8Text() const {
  std::string utf8;
  ArkApiStandIn::AppendUtf8(utf8, text.data(), text.size());
  return utf8;
}

Relation RelationOf(const game::Player& player, const game::Player* viewer) {
  if (viewer == nullptr) return Relation::Player;
  if (&player == viewer) return Relation::Viewer;
  return player.team == viewer->team ? Relation::Mate : Relation::Player;
}

Relation RelationOf(const game::APrimalDinoCharacter& dino, const game::Player* viewer) {
  if (dino.TargetingTeam <= kWildTeamBound) return Relation::WildCreature;
  if (viewer != nullptr && dino.TargetingTeam == viewer->team) return Relation::OwnCreature;
  return Relation::TamedCreature;
}

ActorsByPlace::ActorsByPlace(const game::Game& game) {
  for (const auto* dino : game.Dinos()) {
    const FVector at = dino->Location();
    byPlace_[{at.X, at.Y}].push_back({at.Z, {nullptr, dino}});
  }
  for (const auto& player : game.Players()) {
    if (const auto* body = player->character) {
      const FVector at = body->Location();
      byPlace_[{at.X, at.Y}].push_back({at.Z, {player.get(), nullptr}});
    }
  }
}

LabelTarget ActorsByPlace::Under(const FVector& at) const {
  const auto it = byPlace_.find({at.X, at.Y});
  if (it == byPlace_.end()) return {};
  const Standing* nearest = nullptr;
  for (const auto& standing : it->second) {
    if (standing.z > at.Z) continue;
    if (nearest == nullptr || standing.z > nearest->z) nearest = &standing;
  }
  return nearest ? nearest->target : LabelTarget{};
}

std::string TargetKind(const LabelTarget& target, const game::Player& receiver) {
  if (target.player) {
    switch (RelationOf(*target.player, &receiver)) {
      case Relation::Viewer:
        return "self";
      case Relation::Mate:
        return "mate";
      default:
        return "player";
    }
  }
  if (target.dino) {
    if (target.dino->IsDead()) return "dead creature";
    switch (RelationOf(*target.dino, &receiver)) {
      case Relation::OwnCreature:
        return "tribe";
      case Relation::WildCreature:
        return "wild";
      default:
        return "other tribe";
    }
  }
  return "nothing";
}

}  // namespace devserver

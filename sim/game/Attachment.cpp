// Where actors are: moves and attachment, with every world placement below a moved component and
// the spatial indices kept in step, as the engine updates ComponentToWorld at each move.

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "game/Game.h"

namespace game {
namespace {

FVector Plus(const FVector& a, const FVector& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
FVector Minus(const FVector& a, const FVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

// Leaves its parent where it is in the world.
void Unlink(USceneComponent& component) {
  USceneComponent* parent = std::exchange(component.AttachParent, nullptr);
  if (parent == nullptr) return;
  component.RelativeLocation = component.WorldLocation();
  auto& siblings = parent->AttachChildren;
  siblings.erase(std::find(siblings.begin(), siblings.end(), &component));
}

bool IsAttachedBelow(const USceneComponent* component, const USceneComponent* ancestor) {
  for (const USceneComponent* up = component->AttachParent; up != nullptr; up = up->AttachParent) {
    if (up == ancestor) return true;
  }
  return false;
}

USceneComponent& RootOf(AActor* actor) {
  if (actor->RootComponent == nullptr) {
    throw std::invalid_argument(actor->Handle + " has no root component");
  }
  return *actor->RootComponent;
}

}  // namespace

void Game::Move(AActor* actor, const FVector& to) {
  USceneComponent* root = actor->RootComponent;
  if (root == nullptr) return;
  root->RelativeLocation = root->AttachParent ? Minus(to, root->AttachParent->WorldLocation()) : to;
  Place(root);
}

void Game::Attach(AActor* child, AActor* parent, const FVector& offset) {
  USceneComponent& childRoot = RootOf(child);
  USceneComponent& parentRoot = RootOf(parent);
  if (&childRoot == &parentRoot) {
    throw std::invalid_argument(child->Handle + " cannot be attached to itself");
  }
  if (IsAttachedBelow(&parentRoot, &childRoot)) {
    throw std::invalid_argument("can't attach " + child->Handle + " to " + parent->Handle + ": " +
                                parent->Handle + " is attached to " + child->Handle);
  }
  Unlink(childRoot);
  childRoot.AttachParent = &parentRoot;
  parentRoot.AttachChildren.push_back(&childRoot);
  childRoot.RelativeLocation = offset;
  Place(&childRoot);
}

void Game::Detach(AActor* child) {
  USceneComponent* root = child->RootComponent;
  if (root == nullptr || root->AttachParent == nullptr) {
    throw std::invalid_argument(child->Handle + " is not attached to anything");
  }
  Unlink(*root);
}

void Game::Place(USceneComponent* component) {
  // A walk with its own stack: a long chain of riders must not exhaust the call stack.
  std::vector<USceneComponent*> pending{component};
  while (!pending.empty()) {
    USceneComponent* next = pending.back();
    pending.pop_back();
    // Attached to nothing, the world location is RelativeLocation itself, to the bit.
    const FVector at = next->AttachParent
                           ? Plus(next->AttachParent->WorldLocation(), next->RelativeLocation)
                           : next->RelativeLocation;
    next->ComponentToWorld.Translation = TransformAt(at).Translation;
    if (AActor* owner = next->Owner) {
      if (dinoIndex_.Contains(owner)) dinoIndex_.Move(owner, at);
      if (playerIndex_.Contains(owner)) playerIndex_.Move(owner, at);
    }
    pending.insert(pending.end(), next->AttachChildren.begin(), next->AttachChildren.end());
  }
}

void Game::ReleaseAttachments(USceneComponent* component) {
  auto& children = component->AttachChildren;
  while (!children.empty()) Unlink(*children.back());
  Unlink(*component);
}

}  // namespace game

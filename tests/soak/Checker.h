#pragma once

// The soak's invariants, checked on what the plugin does (events, labels, replies, the game
// allocator's live blocks), never on the plugin's own state:
//   1. no handler reports an error, after any action: every configuration put in force is valid;
//   2. once every creature a player tracked is gone, without him stopping, he tracks exactly his
//      limit again;
//   3. once tracking has ended (every player stopped, or the plugin unloaded), the live blocks
//      are back where they stood before it began;
//   4. per refresh a player is sent at most ten labels over each tribe mate, his tribe-mate
//      entries being capped over all his controllers.
// The session holds every line of the plugin's to a bound of the heap.
// Loads and reloads are also held to their outcome: a valid file is applied, a broken or
// missing one refused.

#include <cstdint>
#include <string>
#include <vector>

#include "soak/Session.h"
#include "soak/SoakConfig.h"
#include "soak/World.h"

namespace soak {

class Checker {
 public:
  // Watches every action of the session from now on.
  Checker(Session& session, World& world, const ConfigInForce& inForce);

  // After a load line: started when the file was valid, else refused and nothing left behind.
  void Loaded(bool fileValid);
  void Unloaded();
  // After a reload line; issuer: a player's name, or "-" for the server console.
  void Reloaded(const std::string& issuer, bool fileValid);

  // Every player tracks his limit of fresh creatures after every creature was destroyed, then
  // everybody stops. The plugin must be loaded.
  void Checkpoint();
  std::uint64_t Checkpoints() const { return checkpoints_; }

 private:
  void NoHandlerErrors() const;
  void MateLabelsWithinCap() const;
  // The labels over creatures that a player was sent during the last action.
  std::vector<const framework::Event*> CreatureLabelsTo(const std::string& player) const;
  void ExpectNoCreatureLabels(const char* when) const;
  void ExpectIdleBlocks(const char* when) const;
  void TickRefresh();

  Session& session_;
  World& world_;
  const ConfigInForce& inForce_;
  // The plugin's live blocks when it had just started and tracked nothing.
  std::int64_t idleBlocks_ = 0;
  std::uint64_t checkpoints_ = 0;
};

}  // namespace soak

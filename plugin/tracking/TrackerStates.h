#pragma once

// What a label refresh asks of each tracker: his controller, his character and whether his
// entries are dropped. Nothing a refresh does changes a tracker, so each is asked once per
// refresh, however many entries he has: every one of those asks is a lookup by name.

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "host/GameTypes.h"
#include "host/WeakRef.h"

namespace packsentinel {

struct TrackerState {
  AShooterPlayerController* controller = nullptr;  // none: gone
  AShooterCharacter* character = nullptr;
  bool gone = true;  // his entries are dropped
  // His team now, read only where asked for and he is not gone: what his entries' creatures
  // must belong to; none, the wild.
  std::optional<std::int32_t> team;
};

class TrackerStates {
 public:
  // Whether a tracker's entries are dropped, given his controller and character (either none).
  using GoneTest = bool (*)(AShooterPlayerController* controller, AShooterCharacter* character);

  explicit TrackerStates(GoneTest isGone, bool readsTeam = false)
      : isGone_(isGone), readsTeam_(readsTeam) {}

  const TrackerState& Of(const host::WeakRef<AShooterPlayerController>& tracker);

 private:
  const GoneTest isGone_;
  const bool readsTeam_;
  std::unordered_map<std::uint64_t, TrackerState> states_;  // by the reference's identity
  // A tracker's entries mostly follow one another: the last one asked is tried first.
  std::uint64_t lastIdentity_ = 0;
  const TrackerState* last_ = nullptr;
};

}  // namespace packsentinel

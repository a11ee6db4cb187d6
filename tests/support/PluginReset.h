#pragma once

// The plugin's code linked into a test or fuzzer process: ends it as detach does, then forgets
// what only the library's release forgets (its tracking and the label updaters' tick counts), as
// a library released and mapped again would.

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/Registries.h"
#include "tracking/TribeDinoLabels.h"
#include "tracking/TribeMemberLabels.h"
#include "tracking/WildDinoLabels.h"

namespace testing_support {

inline void ResetPlugin() {
  packsentinel::Unload();
  packsentinel::WildDinoTrackers.clear();
  packsentinel::TribeDinoTrackers.clear();
  packsentinel::TribeMemberTrackers.clear();
  packsentinel::TrackCounts.clear();
  packsentinel::WildLabelTickCount = 0;
  packsentinel::TribeDinoLabelTickCount = 0;
  packsentinel::MemberLabelTickCount = 0;
}

}  // namespace testing_support

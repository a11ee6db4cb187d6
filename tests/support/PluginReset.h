#pragma once

// The plugin's code linked into a test or fuzzer process: ends it and forgets all tracking, as
// a library released and mapped again would.

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/Registries.h"

namespace testing_support {

inline void ResetPlugin() {
  if (packsentinel::IsLoaded) packsentinel::Unload();
  packsentinel::IsLoaded = false;
  packsentinel::Config = nullptr;
  packsentinel::WildDinoTrackers.clear();
  packsentinel::TribeDinoTrackers.clear();
  packsentinel::TribeMemberTrackers.clear();
  packsentinel::TrackCounts.clear();
}

}  // namespace testing_support

#pragma once

// A crash ends the soak before it can report: while one of these lives, a fatal signal or a
// sanitizer's report also prints the session's seed, action number and last actions.

#include "soak/Session.h"

namespace soak {

class CrashReport {
 public:
  explicit CrashReport(const Session& session);
  ~CrashReport();
  CrashReport(const CrashReport&) = delete;
  CrashReport& operator=(const CrashReport&) = delete;
};

}  // namespace soak

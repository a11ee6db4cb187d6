#pragma once

// A devserver in the test's process with the plugin built beside it, fed scenario lines as a
// script is; what it answered a person (help, who, labels, snapshot) is kept with its errors, in
// the order a person would read them.

#include <sstream>
#include <string>
#include <utility>

#include "devserver/DevServer.h"
#include "devserver/Script.h"
#include "framework/Events.h"
#include "support/TempDir.h"

namespace testing_support {

class DevServerRun {
 public:
  explicit DevServerRun(const std::string& plugin = PLUGIN_PATH)
      : server_({folder_.Path() + "/server", plugin, SHIPPED_CONFIG, folder_.Path()}) {
    // Ticks count on across servers in one process; each run starts where a script does.
    framework::Events().SetTick(0);
  }

  // The script's exit status; its answers and errors are kept for TakeAnswers.
  int Run(const std::string& script) {
    std::istringstream in(script);
    return devserver::RunScript(in, "t.scn", server_, answers_);
  }
  std::string TakeAnswers() { return std::exchange(answers_, std::ostringstream()).str(); }
  // For a line run as the console runs it, with no script around it.
  devserver::DevServer& Server() { return server_; }

  // A file in the test's own folder.
  std::string PathOf(const std::string& name) const { return folder_.Path() + "/" + name; }

 private:
  TempDir folder_;
  devserver::DevServer server_;
  std::ostringstream answers_;
};

// The default world with the plugin loaded, alice tracking rex, her tribe's creatures and her
// mates, one refresh run.
inline const char* kAliceTracksEverything =
    "default-world\nload\nchat alice /trackdino rex\nchat alice /tracktribe on\n"
    "chat alice /trackmates on\ntick 21\n";

}  // namespace testing_support

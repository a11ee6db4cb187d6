#pragma once

// Ctrl-C, SIGTERM and SIGHUP, noted rather than ending the process on the spot, so that devserver
// stops at a point where it can unload the plugin and remove its folder. Ctrl-C stops the command
// being run; the others end the server.

#include <streambuf>
#include <string>

#include "devserver/Words.h"

namespace devserver {

// A command stopped by a signal: what it had done by then.
class Interrupted : public ScenarioError {
 public:
  using ScenarioError::ScenarioError;
};

namespace signals {

// From here on the three signals are noted; the other calls answer nothing before.
void Install();
// From here on a fault of the process (SIGSEGV, SIGBUS) is a server_crash of kind "signal",
// named after it: the server ends as the crash handler says.
void InstallCrashReport();
// A signal came that the work being done should stop for.
bool Pending();
// Takes a Ctrl-C that came: true if one had.
bool TakeCtrlC();
// SIGTERM or SIGHUP came.
bool Terminating();
// The signal the process is to end with, 0 for none: SIGTERM or SIGHUP, or a Ctrl-C not taken.
int Ending();
std::string Name(int signal);
// Readable once a signal came, for a loop that waits on input; Drain empties it.
int WakeFd();
void Drain();
// After the clean-up: ends the process as the signal would have, so its parent learns why.
[[noreturn]] void EndWith(int signal);

// Standard input that reads as ended once a signal came, where a plain read would wait on. A
// read that fails throws std::ios_base::failure with the system's error.
class Stdin : public std::streambuf {
 protected:
  int_type underflow() override;

 private:
  [[noreturn]] static void ThrowReadError();

  char buffer_[4096];
};

}  // namespace signals
}  // namespace devserver

#pragma once

// A scenario file run line by line.

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

#include "devserver/DevServer.h"

namespace devserver {

// devserver's own output failed, the events lost: the run ends there, as at a failed read of the
// script.
class OutputFailed : public std::system_error {
 public:
  using std::system_error::system_error;
};

// Runs one line as a script or the console does: help is answered on answers and a config
// block's lines are collected; false, running nothing, for quit or exit alone on its line.
bool RunLine(DevServer& server, std::string_view line, std::ostream& answers);

// Runs a scenario to its end (or to a quit): 0, or 1 at the first line that cannot be run (or
// held in memory), with the reason written to errors as "NAME:LINE: reason", or once a signal
// came; 2 when a read of the script fails, which is no end of it, or the output does
// (OutputFailed). Lines may end in CRLF. Answers
// to a person (help, who, labels, snapshot) go to errors too, so that standard output keeps only
// events.
// runningLine, when given, holds the number of the line being run, and 0 once the script ends.
int RunScript(std::istream& in, const std::string& name, DevServer& server, std::ostream& errors,
              int* runningLine = nullptr);

}  // namespace devserver

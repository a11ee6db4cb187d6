#pragma once

// The plugin's log channel over the framework's shared log sinks.

#include <string>

namespace host {

// Opens the channel under name: "%D %R [%n][%l] %v" in local time, flushed at info and above.
// Replaces a channel opened before.
void OpenLog(const std::string& name);
bool IsLogOpen();

// Lines go out as they stand: braces in them are text, not placeholders. Nothing is written
// before OpenLog.
void LogError(const std::string& text);
void LogWarning(const std::string& text);
void FlushLog();

}  // namespace host

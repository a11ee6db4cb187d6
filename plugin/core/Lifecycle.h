#pragma once

// Start-up, shut-down and the registrations that connect the plugin's handlers to the host.

#include <cstdint>
#include <string_view>

namespace packsentinel {

// Set by a Load that got as far as registering; cleared if that start-up fails.
extern bool IsLoaded;
// The label refresh period in ticks, fixed from Load to Unload.
extern std::int32_t TextUpdatePeriod;

// Logs a fault of the host that would otherwise repeat at every command: once per load.
void LogHostFaultOnce(std::string_view text);

// Reads the configuration and registers everything. On failure it logs the error once,
// withdraws whatever it had registered and raises the error.
void Load();
void Unload();

void RegisterCommands();
// Withdraws exactly what RegisterCommands registered, whatever the configuration says now.
void RemoveCommands();
void RegisterTickCallbacks();
void RemoveTickCallbacks();

}  // namespace packsentinel

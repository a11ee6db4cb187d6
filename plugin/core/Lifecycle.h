#pragma once

// Start-up, shut-down and the registrations that connect the plugin's handlers to the host.

#include <cstdint>
#include <string_view>

namespace packsentinel {

// Where the plugin stands: not loaded once its library is mapped and after Unload, loaded after a
// Load that returned normally, failed after one that raised (with nothing registered).
enum class PluginState { NotLoaded, Loaded, Failed };
PluginState State();
bool IsLoaded();

// The label refresh period in ticks, fixed from Load to Unload.
extern std::int32_t TextUpdatePeriod;

// Logs a fault of the host that would otherwise repeat at every command: once per load.
void LogHostFaultOnce(std::string_view text);

// Reads the configuration afresh and registers everything; a loaded plugin is unloaded first, so
// that nothing is registered twice. On failure it logs the error once, withdraws whatever it had
// registered and raises the error.
void Load();
// Withdraws everything and forgets the configuration, so that the plugin is not loaded and a
// later Load starts afresh. Tracking entries and counts stay until the library leaves the process.
void Unload();

// "Packsentinel.Reload", from the console and over RCON: registered at Load, withdrawn at Unload
// only, never by the reload it runs.
void RegisterReloadCommand();
void RemoveReloadCommand();
// The chat words of the configuration in force; a reload withdraws and registers them again.
void RegisterChatCommands();
// Withdraws exactly what RegisterChatCommands registered, whatever the configuration says now.
void RemoveChatCommands();
void RegisterTickCallbacks();
void RemoveTickCallbacks();

}  // namespace packsentinel

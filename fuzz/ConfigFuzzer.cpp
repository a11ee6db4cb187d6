// config.json bytes: a start-up with them, then a reload to them from a sound configuration,
// each followed by every command and a few ticks (a configuration that loads may refresh
// labels seldom; the reload keeps the sound one's period, every tick).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzServer.h"

namespace {

void UseEveryCommand(fuzz::FuzzServer& server) {
  for (const char* line :
       {"/trackdino rex", "/trackdino rex 30", "/tracktribe on", "/trackmates on", "/finddino r",
        "/finddino rex 150", "/trackdino", "/trackdino nothing"}) {
    for (unsigned player = 0; player < 3; ++player) server.Chat(player, line);
  }
  server.Tick(2);
  server.Chat(0, "/stoptrack");
  server.Tick(1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& server = fuzz::Server();
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  server.WriteConfig(text);
  if (server.Load()) {
    UseEveryCommand(server);
    server.Reload(1);
    UseEveryCommand(server);
  }
  server.Unload();

  server.WriteSoundConfig();
  if (!server.Load()) __builtin_trap();  // the shipped configuration always starts
  server.WriteConfig(text);
  server.Reload(2);
  UseEveryCommand(server);
  server.Unload();
  return 0;
}

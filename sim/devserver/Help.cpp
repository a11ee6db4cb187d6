#include <fmt/format.h>

#include "devserver/DevServer.h"

namespace devserver {

std::string HelpText() {
  return fmt::format(R"(Server and plugin
  default-world                       spawn the default world and write the shipped config.json
  config <<END ... END                write the lines between as config.json
  config-file PATH                    copy the file PATH (relative to the script) to config.json
  config-set POINTER JSON             set a value in config.json, e.g. config-set /UpdateTextEvery 5
  config-remove POINTER               remove a value from config.json
  config-delete                       delete config.json
  load / unload                       load or unload the plugin
  world [lat_scale=F] [lat_origin=F] [lon_scale=F] [lon_origin=F]
Actors (positions in game units, 100 = 1 metre)
  player NAME steam=U64 data=N [tribe=T] [team=N] [groups=G1,G2] [at X Y Z] [unmapped]
  dino NAME "Descriptive Name" [level=N] [team=N] [at X Y Z]
  dinos COUNT "Descriptive Name" [spread=F] [seed=N] [max-level=N] [team=N]
                      spread: half the side of the square around the origin, 0 or more
  move NAME X Y Z
  set NAME FLAG...    creature: dead alive sleeping awake destroying health=F level=N team=N name="..."
                      player: dead alive respawning respawned connected disconnected
                              nocharacter character team=N
  destroy NAME        a creature, or a player's character
  disconnect NAME / reconnect NAME [keep-old]
  groups NAME G1,G2   (- for none)
  tribe NAME T / tribe NAME none
Interaction
  chat NAME TEXT      (chat - TEXT: no controller)
  console NAME TEXT   (console - TEXT: the server console)
  tick [N]
  snapshot FILE.svg [NAME]
  stats               live game allocations, and the overlap queries since the last stats:
                      their count and the radii of the last {}
Console only
  help, quit
)",
                     game::Game::kKeptRadii);
}

}  // namespace devserver

#include <fmt/format.h>

#include <sstream>

#include "devserver/DevServer.h"
#include "devserver/Words.h"

namespace devserver {
namespace {

// An entry of the help text is a line indented by two, with the lines indented deeper after it.
bool StartsEntry(std::string_view line) {
  return line.size() > 2 && line.substr(0, 2) == "  " && line[2] != ' ';
}

// The command words an entry names: "load / unload" names both. Its description, after a gap of
// two spaces or more, names none.
bool Names(std::string_view entry, std::string_view command) {
  const auto gap = entry.find("  ", 2);
  for (const auto& word : SplitWords(entry.substr(0, gap))) {
    if (word.text == command) return true;
  }
  return false;
}

std::string HelpFor(std::string_view command) {
  std::istringstream text(HelpText());
  std::string answer, line;
  bool inMatch = false;
  while (std::getline(text, line)) {
    if (StartsEntry(line)) {
      inMatch = Names(line, command);
    } else if (line.empty() || line[0] != ' ') {
      inMatch = false;  // a heading
    }
    if (inMatch) answer += line + "\n";
  }
  if (answer.empty()) throw ScenarioError("no command " + Excerpt(command) + "; help lists them");
  return answer;
}

}  // namespace

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
  stats               live game allocations, and the overlap queries since the last stats:
                      their count and the radii of the last {}
Seeing the state (answers go where help's do)
  who                 players (position, tribe, team, groups, connection, character) and the
                      creatures counted by kind: wild, and tamed by team; dead and asleep
  labels NAME         the labels NAME was sent at the last tick he was sent any: colour,
                      what each floats over, where, and its text a line at a time
  snapshot FILE.svg [NAME] [radius=M]
                      an SVG map with a legend, a scale in metres, the tick and a title: the
                      whole world and every player's last labels; with NAME, his view and his
                      labels; with radius=M, M metres around him
Help and leaving
  help [COMMAND]      every command, or one (from a script, written beside its errors)
  quit                (console) stop the server
)",
                     game::Game::kKeptRadii);
}

bool AnswerHelp(std::string_view line, std::ostream& out) {
  // Only a help line is split: a chat line may hold any quotes.
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos || line.substr(start, 4) != "help") return false;
  if (line.size() > start + 4 && line[start + 4] != ' ') return false;
  const auto words = SplitWords(line);
  if (words.size() > 2) throw ScenarioError("help [COMMAND]");
  out << (words.size() == 1 ? HelpText() : HelpFor(words[1].text));
  return true;
}

}  // namespace devserver

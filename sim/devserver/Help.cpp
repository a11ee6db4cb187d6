#include <fmt/format.h>

#include "devserver/DevServer.h"
#include "devserver/Words.h"

namespace devserver {
namespace {

struct Command {
  std::string_view name;
  std::string_view arguments;
  std::string what;  // lines after the first continue below it
  std::string_view example;
};

struct Section {
  std::string_view heading;
  std::vector<Command> commands;
};

const std::vector<Section>& Sections() {
  static const std::vector<Section> sections = {
      {"Server and plugin",
       {
           {"default-world", "", "spawn the default world and write the shipped config.json",
            "default-world"},
           {"config", "<<END ... END",
            "write the lines up to the line END as config.json (any word may follow <<)",
            "config <<END\n{\"UpdateTextEvery\": 5}\nEND"},
           {"config-file", "PATH",
            "copy the file PATH to config.json: PATH relative to the script's folder,\n"
            "or at the console and from standard input to the folder devserver runs in",
            "config-file my-config.json"},
           {"config-set", "POINTER JSON", "set the value at a JSON pointer in config.json",
            "config-set /UpdateTextEvery 5"},
           {"config-remove", "POINTER", "remove the value at a JSON pointer from config.json",
            "config-remove /UpdateTextEvery"},
           {"config-delete", "", "delete config.json", "config-delete"},
           {"load", "", "load the plugin", "load"},
           {"unload", "", "unload the plugin", "unload"},
           {"world", "[lat_scale=F] [lat_origin=F] [lon_scale=F] [lon_origin=F]",
            "the map's coordinate settings, each 0 until set", "world lat_scale=800 lon_scale=800"},
       }},
      {"Actors (positions in game units, 100 = 1 metre)",
       {
           {"player",
            "NAME steam=U64 data=N [tribe=T] [team=N] [groups=G1,G2] [at X Y Z] [unmapped]",
            "a player connects, with a living character at 0 0 0 unless at is given",
            "player frank steam=76561198000000009 data=9 tribe=50001 at 1000 0 0"},
           {"dino", "NAME \"Descriptive Name\" [level=N] [team=N] [at X Y Z]",
            "spawn a creature, level 1 and wild unless told",
            "dino rex9 \"Rex\" level=120 at 500 0 0"},
           {"dinos", "COUNT \"Descriptive Name\" [spread=F] [seed=N] [max-level=N] [team=N]",
            "spawn COUNT creatures at random; spread: half the side of the square\n"
            "around the origin, 0 or more",
            "dinos 1000 Dodo spread=100000 seed=7"},
           {"move", "NAME X Y Z", "move a creature or a player's character", "move bob 0 -2000 0"},
           {"set", "NAME FLAG...",
            "creature: dead alive sleeping awake destroying health=F level=N team=N name=\"...\"\n"
            "player: dead alive respawning respawned connected disconnected\n"
            "        nocharacter character team=N",
            "set rex1 sleeping health=50"},
           {"destroy", "NAME", "destroy a creature, or a player's character", "destroy rex1"},
           {"disconnect", "NAME", "the player's controller goes; his character stays",
            "disconnect bob"},
           {"reconnect", "NAME [keep-old]",
            "a new controller and a living, connected character; keep-old keeps\n"
            "the old controller",
            "reconnect bob"},
           {"groups", "NAME G1,G2", "replace his permission groups (- for none)",
            "groups eve Admins,Vip"},
           {"tribe", "NAME T|none", "join tribe T, or leave his tribe", "tribe carol 50001"},
       }},
      {"Interaction",
       {
           {"chat", "[mode=M] NAME TEXT",
            "NAME types TEXT in chat (chat - TEXT: no player behind it), sent global,\n"
            "or in mode tribe, local or alliance",
            "chat alice /trackdino rex\nchat mode=tribe alice /tracktribe on"},
           {"console", "NAME TEXT",
            "a console command from NAME (console - TEXT: the server console)",
            "console alice Packsentinel.Reload"},
           {"rcon", "TEXT", "an authenticated RCON client sends TEXT; replies are rcon_reply",
            "rcon Packsentinel.Reload"},
           {"fault", "NAME throw [COUNT]",
            "the game function NAME throws on its next COUNT calls (default 1);\n"
            "fault clear ends every fault",
            "fault AShooterPlayerController.ClientChatMessage throw"},
           {"forget", "NAME",
            "the game no longer has NAME, as after an update: the resolver answers it\n"
            "with offset 0, as the real one does",
            "forget APrimalCharacter.bIsDead"},
           {"tick", "[N]", "run N server ticks (default 1); Ctrl-C stops a long run", "tick 21"},
           {"stats", "",
            fmt::format("live game allocations, and the overlap queries since the last stats:\n"
                        "their count and the radii of the last {}",
                        game::Game::kKeptRadii),
            "stats"},
       }},
      {"Seeing the state (answers go where help's do)",
       {
           {"who", "",
            "players (position, tribe, team, groups, connection, character) and the\n"
            "creatures counted by kind: wild, and tamed by team; dead and asleep",
            "who"},
           {"labels", "NAME",
            "the labels NAME was last sent, when, and how long ago: colour, what each\n"
            "floats over, where, and its text a line at a time",
            "labels alice"},
           {"snapshot", "FILE.svg [NAME] [radius=M]",
            "an SVG map with a legend, a scale in metres, the tick and a title: the\n"
            "whole world and every player's last labels; with NAME, his view and his\n"
            "labels; with radius=M, M metres around him",
            "snapshot map.svg alice radius=120"},
       }},
      {"Help and leaving",
       {
           {"help", "[COMMAND]",
            "every command, or one with an example (from a script, written beside\n"
            "its errors)",
            "help tick"},
           {"quit", "", "end the session, or the script", "quit"},
           {"exit", "", "the same as quit", "exit"},
       }},
  };
  return sections;
}

constexpr std::size_t kDescriptionColumn = 22;

// Lines after the first, indented to the description's column.
std::string Indented(std::string_view text) {
  std::string out;
  for (const auto line : SplitLines(text)) {
    out += fmt::format("{:{}}{}\n", "", kDescriptionColumn, line);
  }
  return out;
}

// "  tick [N]            run N …": the description beside the usage, or below it when the usage
// reaches its column.
std::string Entry(const Command& command) {
  std::string usage(command.name);
  if (!command.arguments.empty()) usage += fmt::format(" {}", command.arguments);
  const auto lines = SplitLines(command.what);
  std::string out = usage.size() + 3 <= kDescriptionColumn
                        ? fmt::format("  {:<{}}{}\n", usage, kDescriptionColumn - 2, lines[0])
                        : fmt::format("  {}\n", usage) + Indented(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) out += Indented(lines[i]);
  return out;
}

const Command& Named(std::string_view name) {
  for (const auto& section : Sections()) {
    for (const auto& command : section.commands) {
      if (command.name == name) return command;
    }
  }
  const std::string nearest = DidYouMean(name, CommandNames());
  throw ScenarioError(fmt::format("no command {}{}", Excerpt(name),
                                  nearest.empty() ? "; help lists them" : nearest));
}

std::string HelpFor(std::string_view name) {
  const auto& command = Named(name);
  const auto example = SplitLines(command.example);
  std::string out = Entry(command) + Indented("e.g. " + std::string(example[0]));
  for (std::size_t i = 1; i < example.size(); ++i)
    out += Indented(fmt::format("     {}", example[i]));
  return out;
}

}  // namespace

std::string HelpText() {
  std::string out;
  for (const auto& section : Sections()) {
    out += fmt::format("{}\n", section.heading);
    for (const auto& command : section.commands) out += Entry(command);
  }
  return out;
}

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const auto& section : Sections()) {
    for (const auto& command : section.commands) names.push_back(command.name);
  }
  return names;
}

bool AnswerHelp(std::string_view line, std::ostream& out) {
  // Only a help line is split: a chat line may hold any quotes.
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos || line.substr(start, 4) != "help") return false;
  if (line.size() > start + 4 && line[start + 4] != ' ') return false;
  const auto words = SplitWords(line);
  if (words.size() > 2) throw ScenarioError("help takes nothing, or the name of a command");
  out << (words.size() == 1 ? HelpText() : HelpFor(words[1].text));
  return true;
}

}  // namespace devserver

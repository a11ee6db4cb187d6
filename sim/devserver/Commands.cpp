// Every command, in help's order; the order also breaks a did-you-mean's ties.

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

#include "devserver/DevServer.h"
#include "devserver/Reports.h"
#include "framework/Names.h"
#include "game/Allocator.h"

namespace devserver {

namespace {

constexpr std::size_t kAny = SIZE_MAX;
constexpr std::string_view kNothing = "nothing after it";
constexpr std::string_view kPlayersName = "a player's name";

// help's headings.
constexpr std::string_view kServer = "Server and plugin";
constexpr std::string_view kActors = "Actors (positions in game units, 100 = 1 metre)";
constexpr std::string_view kInteraction = "Interaction";
constexpr std::string_view kState = "Seeing the state (answers go where help's do)";
constexpr std::string_view kLeaving = "Help and leaving";

// The game refuses a change it cannot make, naming why; the line is refused with that reason.
template <typename Change>
void AsScenarioError(const Change& change) {
  try {
    change();
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(error.what());
  }
}

}  // namespace

const std::vector<Command> DevServer::kCommands = {
    {{kServer, "default-world", "", "spawn the default world and write the shipped config.json",
      "default-world", 1, 1, kNothing},
     [](DevServer& server, const CommandLine&) { server.SpawnDefaultWorld(); }},
    {{kServer, "config", "<<END ... END",
      "write the lines up to the line END as config.json (any word may follow <<)",
      "config <<END\n{\"UpdateTextEvery\": 5}\nEND", 2, 2,
      "<<END, END being the line that ends the block"},
     [](DevServer& server, const CommandLine& line) {
       const std::string& opening = line.words[1].text;
       if (opening.size() < 3 || opening.substr(0, 2) != "<<")
         throw ScenarioError("config takes <<END");
       server.configBlockEnd_ = opening.substr(2);
     }},
    {{kServer, "config-file", "PATH",
      "copy the file PATH to config.json: PATH relative to the script's folder,\n"
      "or at the console and from standard input to the folder devserver runs in",
      "config-file my-config.json", 2, 2, "the path of a file"},
     [](DevServer& server, const CommandLine& line) { server.CopyConfig(line); }},
    {{kServer, "config-set", "POINTER JSON", "set the value at a JSON pointer in config.json",
      "config-set /UpdateTextEvery 5", 3, kAny, "POINTER JSON"},
     [](DevServer& server, const CommandLine& line) { server.ConfigSet(line); }},
    {{kServer, "config-remove", "POINTER", "remove the value at a JSON pointer from config.json",
      "config-remove /UpdateTextEvery", 2, 2, "a JSON pointer"},
     [](DevServer& server, const CommandLine& line) { server.ConfigRemove(line); }},
    {{kServer, "config-delete", "", "delete config.json", "config-delete", 1, 1, kNothing},
     [](DevServer& server, const CommandLine& line) { server.DeleteConfig(line); }},
    {{kServer, "load", "", "load the plugin", "load", 1, 1, kNothing},
     [](DevServer& server, const CommandLine&) {
       if (server.plugin_.IsLoaded()) throw ScenarioError("the plugin is loaded already");
       server.plugin_.Load();
     }},
    {{kServer, "unload", "", "unload the plugin", "unload", 1, 1, kNothing},
     [](DevServer& server, const CommandLine&) {
       if (!server.plugin_.IsLoaded()) throw ScenarioError("the plugin is not loaded");
       server.plugin_.Unload();
     }},
    {{kServer, "world", "[lat_scale=F] [lat_origin=F] [lon_scale=F] [lon_origin=F]",
      "the map's coordinate settings, each 0 until set", "world lat_scale=800 lon_scale=800", 1,
      kAny, ""},
     [](DevServer& server, const CommandLine& line) { server.SetWorld(line.words); }},
    {{kActors, "player",
      "NAME steam=U64 data=N [tribe=T] [team=N] [groups=G1,G2] [at X Y Z] [unmapped]",
      "a player connects, with a living character at 0 0 0 unless at is given",
      "player frank steam=76561198000000009 data=9 tribe=50001 at 1000 0 0", 2, kAny,
      "NAME steam=U64 data=N"},
     [](DevServer& server, const CommandLine& line) { server.AddPlayer(line.words); }},
    {{kActors, "dino", "NAME \"Descriptive Name\" [level=N] [team=N] [at X Y Z]",
      "spawn a creature, level 1 and wild unless told", "dino rex9 \"Rex\" level=120 at 500 0 0", 3,
      kAny, "NAME \"Descriptive Name\""},
     [](DevServer& server, const CommandLine& line) { server.AddDino(line.words); }},
    {{kActors, "dinos", "COUNT \"Descriptive Name\" [spread=F] [seed=N] [max-level=N] [team=N]",
      "spawn COUNT creatures at random; spread: half the side of the square\n"
      "around the origin, 0 or more",
      "dinos 1000 Dodo spread=100000 seed=7", 3, kAny, "COUNT \"Descriptive Name\""},
     [](DevServer& server, const CommandLine& line) { server.SpawnDinos(line.words); }},
    {{kActors, "move", "NAME X Y Z",
      "move a creature or a player's character; one attached stays attached,\n"
      "at the offset that puts it there, and what is attached to it follows",
      "move bob 0 -2000 0", 5, 5, "a name and a place: X Y Z"},
     [](DevServer& server, const CommandLine& line) {
       server.game_->Move(&server.ActorNamed(line.words[1].text), ParsePlace(line.words, 2));
     }},
    {{kActors, "attach", "NAME PARENT [X Y Z]",
      "attach a creature or a player's character to another, at offset X Y Z\n"
      "(default 0 0 0): it follows PARENT wherever it goes",
      "attach alice rex 0 0 300", 3, 6, "NAME PARENT, then the offset X Y Z if not 0 0 0"},
     [](DevServer& server, const CommandLine& line) {
       const auto& words = line.words;
       if (words.size() == 4 || words.size() == 5) line.command.RefuseWords();
       auto& child = server.ActorNamed(words[1].text);
       auto& parent = server.ActorNamed(words[2].text);
       const FVector offset = words.size() == 6 ? ParsePlace(words, 3) : FVector();
       AsScenarioError([&] { server.game_->Attach(&child, &parent, offset); });
     }},
    {{kActors, "detach", "NAME", "detach a creature or a player's character where it is",
      "detach alice", 2, 2, "a creature's or a player's name"},
     [](DevServer& server, const CommandLine& line) {
       auto& child = server.ActorNamed(line.words[1].text);
       AsScenarioError([&] { server.game_->Detach(&child); });
     }},
    {{kActors, "set", "NAME FLAG...",
      "creature: dead alive sleeping awake destroying health=F level=N team=N name=\"...\"\n"
      "player: dead alive respawning respawned connected disconnected\n"
      "        nocharacter character team=N",
      "set rex1 sleeping health=50", 3, kAny, "NAME FLAG..."},
     [](DevServer& server, const CommandLine& line) {
       if (auto* dino = server.game_->FindDino(line.words[1].text)) {
         server.SetCreatureFlags(*dino, line.words);
       } else {
         server.SetPlayerFlags(server.PlayerNamed(line.words[1].text), line.words);
       }
     }},
    {{kActors, "destroy", "NAME", "destroy a creature, or a player's character", "destroy rex1", 2,
      2, "a creature's or a player's name"},
     [](DevServer& server, const CommandLine& line) {
       if (auto* dino = server.game_->FindDino(line.words[1].text)) {
         server.game_->DestroyDino(dino);
       } else {
         server.game_->DestroyCharacter(server.PlayerNamed(line.words[1].text));
       }
     }},
    {{kActors, "disconnect", "NAME [old]",
      "the player's controller goes; his character stays. old: the controller\n"
      "reconnect keep-old kept logs out, and the framework's player lookup\n"
      "loses his steam id",
      "disconnect bob\ndisconnect bob old", 2, 3,
      "a player's name, then old for the controller reconnect keep-old kept"},
     [](DevServer& server, const CommandLine& line) {
       auto& player = server.PlayerNamed(line.words[1].text);
       if (line.words.size() == 2) {
         server.ExpectConnected(player);
         server.game_->Disconnect(player);
         return;
       }
       if (line.words[2].text != "old") line.command.RefuseWords();
       if (!server.game_->DisconnectKept(player)) {
         throw ScenarioError(Excerpt(player.name) + " has no old controller: reconnect " +
                             Excerpt(player.name) + " keep-old keeps one");
       }
     }},
    {{kActors, "reconnect", "NAME [keep-old]",
      "a new controller and a living, connected character; keep-old keeps\n"
      "the old controller",
      "reconnect bob", 2, 3, "a player's name, then keep-old to keep his old controller"},
     [](DevServer& server, const CommandLine& line) {
       const bool keepOld = line.words.size() == 3;
       if (keepOld && line.words[2].text != "keep-old") line.command.RefuseWords();
       server.game_->Reconnect(server.PlayerNamed(line.words[1].text), keepOld);
     }},
    {{kActors, "groups", "NAME G1,G2", "replace his permission groups (- for none)",
      "groups eve Admins,Vip", 3, 3, "a player's name and his groups: G1,G2, or - for none"},
     [](DevServer& server, const CommandLine& line) {
       server.game_->SetGroups(server.PlayerNamed(line.words[1].text),
                               SplitList(line.words[2].text));
     }},
    {{kActors, "tribe", "NAME T|none", "join tribe T, or leave his tribe", "tribe carol 50001", 3,
      3, "a player's name and a tribe number, or none"},
     [](DevServer& server, const CommandLine& line) {
       auto& player = server.PlayerNamed(line.words[1].text);
       const std::string& tribe = line.words[2].text;
       server.game_->SetTribe(
           player, tribe == "none" ? std::nullopt : std::optional<int32>(ParseInt32(tribe)));
     }},
    {{kActors, "permissions", "cache on|off",
      "on (the default): the permissions plugin answers as its caching releases\n"
      "do, the first check of each player and group \"no\"; off: truly from the\n"
      "first check. groups clears the player's cached answers",
      "permissions cache off", 3, 3, "cache on, or cache off"},
     [](DevServer&, const CommandLine& line) {
       const std::string& state = line.words[2].text;
       if (line.words[1].text != "cache" || (state != "on" && state != "off")) {
         line.command.RefuseWords();
       }
       game::Game::SetPermissionsCaching(state == "on");
     }},
    {{kInteraction, "chat", "[mode=M] NAME TEXT",
      "NAME types TEXT in chat (chat - TEXT: no player behind it), sent global,\n"
      "or in mode tribe, local or alliance",
      "chat alice /trackdino rex\nchat mode=tribe alice /tracktribe on", 2, kAny, "NAME TEXT", 2},
     [](DevServer& server, const CommandLine& line) { server.Speak(line); }},
    {{kInteraction, "console", "NAME TEXT",
      "a console command from NAME (console - TEXT: the server console)",
      "console alice Packsentinel.Reload", 2, kAny, "NAME TEXT", 2},
     [](DevServer& server, const CommandLine& line) { server.Speak(line); }},
    // The client's text is the whole rest of the line, quotes and all, as chat's is.
    {{kInteraction, "rcon", "TEXT",
      "an authenticated RCON client sends TEXT; replies are rcon_reply", "rcon Packsentinel.Reload",
      1, 1, "TEXT", 1},
     [](DevServer& server, const CommandLine& line) {
       const std::string_view text = RestAfter(line.text, line.words, 0);
       if (text.empty()) line.command.RefuseWords();
       if (!server.game_->Rcon(text)) {
         server.Confirm(line.answers, "rcon line: no rcon command took it");
       }
     }},
    {{kInteraction, "fault", "NAME throw [COUNT]",
      "the game function NAME throws on its next COUNT calls (default 1);\n"
      "fault clear ends every fault",
      "fault AShooterPlayerController.ClientChatMessage throw", 2, 4,
      "NAME throw [COUNT], or clear"},
     [](DevServer&, const CommandLine& line) {
       const auto& words = line.words;
       if (words.size() == 2 && words[1].text == "clear") {
         game::Game::ClearFaults();
         return;
       }
       if (words.size() < 3 || words[2].text != "throw") line.command.RefuseWords();
       if (game::IsAllocatorName(words[1].text)) {
         throw ScenarioError(fmt::format(
             "{} can't throw: the game's allocator never does, a failed allocation ends the "
             "server",
             words[1].text));
       }
       const int count =
           words.size() == 4 ? static_cast<int>(ParseInteger(words[3].text, 1, INT32_MAX)) : 1;
       if (!game::Game::Fault(words[1].text, count)) {
         throw ScenarioError(fmt::format("the game has no function {}", Excerpt(words[1].text)));
       }
     }},
    {{kInteraction, "forget", "NAME",
      "the game no longer has NAME, as after an update: the resolver answers it\n"
      "with offset 0, as the real one does",
      "forget APrimalCharacter.bIsDead", 2, 2, "a game name, Class.Member"},
     [](DevServer&, const CommandLine& line) {
       const std::string& name = line.words[1].text;
       if (game::IsAllocatorName(name)) {
         throw ScenarioError(fmt::format(
             "{} can't be forgotten: the stand-in's own texts and arrays reach the allocator by "
             "that name, so no line could run without it",
             name));
       }
       framework::ForgetName(name);
     }},
    {{kInteraction, "tick", "[N]", "run N server ticks (default 1); Ctrl-C stops a long run",
      "tick 21", 1, 2, "a number of ticks, or nothing for one"},
     [](DevServer& server, const CommandLine& line) { server.Tick(line); }},
    {{kInteraction, "stats", "",
      fmt::format("live game allocations, and the overlap queries since the last stats:\n"
                  "their count and the radii of the last {}",
                  game::Game::kKeptRadii),
      "stats", 1, 1, kNothing},
     [](DevServer& server, const CommandLine&) {
       const auto made = server.game_->OverlapQueriesMade();
       const auto radii = server.game_->TakeOverlapQueries();
       framework::Events().Emit(
           "stats",
           {{"live_blocks", game::LiveBlocks()}, {"overlap_queries", made}, {"radii", radii}});
     }},
    {{kState, "who", "",
      "players (position, tribe, team, groups, connection, character) and the\n"
      "creatures counted by kind: wild, and tamed by team; dead and asleep",
      "who", 1, 1, kNothing},
     [](DevServer& server, const CommandLine& line) { line.answers << WhoText(*server.game_); }},
    {{kState, "labels", "NAME",
      "the labels NAME was last sent, when, and how long ago: colour, what each\n"
      "floats over, where, and its text a line at a time",
      "labels alice", 2, 2, kPlayersName},
     [](DevServer& server, const CommandLine& line) {
       const auto& player = server.PlayerNamed(line.words[1].text);
       const auto it = server.labels_.find(player.name);
       line.answers << (it == server.labels_.end() ? player.name + " has been sent no labels\n"
                                                   : LabelsText(*server.game_, player, it->second));
     }},
    {{kState, "snapshot", "FILE.svg [NAME] [radius=M]",
      "an SVG map with a legend, a scale in metres, the tick and a title: the\n"
      "whole world and every player's last labels; with NAME, his view and his\n"
      "labels; with radius=M, M metres around him",
      "snapshot map.svg alice radius=120", 2, 4, "FILE.svg [NAME] [radius=M]"},
     [](DevServer& server, const CommandLine& line) { server.WriteSnapshot(line); }},
    {{kLeaving, "help", "[COMMAND]",
      "every command, or one with an example (from a script, written beside\n"
      "its errors)",
      "help tick", 1, 2, "nothing, or the name of a command"},
     nullptr},
    {{kLeaving, "quit", "", "end the session, or the script", "quit", 1, 1, kNothing}, nullptr},
    {{kLeaving, "exit", "", "the same as quit", "exit", 1, 1, kNothing}, nullptr},
};

const Command* FindCommand(std::string_view name) {
  const auto it = std::ranges::find(DevServer::kCommands, name, &Command::name);
  return it == DevServer::kCommands.end() ? nullptr : &*it;
}

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const auto& command : DevServer::kCommands) names.push_back(command.name);
  return names;
}

}  // namespace devserver

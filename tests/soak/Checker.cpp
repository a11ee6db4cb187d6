#include "soak/Checker.h"

#include <fmt/format.h>

#include <map>

namespace soak {
namespace {

// Each player's checkpoint site, far from the others and from the soak's world: what he finds
// there can only be his own probes.
Position SiteOf(std::size_t player) {
  return {-900000.0 + 150000.0 * static_cast<double>(player), 900000.0, 0.0};
}

// Within a few metres of the site, off the whole numbers the rest of the world stands on.
Position ProbeAt(std::size_t player, std::int32_t index) {
  const Position site = SiteOf(player);
  return {site.x + 60.0 * (index % 8) + 30.5, site.y + 60.0 * (index / 8) + 30.5, 0.0};
}

// Where a player goes back to after a checkpoint, among the soak's creatures.
Position HomeOf(std::size_t player) {
  return {4000.0 * static_cast<double>(player % 4) - 6000.0,
          4000.0 * static_cast<double>(player / 4) - 4000.0, 0.0};
}

// No name contains another's: "probe-1-" is not part of "Probe-11-".
std::string ProbeName(std::size_t player) { return fmt::format("Probe-{}-", player); }

bool IsAt(const framework::Event& label, const Position& at) {
  const auto& where = label["at"];
  return where[0].get<double>() == static_cast<double>(static_cast<float>(at.x)) &&
         where[1].get<double>() == static_cast<double>(static_cast<float>(at.y));
}

// Event texts may hold bytes that are no UTF-8 (a broken file's own, quoted back).
std::string Dumped(const framework::Event& event) {
  return event.dump(-1, ' ', false, framework::Event::error_handler_t::replace);
}

bool IsRed(const framework::Event& event) {
  return event["color"] == framework::Event::array({1.f, 0.f, 0.f, 1.f});
}

}  // namespace

Checker::Checker(Session& session, World& world, const ConfigInForce& inForce)
    : session_(session), world_(world), inForce_(inForce) {
  session_.SetWatcher([this] {
    NoHandlerErrors();
    MateLabelsWithinCap();
  });
}

void Checker::NoHandlerErrors() const {
  for (const auto& event : session_.ActionEvents()) {
    // The plugin logs what its handlers raised as "NAME failed: TEXT".
    if (event["event"] == "log" && event["logger"] == "Packsentinel" &&
        event["text"].get<std::string>().find(" failed: ") != std::string::npos) {
      session_.Fail("a handler failed while a valid configuration was in force: " + Dumped(event));
    }
  }
}

void Checker::MateLabelsWithinCap() const {
  constexpr std::size_t kMemberEntriesPerPlayer = 10;
  // A label's text names its mate, and stands where he does: the same label at the same place
  // in one refresh is one entry's each.
  std::map<std::string, std::size_t> copies;
  for (const auto& event : session_.ActionEvents()) {
    if (event["event"] != "floating_text") continue;
    const std::string label =
        Dumped(framework::Event::array({event["tick"], event["to"], event["at"], event["text"]}));
    if (++copies[label] > kMemberEntriesPerPlayer) {
      session_.Fail(fmt::format("more than {} copies of one mate label in one refresh: {}",
                                kMemberEntriesPerPlayer, label));
    }
  }
}

void Checker::Loaded(bool fileValid) {
  const bool started = session_.PluginLoaded();
  if (fileValid && !started) {
    std::string why;
    for (const auto& event : session_.ActionEvents()) why += "\n  " + Dumped(event);
    session_.Fail("a valid config.json did not start the plugin:" + why);
  }
  if (!fileValid && started) session_.Fail("the plugin started with a broken config.json");
  if (!started && session_.PluginBlocks() != 0) {
    session_.Fail(
        fmt::format("a refused start left {} of the game's blocks live", session_.PluginBlocks()));
  }
  idleBlocks_ = session_.PluginBlocks();
}

void Checker::Unloaded() {
  if (session_.PluginBlocks() != 0) {
    session_.Fail(fmt::format("after the unload, {} of the game's blocks the plugin took are live",
                              session_.PluginBlocks()));
  }
}

void Checker::Reloaded(const std::string& issuer, bool fileValid) {
  bool applied = true;
  bool refused = false;
  if (issuer == "-") {
    // The server console is sent no line; the plugin's log says why it refused.
    for (const auto& event : session_.ActionEvents()) {
      if (event["event"] == "log" && event["level"] == "error") applied = false;
    }
    refused = !applied;
  } else {
    applied = false;
    for (const auto& event : session_.ActionEvents()) {
      if (event["event"] != "server_chat" || event["to"] != issuer) continue;
      if (event["text"] == "Reloaded config" && !IsRed(event)) applied = true;
      if (IsRed(event)) refused = true;
    }
  }
  if (fileValid && (!applied || refused)) session_.Fail("a valid config.json was not applied");
  if (!fileValid && (applied || !refused)) {
    session_.Fail("a broken or missing config.json was not refused in red");
  }
}

void Checker::Checkpoint() {
  ++checkpoints_;
  const auto& players = world_.Players();
  for (std::size_t i = 0; i < players.size(); ++i) {
    world_.Restore(i);
    world_.Move(players[i].name, SiteOf(i));
  }
  world_.DestroyAllCreatures();
  // The probes take the memory and object slots of the creatures just destroyed, so an entry
  // that still followed one of those would show over a probe.
  std::vector<std::int32_t> limits;
  for (std::size_t i = 0; i < players.size(); ++i) {
    limits.push_back(inForce_.config.LimitFor(players[i].groups));
    for (std::int32_t k = 0; k < limits[i] + 3; ++k) {
      world_.Spawn({ProbeName(i), 1, 0, ProbeAt(i, k)});
    }
  }
  TickRefresh();
  ExpectNoCreatureLabels("after every tracked creature was destroyed");

  const auto words = inForce_.config.Words();
  for (std::size_t i = 0; i < players.size(); ++i) {
    session_.Run(fmt::format("chat {} {} {}", players[i].name, words.trackDino, ProbeName(i)));
  }
  TickRefresh();
  for (std::size_t i = 0; i < players.size(); ++i) {
    const auto labels = CreatureLabelsTo(players[i].name);
    std::int32_t overProbes = 0;
    for (const auto* label : labels) {
      for (std::int32_t k = 0; k < limits[i] + 3; ++k) overProbes += IsAt(*label, ProbeAt(i, k));
    }
    if (overProbes != limits[i] || labels.size() != static_cast<std::size_t>(limits[i])) {
      session_.Fail(fmt::format(
          "{} may track {} creatures and all he tracked were destroyed; tracking {} near him, "
          "he got {} labels, {} of them over those",
          players[i].name, limits[i], limits[i] + 3, labels.size(), overProbes));
    }
  }

  for (const auto& player : players) {
    session_.Run(fmt::format("chat {} {}", player.name, words.stopTrack));
  }
  TickRefresh();
  ExpectNoCreatureLabels("after every player stopped tracking");
  ExpectIdleBlocks("after every player stopped tracking");

  world_.DestroyAllCreatures();
  for (std::size_t i = 0; i < players.size(); ++i) world_.Move(players[i].name, HomeOf(i));
}

std::vector<const framework::Event*> Checker::CreatureLabelsTo(const std::string& player) const {
  std::vector<const framework::Event*> labels;
  for (const auto& event : session_.ActionEvents()) {
    if (event["event"] == "debug_string" && event["to"] == player) labels.push_back(&event);
  }
  return labels;
}

void Checker::ExpectNoCreatureLabels(const char* when) const {
  for (const auto& event : session_.ActionEvents()) {
    if (event["event"] == "debug_string") {
      session_.Fail(fmt::format("a creature label {}: {}", when, Dumped(event)));
    }
  }
}

void Checker::ExpectIdleBlocks(const char* when) const {
  if (session_.PluginBlocks() != idleBlocks_) {
    session_.Fail(fmt::format(
        "{}, the plugin holds {} live blocks of the game's allocator; it held {} when it had "
        "just started",
        when, session_.PluginBlocks(), idleBlocks_));
  }
}

void Checker::TickRefresh() {
  // Each kind of label is refreshed once in any run of this many ticks.
  session_.Run(fmt::format("tick {}", inForce_.refreshPeriod + 1));
}

}  // namespace soak

#pragma once

// The devserver with the real plugin, driven one action at a time. An action is one or more
// scenario lines, run in-process as devserver runs a scenario file. The session numbers the
// actions, keeps the last ones for a failure report, counts ticks, keeps the events of the
// running action that a check reads, and keeps the plugin's share of the game allocator's live
// blocks.

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "devserver/DevServer.h"
#include "framework/Events.h"
#include "support/TempDir.h"

namespace soak {

class SoakFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Far above what any line of the soak's world needs (its largest refresh, a reply to its longest
// chat line), far below what a reply or label that grows with what was typed would take.
inline constexpr std::size_t kMostHeapPerLine = std::size_t{64} << 20;

class Session {
 public:
  Session(const std::string& pluginPath, std::uint32_t seed);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the action's lines, then the watcher. A line the devserver cannot run fails the soak.
  void Run(const std::string& action);
  // Called after every action, with the action's events at hand.
  void SetWatcher(std::function<void()> watcher) { watcher_ = std::move(watcher); }
  [[noreturn]] void Fail(const std::string& why) const;

  // What the running (or last) action caused, of the kinds the checks read.
  const std::vector<framework::Event>& ActionEvents() const { return actionEvents_; }
  // Blocks taken and not given back while the plugin's code ran: chat and console lines,
  // ticks, load and unload. Other lines only change the game (spawns, names, tribe lists),
  // whose blocks are none of the plugin's doing.
  std::int64_t PluginBlocks() const { return pluginBlocks_; }

  bool PluginLoaded() { return server_.Plugin().IsLoaded(); }
  std::uint64_t Actions() const { return actions_; }
  std::uint64_t Ticks() const { return ticks_; }
  std::uint32_t Seed() const { return seed_; }
  // The seed, the action number and the last actions, for reproducing a failure.
  std::string Report() const;

 private:
  void RunLine(const std::string& line);

  std::uint32_t seed_;
  testing_support::TempDir dir_;
  devserver::DevServer server_;
  std::function<void()> watcher_;
  std::vector<framework::Event> actionEvents_;
  std::deque<std::string> recent_;
  std::uint64_t actions_ = 0;
  std::uint64_t ticks_ = 0;
  std::int64_t pluginBlocks_ = 0;
};

}  // namespace soak

#pragma once

// A running game for a test: names registered, events kept for inspection, and every command
// a test registered withdrawn afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Events.h"
#include "game/Game.h"

namespace testing_support {

class GameFixture : public ::testing::Test {
 protected:
  GameFixture() {
    auto& events = framework::Events();
    events.SetMode(framework::EventLog::Mode::Record);
    events.SetRetain(true);
    events.ClearRetained();
  }
  ~GameFixture() override {
    framework::Events().SetRetain(false);
    framework::Events().ClearRetained();
  }

  // The retained events of one kind, in order.
  static std::vector<framework::Event> EventsOf(const std::string& kind) {
    std::vector<framework::Event> found;
    for (const auto& event : framework::Events().Retained()) {
      if (event["event"] == kind) found.push_back(event);
    }
    return found;
  }

  game::Player& AddPlayer(const std::string& name, uint64 steamId, FVector at = {}) {
    game::PlayerSpec setup;
    setup.name = name;
    setup.steamId = steamId;
    setup.dataId = static_cast<int32>(steamId);
    setup.at = at;
    return game.AddPlayer(setup);
  }

  // A player's controller as the plugin's code takes it.
  static AShooterPlayerController* Controller(const game::Player& player) {
    return reinterpret_cast<AShooterPlayerController*>(player.controller);
  }
  static AShooterPlayerController* Controller(const game::Player* player) {
    return Controller(*player);
  }

  game::Game game;
};

}  // namespace testing_support

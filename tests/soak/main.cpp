// soak [TICKS] [SEED]: plays the real plugin in the stand-in for TICKS server ticks (a million
// by default) from SEED (a fresh one by default), checking the invariants at every checkpoint
// and at the end. Exit status: 0 passed, 1 an invariant failed, 2 bad arguments.

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "soak/Checker.h"
#include "soak/CrashReport.h"
#include "soak/Generator.h"
#include "soak/Session.h"
#include "soak/World.h"

namespace {

constexpr std::uint64_t kDefaultTicks = 1000000;
constexpr std::uint64_t kActionsBetweenCheckpoints = 500;

template <typename Number>
std::optional<Number> ParseNumber(const char* text) {
  try {
    std::size_t end = 0;
    const unsigned long long value = std::stoull(text, &end);
    if (text[end] != '\0' || text[0] == '-' || value > std::numeric_limits<Number>::max()) {
      return std::nullopt;
    }
    return static_cast<Number>(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

soak::Json ReadBaseConfig() {
  std::ifstream in(SOAK_BASE_CONFIG);
  return soak::Json::parse(in);
}

}  // namespace

int main(int argc, char** argv) {
  const auto ticks = argc > 1 ? ParseNumber<std::uint64_t>(argv[1]) : kDefaultTicks;
  const auto seed = argc > 2 ? ParseNumber<std::uint32_t>(argv[2]) : std::random_device{}();
  if (argc > 3 || !ticks || !seed) {
    std::fprintf(stderr, "usage: soak [TICKS] [SEED]\n");
    return 2;
  }
  const auto started = std::chrono::steady_clock::now();
  const auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  fmt::print("soak: {} ticks from seed {}\n", *ticks, *seed);
  std::fflush(stdout);

  const soak::Json base = ReadBaseConfig();
  soak::Session session(SOAK_PLUGIN_PATH, *seed);
  const soak::CrashReport crashReport(session);
  soak::World world(session);
  soak::ConfigInForce inForce{soak::SoakConfig(base)};
  soak::Checker checker(session, world, inForce);
  soak::Generator generator(session, world, checker, inForce, base, *seed);
  try {
    generator.Start();
    std::uint64_t nextCheckpoint = session.Actions() + kActionsBetweenCheckpoints;
    const std::uint64_t progressEvery = std::max<std::uint64_t>(*ticks / 10, 1);
    std::uint64_t nextProgress = progressEvery;
    while (session.Ticks() < *ticks) {
      generator.Step();
      if (session.Actions() >= nextCheckpoint) {
        generator.EnsureLoaded();
        checker.Checkpoint();
        nextCheckpoint = session.Actions() + kActionsBetweenCheckpoints;
      }
      if (session.Ticks() >= nextProgress) {
        fmt::print("soak: {} ticks, {} actions, {} checkpoints, {:.1f} s\n", session.Ticks(),
                   session.Actions(), checker.Checkpoints(), seconds());
        std::fflush(stdout);
        while (nextProgress <= session.Ticks()) nextProgress += progressEvery;
      }
    }
    generator.EnsureLoaded();
    checker.Checkpoint();
    // Tracking also ends with the plugin.
    session.Run("unload");
    checker.Unloaded();
  } catch (const soak::SoakFailure& failure) {
    std::fflush(stdout);
    fmt::print(stderr, "soak FAILED: {}", failure.what());
    return 1;
  }
  fmt::print("soak passed: {} ticks, {} actions, {} checkpoints, seed {} ({:.1f} s)\n",
             session.Ticks(), session.Actions(), checker.Checkpoints(), *seed, seconds());
  return 0;
}

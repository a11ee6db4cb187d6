// The commands that take options after their own words (world, player, dino, dinos, set) and the
// one reading of them: key=value options, flags and "at X Y Z", in any order.

#include <fmt/format.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>

#include "devserver/DevServer.h"

namespace devserver {

using game::APrimalCharacter;

namespace {

constexpr float kMaxSpread = std::numeric_limits<float>::max() / 2;

// A word after a command's own: a name ending in "=" takes the rest of its word as the value it
// sets, "at" the X Y Z after it; any other name is a flag, set with "".
struct Option {
  std::string_view name;
  std::function<void(std::string_view value)> set;
  FVector* at = nullptr;  // where "at X Y Z" goes
};

// Reads words from index first on. A word no option takes is refused ("unknown player option:
// stem=1; did you mean steam=?"), what naming it, once beforeRefusing has had its say.
void ReadOptions(const std::vector<Word>& words, std::size_t first, std::string_view what,
                 const std::vector<Option>& options,
                 const std::function<void()>& beforeRefusing = {}) {
  for (std::size_t i = first; i < words.size(); ++i) {
    const std::string_view word = words[i].text;
    const auto option = std::find_if(options.begin(), options.end(), [&](const Option& known) {
      return known.name.ends_with('=') ? word.starts_with(known.name) : word == known.name;
    });
    if (option == options.end()) {
      if (beforeRefusing) beforeRefusing();
      std::vector<std::string_view> names;
      for (const auto& known : options) names.push_back(known.name);
      // The key is what may be misspelt; the value is the person's own.
      const auto equals = word.find('=');
      const auto key = equals == std::string_view::npos ? word : word.substr(0, equals + 1);
      throw ScenarioError(
          fmt::format("unknown {}: {}{}", what, Excerpt(word), DidYouMean(key, names)));
    }
    if (option->at == nullptr) {
      option->set(word.substr(option->name.size()));
    } else if (i + 3 >= words.size()) {
      throw ScenarioError("at takes X Y Z");
    } else {
      *option->at = ParsePlace(words, i + 1);
      i += 3;
    }
  }
}

}  // namespace

FVector ParsePlace(const std::vector<Word>& words, std::size_t first) {
  return {ParseFloat(words[first].text), ParseFloat(words[first + 1].text),
          ParseFloat(words[first + 2].text)};
}

game::AActor& DevServer::ActorNamed(std::string_view name) {
  if (auto* dino = game_->FindDino(name)) return *dino;
  if (auto* player = game_->FindPlayer(name)) return CharacterOf(*player);
  throw ScenarioError(fmt::format("no creature or player named {}", Excerpt(name)));
}

game::AShooterCharacter& DevServer::CharacterOf(const game::Player& player) {
  if (player.character == nullptr) throw ScenarioError(Excerpt(player.name) + " has no character");
  return *player.character;
}

void DevServer::ExpectConnected(const game::Player& player) {
  if (player.controller == nullptr) throw ScenarioError(Excerpt(player.name) + " is not connected");
}

void DevServer::AddPlayer(const std::vector<Word>& words) {
  game::PlayerSpec setup;
  setup.name = words[1].text;
  std::optional<uint64> steam;
  std::optional<int32> data;
  ReadOptions(words, 2, "player option",
              {{"steam=", [&](auto value) { steam = ParseUnsigned(value); }},
               {"data=", [&](auto value) { data = ParseInt32(value); }},
               {"tribe=", [&](auto value) { setup.tribe = ParseInt32(value); }},
               {"team=", [&](auto value) { setup.team = ParseInt32(value); }},
               {"groups=", [&](auto value) { setup.groups = SplitList(value); }},
               {"at", nullptr, &setup.at},
               {"unmapped", [&](auto) { setup.unmapped = true; }}});
  if (!steam || !data) throw ScenarioError("player needs steam= and data=");
  setup.steamId = *steam;
  setup.dataId = *data;
  try {
    game_->AddPlayer(setup);
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(error.what());
  }
}

void DevServer::AddDino(const std::vector<Word>& words) {
  game::DinoSpec setup;
  setup.name = words[1].text;
  setup.descriptiveName = words[2].text;
  ReadOptions(words, 3, "dino option",
              {{"level=", [&](auto value) { setup.level = ParseInt32(value); }},
               {"team=", [&](auto value) { setup.team = ParseInt32(value); }},
               {"at", nullptr, &setup.at}});
  try {
    game_->SpawnDino(setup);
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(error.what());
  }
}

// Many creatures at once, for sizing the world: nameless, spread at random (seeded) over a
// square around the origin.
void DevServer::SpawnDinos(const std::vector<Word>& words) {
  const auto count = ParseInteger(words[1].text, 0, 10000000);
  float spread = 400000.f;
  unsigned seed = 1;
  int32 maxLevel = 150;
  int32 team = 0;
  const auto readSpread = [&](std::string_view value) {
    spread = ParseFloat(value);
    // The distribution needs -spread <= spread, and a width (2 * spread) that a float holds.
    if (spread < 0.f || spread > kMaxSpread) {
      throw ScenarioError(
          fmt::format("spread must be from 0 to {}: {}", kMaxSpread, Excerpt(value)));
    }
  };
  ReadOptions(
      words, 3, "dinos option",
      {{"spread=", readSpread},
       {"seed=",
        [&](auto value) { seed = static_cast<unsigned>(ParseInteger(value, 0, UINT32_MAX)); }},
       {"max-level=", [&](auto value) { maxLevel = ParseInt32(value); }},
       {"team=", [&](auto value) { team = ParseInt32(value); }}});
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> place(-spread, spread);
  std::uniform_int_distribution<int32> level(1, std::max(1, maxLevel));
  for (long long i = 0; i < count; ++i) {
    game::DinoSpec setup;
    setup.descriptiveName = words[2].text;
    setup.at = {place(random), place(random), 0.f};
    setup.level = level(random);
    setup.team = team;
    game_->SpawnDino(setup);
  }
}

void DevServer::SetCreatureFlags(game::APrimalDinoCharacter& dino, const std::vector<Word>& words) {
  auto& status = *dino.MyCharacterStatusComponent;
  const auto dead = [&](bool value) { dino.SetFlag(APrimalCharacter::kIsDeadBit, value); };
  const auto sleeping = [&](bool value) { dino.SetFlag(APrimalCharacter::kIsSleepingBit, value); };
  const auto alive = [&](auto) {
    dead(false);
    if (status.Health <= 0.f) status.Health = 100.f;
  };
  ReadOptions(words, 2, "creature flag",
              {{"dead", [&](auto) { dead(true); }},
               {"alive", alive},
               {"sleeping", [&](auto) { sleeping(true); }},
               {"awake", [&](auto) { sleeping(false); }},
               {"destroying", [&](auto) { dino.SetDestroying(true); }},
               {"health=", [&](auto value) { status.Health = ParseFloat(value); }},
               {"level=", [&](auto value) { status.Level = ParseInt32(value); }},
               {"team=", [&](auto value) { dino.TargetingTeam = ParseInt32(value); }},
               {"name=", [&](auto value) {
                  dino.DescriptiveName = FString(ArkApi::Tools::Utf8Decode(std::string(value)));
                }}});
}

void DevServer::SetPlayerFlags(game::Player& player, const std::vector<Word>& words) {
  const auto dead = [&](bool value) {
    auto& character = CharacterOf(player);
    character.SetFlag(APrimalCharacter::kIsDeadBit, value);
    if (!value) character.MyCharacterStatusComponent->Health = 100.f;
  };
  const auto connected = [&](bool value) { CharacterOf(player).SetConnected(value); };
  const auto respawning = [&](bool value) {
    ExpectConnected(player);
    player.controller->SetRespawning(value);
  };
  const auto possessed = [&](bool value) { game_->SetCharacterPossessed(player, value); };
  ReadOptions(
      words, 2, "player flag",
      {{"dead", [&](auto) { dead(true); }},
       {"alive", [&](auto) { dead(false); }},
       {"respawning", [&](auto) { respawning(true); }},
       {"respawned", [&](auto) { respawning(false); }},
       {"connected", [&](auto) { connected(true); }},
       {"disconnected", [&](auto) { connected(false); }},
       {"nocharacter", [&](auto) { possessed(false); }},
       {"character", [&](auto) { possessed(true); }},
       {"team=", [&](auto value) { game_->SetTeam(player, ParseInt32(value)); }}},
      // As the flags that need one, any other word is refused first for want of a character.
      [&] { CharacterOf(player); });
}

void DevServer::SetWorld(const std::vector<Word>& words) {
  auto& settings = game_->WorldSettings();
  ReadOptions(words, 1, "world setting",
              {{"lat_scale=", [&](auto value) { settings.LatitudeScale = ParseFloat(value); }},
               {"lat_origin=", [&](auto value) { settings.LatitudeOrigin = ParseFloat(value); }},
               {"lon_scale=", [&](auto value) { settings.LongitudeScale = ParseFloat(value); }},
               {"lon_origin=", [&](auto value) { settings.LongitudeOrigin = ParseFloat(value); }}});
}

}  // namespace devserver

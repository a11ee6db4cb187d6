#include "soak/SoakConfig.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace soak {
namespace {

template <typename T>
const T& Pick(std::mt19937& random, std::span<const T> choices) {
  return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

Json PickJson(std::mt19937& random, std::initializer_list<Json> choices) {
  return Pick(random, std::span<const Json>(choices.begin(), choices.size()));
}

bool Chance(std::mt19937& random, double probability) {
  return std::bernoulli_distribution(probability)(random);
}

// A limit as the plugin reads it: fractions cut, true as 1.
std::int32_t LimitValue(const Json& value) {
  if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
  return static_cast<std::int32_t>(std::trunc(value.get<double>()));
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return text;
}

}  // namespace

SoakConfig SoakConfig::RandomValid(const Json& base, std::mt19937& random) {
  Json config = base;
  auto& commands = config["Commands"];
  if (Chance(random, 0.3)) {
    commands["TrackWildDinos"]["Command"] = "/td";
    commands["TrackTribeDinos"]["Command"] = "/TT";
    commands["TrackTribeMembers"]["Command"] = "/tm";
    commands["FindDinos"]["Command"] = "/Fd";
    commands["StopTrack"]["Command"] = "/st";
  }
  // A wild label's lower bound stays 0: probes stand a few metres from their tracker.
  commands["TrackWildDinos"]["MaxTrackRange"] = PickJson(random, {300, 0, 50.5, -1});
  for (const char* section : {"TrackTribeDinos", "TrackTribeMembers"}) {
    commands[section]["MaxTrackRange"] = PickJson(random, {200, 0, -1, 30, 1e12});
    commands[section]["MinTrackRange"] = PickJson(random, {5, 0, -2, 100});
  }
  commands["TrackTribeMembers"]["Enabled"] = Chance(random, 0.8);
  commands["TrackTribeMembers"]["AllowedGroups"] =
      PickJson(random, {Json::array({"Default"}), Json::array({"Vip"}), Json::array()});
  commands["FindDinos"]["Enabled"] = Chance(random, 0.8);
  commands["FindDinos"]["AllowedGroups"] =
      PickJson(random, {Json::array({"Admins", "Vip"}), Json::array({"Default"}), Json::array()});

  config["MaxTrackPerPlayer"] = PickJson(random, {0, 1, 3, 10, 10, 25, true, 2.9, -3});
  if (Chance(random, 0.15)) {
    config.erase("MaxTrackPerGroup");
  } else {
    config["MaxTrackPerGroup"] =
        PickJson(random, {Json{{"Vip", 20}, {"Admins", 50}}, Json{{"Vip", 2}, {"Admins", 5}},
                          Json{{"Vip", -4}, {"Admins", 1}}, Json{{"Default", 4}, {"Vip", 7}},
                          Json::object()});
  }
  config["UpdateTextEvery"] = PickJson(random, {0, 3, 20, 30});

  auto& messages = config["Messages"];
  if (Chance(random, 0.5)) {
    messages["TrackingDinosWithLevel"] =
        PickJson(random, {"{2} max: {0} ({1})", "{0:>10}|{1:<5}|{2:^7}|{{}}"});
    messages["TrackingDinosNoLevel"] =
        PickJson(random, {"{1} max {0:>12}|{{}}", "Ünï {0} {0} {1:<3}", "{} {}"});
    // The last repeats the name as often as the check allows.
    std::string repeated;
    for (int i = 0; i < 40; ++i) repeated += "{0}";
    messages["NoDinosFound"] = PickJson(random, {"{{{}}}", "名前 {0:.3}", repeated});
    messages["TrackWildDinosUseHelp"] = "{:*^30}";
    messages["MessageSender"] = "Pack{{sentinel}}";
  }
  if (Chance(random, 0.2)) messages.erase("StopTrackingSuccess");

  auto& labels = config["FloatingTexts"];
  if (Chance(random, 0.5)) {
    labels["TrackWildDinosText"] =
        PickJson(random, {"{DINONAME} {dinolevel}", "{dinoName}{unknown} {dinoDistance}",
                          "{{}} {:>9} {dinoName}", "", std::string(190, '#') + "{dinoName}"});
    labels["TrackTribeDinosText"] =
        PickJson(random, {"{spaces}{spaces}{dinoName}\n{dinoDistance}", "{dinoLevel}"});
    labels["TrackTribeMembersText"] =
        PickJson(random, {"{playerName}{playerName} {playerDistance}m", "{spaces}{playerName}"});
  }
  if (Chance(random, 0.1)) config["MaxTrackPerPlayers"] = 5;  // a typo: a warning only
  return SoakConfig(std::move(config));
}

CommandWords SoakConfig::Words() const {
  const auto& commands = document_["Commands"];
  const auto word = [&](const char* section) {
    return commands[section]["Command"].get<std::string>();
  };
  return {word("TrackWildDinos"), word("TrackTribeDinos"), word("TrackTribeMembers"),
          word("FindDinos"), word("StopTrack")};
}

std::int32_t SoakConfig::LimitFor(const std::vector<std::string>& groups) const {
  std::int32_t limit = 0;
  bool inAnyGroup = false;
  if (const auto byGroup = document_.find("MaxTrackPerGroup"); byGroup != document_.end()) {
    for (const auto& group : groups) {
      if (const auto value = byGroup->find(group); value != byGroup->end()) {
        inAnyGroup = true;
        limit = std::max(limit, LimitValue(*value));
      }
    }
  }
  if (!inAnyGroup) limit = LimitValue(document_["MaxTrackPerPlayer"]);
  return std::max(limit, 0);
}

std::int32_t SoakConfig::UpdatePeriod() const {
  return std::max(LimitValue(document_["UpdateTextEvery"]), 0);
}

std::string RandomBrokenConfig(const Json& base, std::mt19937& random) {
  Json config = SoakConfig::RandomValid(base, random).Document();
  auto& commands = config["Commands"];
  auto& messages = config["Messages"];
  switch (std::uniform_int_distribution(0, 17)(random)) {
    case 0: {
      const std::string text = config.dump();
      return text.substr(0, std::uniform_int_distribution<std::size_t>(1, text.size() - 2)(random));
    }
    case 1:
      return "\xff\xfe{\"Commands\": [";
    case 2:
      messages["TrackingDinosNoLevel"] = "Tracking {2}";
      break;
    case 3:
      messages["NoPermissions"] = "{x}";
      break;
    case 4:
      messages["StopTrackingSuccess"] = "a lone { brace";
      break;
    case 5:
      messages["NoDinosFound"] = "{:>{}}";
      break;
    case 6:
      messages["NoDinosFound"] = "{:>4001}";
      break;
    case 7:
      messages["StopTrackingSuccess"] = std::string(4001, 'x');
      break;
    case 8:
      commands["FindDinos"]["Command"] = Upper(commands["TrackWildDinos"]["Command"]);
      break;
    case 9:
      commands["StopTrack"]["Command"] = "";
      break;
    case 10:
      commands["TrackWildDinos"]["Command"] = "/track dino";
      break;
    case 11:
      config["MaxTrackPerPlayer"] = "ten";
      break;
    case 12:
      commands["TrackTribeDinos"]["Enabled"] = "yes";
      break;
    case 13:
      commands["TrackWildDinos"]["AllowedGroups"] = "Default";
      break;
    case 14:
      config["MaxTrackPerGroup"] = {{"Vip", "x"}};
      break;
    case 15: {
      Json deep = 1;
      for (int i = 0; i < 40; ++i) deep = Json::array({deep});
      config["Deep"] = deep;
      break;
    }
    case 16:
      commands["StopTrack"].erase("Command");
      break;
    default:
      config["FloatingTexts"]["TrackWildDinosText"] = 5;
      break;
  }
  return config.dump();
}

}  // namespace soak

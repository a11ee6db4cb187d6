#include "core/ReloadCommand.h"

#include <array>
#include <cmath>
#include <exception>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Game.h"
#include "host/Log.h"
#include "host/Text.h"

namespace packsentinel {
namespace {

constexpr Colour kGreen{0, 255, 0, 255};
constexpr Colour kRed{255, 0, 0, 255};
constexpr Colour kYellow{255, 255, 0, 255};

// Chat lines a list of problems may take; the log has all of them.
constexpr std::size_t kProblemLines = 8;

// The sRGB transfer curve of IEC 61966-2-1, one entry per 8-bit value.
const std::array<float, 256>& SrgbToLinear() {
  static const std::array<float, 256> table = [] {
    std::array<float, 256> values{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      values[i] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return values;
  }();
  return table;
}

// Where the reload's outcome goes: the issuing player, in colour, or an RCON client.
template <typename Reply>
concept ReloadReply = requires(Reply reply, Colour colour, host::TextView text) {
  reply(colour, text);
};

// One line a problem, errors in red and warnings in yellow; a long list ends with how many
// more there are.
void SendProblems(ReloadReply auto&& reply, const ConfigProblems& problems) {
  const std::size_t shown = problems.size() <= kProblemLines ? problems.size() : kProblemLines - 1;
  for (std::size_t i = 0; i < shown; ++i) {
    const auto& problem = problems[i];
    reply(problem.severity == Severity::Error ? kRed : kYellow,
          host::DecodeUtf8(Describe(problem)));
  }
  if (shown == problems.size()) return;
  const bool anyError = CountErrors(problems) > 0;
  reply(anyError ? kRed : kYellow,
        host::DecodeUtf8("… and " + std::to_string(problems.size() - shown) + " more"));
}

// The log is written before the issuer is answered: an answer that fails (he left, the RCON
// connection dropped) must not take the file's problems with it.
void Reload(ReloadReply auto&& reply) {
  ConfigProblems warnings;
  try {
    warnings = ReadConfig();
  } catch (const std::exception& error) {
    const auto* rejected = dynamic_cast<const ConfigRejected*>(&error);
    if (rejected) LogConfigProblems(rejected->Problems());
    host::LogError(error.what());
    reply(kRed, host::Widen(error.what()));
    if (rejected) {
      SendProblems(reply, rejected->Problems());
    } else {
      // The file could not be read at all: say which file, and that nothing changed.
      reply(kRed, host::Widen("The configuration in force stays. The file read is "
                              "ArkApi/Plugins/Packsentinel/config.json in the server's folder."));
    }
    return;
  }
  LogConfigProblems(warnings);
  reply(kGreen, host::Widen("Reloaded config"));
  SendProblems(reply, warnings);
}

}  // namespace

void SendServerReply(AShooterPlayerController* controller, Colour colour, host::TextView text) {
  if (controller == nullptr) return;
  const auto& linear = SrgbToLinear();
  const host::LinearColour linearColour{linear[colour.red], linear[colour.green],
                                        linear[colour.blue], colour.alpha / 255.f};
  host::ClientServerChatDirectMessage(controller, text, linearColour, false);
}

void ReloadConfigCommand(AShooterPlayerController* controller, host::TextView /*line*/,
                         bool /*flag*/) {
  Reload([controller](Colour colour, host::TextView text) {
    SendServerReply(controller, colour, text);
  });
}

// One response to the request, a line each, every line ended by "\n" as the framework's own
// commands answer: a client reads one response per request, and the game sends its own after ours.
void ReloadConfigRconCommand(const host::RconRequest& request, host::TextView /*line*/) {
  host::String response;
  Reload([&response](Colour, host::TextView text) {
    response += text;
    response += HOST_TEXT('\n');
  });
  host::SendRconReply(request, response);
}

}  // namespace packsentinel

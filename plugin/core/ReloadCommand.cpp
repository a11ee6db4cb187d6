#include "core/ReloadCommand.h"

#include <array>
#include <cmath>
#include <exception>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Game.h"

namespace packsentinel {
namespace {

constexpr Colour kGreen{0, 255, 0, 255};
constexpr Colour kRed{255, 0, 0, 255};

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

}  // namespace

void SendServerReply(AShooterPlayerController* controller, Colour colour, std::string_view text) {
  if (controller == nullptr) return;
  const auto& linear = SrgbToLinear();
  const FLinearColor linearColour{linear[colour.red], linear[colour.green], linear[colour.blue],
                                  colour.alpha / 255.f};
  host::ClientServerChatDirectMessage(controller, host::Widen(text), linearColour, false);
}

void ReloadConfigCommand(APlayerController* issuer, FString* /*line*/, bool /*flag*/) {
  auto* controller = static_cast<AShooterPlayerController*>(issuer);
  try {
    ReadConfig();
  } catch (const std::exception& error) {
    SendServerReply(controller, kRed, error.what());
    PluginLogger()->error(std::string_view(error.what()));
    return;
  }
  SendServerReply(controller, kGreen, "Reloaded config");
}

}  // namespace packsentinel

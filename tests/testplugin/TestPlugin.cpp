// A tiny plugin that proves the host path end to end: one chat command, one tick callback
// and one label drawn through the named bindings. It fails its start-up on request (a
// config.json beside the library that says "fail-attach") and throws from "/boom", so the
// host's handling of both can be seen.

#include <API/ARK/Ark.h>
#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<TWeakObjectPtr<AShooterPlayerController>> pingers;

void Ping(AShooterPlayerController* player, FString* line, EChatSendMode::Type /*mode*/) {
  if (player == nullptr) return;
  pingers.push_back(GetWeakReference(player));
  FChatMessage message;
  message.SenderName = "TestPlugin";
  message.Message =
      FString::Format(u"pong: {}", std::basic_string_view<TCHAR>(**line, line->Len()));
  NativeCall<void, FChatMessage>(player, "AShooterPlayerController.ClientChatMessage", message);
}

void Boom(AShooterPlayerController*, FString*, EChatSendMode::Type) {
  throw std::runtime_error("boom {}");
}

// Each tick, a label over every player who pinged and is still here.
void DrawPingers(float /*delta*/) {
  for (auto& weak : pingers) {
    auto* player = weak.Get();
    if (player == nullptr) continue;
    auto* character =
        NativeCall<AShooterCharacter*>(player, "AShooterPlayerController.GetPlayerCharacter");
    if (character == nullptr) continue;
    FVector top;
    NativeCall<FVector*, FVector*>(character, "APrimalCharacter.GetCapsuleTopLocation", &top);
    const FString text(u"pinged");
    NativeCall<void, const FVector&, const FString&, AActor*, FLinearColor, float, bool>(
        player, "AActor.MulticastDrawDebugString", top, text, nullptr, FLinearColor(1, 1, 0, 1),
        0.5f, true);
  }
}

bool loaded = false;
// Why the start-up failed, for the loader; none while it has not.
std::optional<std::string> attachFailure;

bool AskedToFail() {
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&Ping), &self) == 0 || self.dli_fname == nullptr) return false;
  std::ifstream config(std::filesystem::path(self.dli_fname).parent_path() / "config.json");
  std::stringstream text;
  text << config.rdbuf();
  return text.str().find("fail-attach") != std::string::npos;
}

void Attach() {
  if (AskedToFail()) {
    attachFailure = "asked to fail";
    return;
  }
  auto& commands = ArkApi::GetCommands();
  commands.AddChatCommand("/ping", &Ping);
  commands.AddChatCommand("/boom", &Boom);
  commands.AddOnTickCallback("DrawPingers", &DrawPingers);
  loaded = true;
}

void Detach() {
  if (!loaded) return;
  auto& commands = ArkApi::GetCommands();
  commands.RemoveChatCommand("/ping");
  commands.RemoveChatCommand("/boom");
  commands.RemoveOnTickCallback("DrawPingers");
  pingers.clear();
}

__attribute__((constructor)) void OnAttach() {
  try {
    Attach();
  } catch (const std::exception& error) {
    attachFailure = error.what();
  }
}

__attribute__((destructor)) void OnDetach() {
  try {
    Detach();
  } catch (...) {
  }
}

}  // namespace

// The loader asks after mapping the library: a reason releases it as a failed start.
extern "C" __attribute__((visibility("default"))) const char* LibraryAttachFailure() {
  return attachFailure ? attachFailure->c_str() : nullptr;
}

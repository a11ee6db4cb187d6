// A tiny plugin that proves the host path end to end: one chat command, one tick callback
// and one label drawn through the named bindings. It fails its start-up on request (a
// config.json beside the library that says "fail-attach") and throws from "/boom", so the
// host's handling of both can be seen.

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "ArkApi/ArkApi.h"

namespace {

std::vector<TWeakObjectPtr<AShooterPlayerController>> pingers;

void Ping(AShooterPlayerController* player, FString* line, int32 /*mode*/) {
  if (player == nullptr) return;
  pingers.push_back(GetWeakReference(player));
  FChatMessage message;
  message.SenderName = FString("TestPlugin");
  message.Message = FString::Format(u"pong: {}", *line);
  NativeCall<void, FChatMessage>(player, "AShooterPlayerController.ClientChatMessage", message);
}

void Boom(AShooterPlayerController*, FString*, int32) { throw std::runtime_error("boom {}"); }

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
        player, "AActor.MulticastDrawDebugString", top, text, nullptr, FLinearColor{1, 1, 0, 1},
        0.5f, true);
  }
}

bool loaded = false;

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
    ArkApi::ReportAttachFailure("asked to fail");
    return;
  }
  auto& commands = ArkApi::GetCommands();
  commands.RegisterChatCommand(FString("/ping"), &Ping);
  commands.RegisterChatCommand(FString("/boom"), &Boom);
  commands.RegisterTickCallback(FString("DrawPingers"), &DrawPingers);
  loaded = true;
}

void Detach() {
  if (!loaded) return;
  auto& commands = ArkApi::GetCommands();
  commands.UnregisterChatCommand(FString("/ping"));
  commands.UnregisterChatCommand(FString("/boom"));
  commands.UnregisterTickCallback(FString("DrawPingers"));
  pingers.clear();
}

__attribute__((constructor)) void OnAttach() {
  try {
    Attach();
  } catch (const std::exception& error) {
    ArkApi::ReportAttachFailure(error.what());
  }
}

__attribute__((destructor)) void OnDetach() {
  try {
    Detach();
  } catch (...) {
  }
}

}  // namespace

// What the game sends to players. Each call becomes an event naming the receiving player;
// labels also go to the game's label listener, which needs no event built.

#include <fmt/format.h>

#include "GameStorage.h"
#include "Names.h"
#include "PublishFunction.h"
#include "framework/Events.h"
#include "framework/Names.h"
#include "game/Game.h"
#include "game/Objects.h"

namespace game {
namespace {

using framework::Event;

Event Vector(const FVector& v) { return Event::array({v.X, v.Y, v.Z}); }
Event Colour(const FLinearColor& c) { return Event::array({c.R, c.G, c.B, c.A}); }

// The record's texts: the game copies and releases them with its allocator, not by name.
constexpr FString FChatMessage::*kChatTexts[] = {
    &FChatMessage::SenderName, &FChatMessage::SenderSteamName, &FChatMessage::SenderTribeName,
    &FChatMessage::Message,    &FChatMessage::Receiver,        &FChatMessage::UserId};

// The record's own copy, into storage whose members are already built; none copies nothing.
FChatMessage* AssignChatMessage(FChatMessage* self, FChatMessage* other) {
  if (other == nullptr || other == self) return self;
  for (const auto text : kChatTexts) ReleaseText(self->*text);
  // Every other member is a number, an enum or a pointer.
  self->SenderId = other->SenderId;
  self->SenderTeamIndex = other->SenderTeamIndex;
  self->ReceivedTime = other->ReceivedTime;
  self->SendMode = other->SendMode;
  self->RadioFrequency = other->RadioFrequency;
  self->ChatType = other->ChatType;
  self->SenderIcon = other->SenderIcon;
  for (const auto text : kChatTexts) self->*text = CopyText(other->*text);
  return self;
}

void CopyChatMessage(FChatMessage* self, FChatMessage* other) { AssignChatMessage(self, other); }

// The game owns a record passed by value, and releases it.
void ClientChatMessage(const AActor* self, FChatMessage message) {
  framework::Events().EmitWith("chat", [&] {
    return Event{{"to", self->Handle},
                 {"sender", message.SenderName.ToString()},
                 {"text", message.Message.ToString()}};
  });
  for (const auto text : kChatTexts) ReleaseText(message.*text);
}

void ClientServerChatDirectMessage(const AActor* self, const FString& text, FLinearColor colour,
                                   bool /*bold*/) {
  framework::Events().EmitWith("server_chat", [&] {
    return Event{{"to", self->Handle}, {"text", text.ToString()}, {"color", Colour(colour)}};
  });
}

void ClientServerNotificationSingle(const AActor* self, const FString& text, FLinearColor colour,
                                    float scale, float displayTime, UTexture2D* /*icon*/,
                                    USoundBase* /*sound*/, int32 priority) {
  framework::Events().EmitWith("notification", [&] {
    return Event{{"to", self->Handle}, {"text", text.ToString()}, {"color", Colour(colour)},
                 {"scale", scale},     {"time", displayTime},     {"priority", priority}};
  });
}

void ClientServerSOTFNotificationCustom(const AActor* self, const FString& text,
                                        FLinearColor colour, float scale, float displayTime,
                                        UTexture2D* /*icon*/, USoundBase* /*sound*/) {
  framework::Events().EmitWith("sotf_notification", [&] {
    return Event{{"to", self->Handle},
                 {"text", text.ToString()},
                 {"color", Colour(colour)},
                 {"scale", scale},
                 {"time", displayTime}};
  });
}

void MulticastDrawDebugString(const AActor* self, const FVector& at, const FString& text,
                              AActor* /*baseActor*/, FLinearColor colour, float duration,
                              bool /*popBack*/) {
  Game::Current().LabelSent(self, text, at, colour);
  framework::Events().EmitWith(EventKindOf(LabelChannel::DebugString), [&] {
    return Event{{"to", self->Handle},
                 {"text", text.ToString()},
                 {"at", Vector(at)},
                 {"color", Colour(colour)},
                 {"duration", duration}};
  });
}

void ClientAddFloatingText(const AActor* self, FVector at, const FString& text, FColor colour,
                           float /*scaleX*/, float /*scaleY*/, float lifeSpan, FVector /*velocity*/,
                           float /*minScale*/, float /*fadeIn*/, float /*fadeOut*/) {
  Game::Current().LabelSent(self, text, at, colour);
  framework::Events().EmitWith(EventKindOf(LabelChannel::FloatingText), [&] {
    return Event{{"to", self->Handle},
                 {"text", text.ToString()},
                 {"at", Vector(at)},
                 {"color", fmt::format("{:08X}", colour.ToPackedARGB())},
                 {"duration", lifeSpan}};
  });
}

// A response over the RCON connection: the stand-in has one client, the scenario.
void SendRconMessage(const RCONClientConnection* /*self*/, int /*id*/, int /*type*/,
                     FString* text) {
  framework::Events().Emit("rcon_reply", {{"text", text ? text->ToString() : std::string()}});
}

}  // namespace

void RegisterClientOutputs() {
  PublishFunction<void(DWORD64, int, int, FString*), &SendRconMessage>(
      "RCONClientConnection.SendMessageW");
  PublishFunction<void(DWORD64, FChatMessage*), &CopyChatMessage>("FChatMessage.FChatMessage");
  PublishFunction<FChatMessage*(DWORD64, FChatMessage*), &AssignChatMessage>(
      "FChatMessage.operator=");
  PublishFunction<void(DWORD64, FChatMessage), &ClientChatMessage>(
      "AShooterPlayerController.ClientChatMessage");
  PublishFunction<void(DWORD64, const FString&, FLinearColor, bool),
                  &ClientServerChatDirectMessage>(
      "AShooterPlayerController.ClientServerChatDirectMessage");
  PublishFunction<void(DWORD64, const FString&, FLinearColor, float, float, ::UTexture2D*,
                       ::USoundBase*, int32),
                  &ClientServerNotificationSingle>(
      "AShooterPlayerController.ClientServerNotificationSingle");
  PublishFunction<void(DWORD64, const FString&, FLinearColor, float, float, ::UTexture2D*,
                       ::USoundBase*),
                  &ClientServerSOTFNotificationCustom>(
      "AShooterPlayerController.ClientServerSOTFNotificationCustom");
  PublishFunction<void(DWORD64, const FVector&, const FString&, ::AActor*, FLinearColor, float,
                       bool),
                  &MulticastDrawDebugString>("AActor.MulticastDrawDebugString");
  PublishFunction<void(DWORD64, FVector, const FString&, FColor, float, float, float, FVector,
                       float, float, float),
                  &ClientAddFloatingText>("AShooterPlayerController.ClientAddFloatingText");
}

}  // namespace game

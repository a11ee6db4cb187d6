// The command registry and the dispatch of chat, console and RCON lines and of ticks, as the
// real framework does them: a removal takes the first registration of that name ignoring case,
// whichever plugin made it; a line goes to the first command named by its first word, ignoring
// case, and a command withdrawn while it runs is destroyed at once, as the real registry destroys
// it (the sanitizer build sees any use after). A tick runs the callbacks registered when it began,
// a withdrawn one included. Nothing a handler throws is forgiven: it ends the server.
// Timers and chat-message callbacks are kept and withdrawn like the others; the stand-in's game
// never calls them.

#include <API/ARK/Ark.h>

#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/Events.h"
#include "framework/Server.h"

namespace {

using ChatCallback = std::function<void(AShooterPlayerController*, FString*, EChatSendMode::Type)>;
using ConsoleCallback = std::function<void(APlayerController*, FString*, bool)>;
using RconCallback = std::function<void(RCONClientConnection*, RCONPacket*, UWorld*)>;
using TickCallback = std::function<void(float)>;
using TimerCallback = std::function<void()>;
using ChatMessageCallback =
    std::function<bool(AShooterPlayerController*, FString*, EChatSendMode::Type, bool, bool)>;

using TextView = std::basic_string_view<TCHAR>;

TextView ViewOf(const FString& text) { return {*text, static_cast<std::size_t>(text.Len())}; }

template <typename Callback>
struct Registration {
  FString name;
  Callback handler;
};

template <typename Callback>
using Registry = std::vector<std::shared_ptr<const Registration<Callback>>>;

void Announce(std::string_view event, std::string_view kind, const FString& name) {
  framework::Events().Emit(event, {{"kind", kind}, {"name", name.ToString()}});
}

template <typename Callback>
void Add(Registry<Callback>& registry, std::string_view kind, const FString& name,
         const Callback& callback) {
  registry.push_back(
      std::make_shared<const Registration<Callback>>(Registration<Callback>{name, callback}));
  Announce("registered", kind, name);
}

bool EqualsIgnoringAsciiCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](TCHAR c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Withdraws the first registration of that name and hands it back; none when there is none.
template <typename Callback>
std::shared_ptr<const Registration<Callback>> Remove(Registry<Callback>& registry,
                                                     std::string_view kind, const FString& name) {
  for (auto it = registry.begin(); it != registry.end(); ++it) {
    if (EqualsIgnoringAsciiCase(ViewOf((*it)->name), ViewOf(name))) {
      Announce("unregistered", kind, (*it)->name);
      auto removed = std::move(*it);
      registry.erase(it);
      return removed;
    }
  }
  return nullptr;
}

TextView FirstWord(TextView line) {
  const auto start = line.find_first_not_of(TCHAR(' '));
  if (start == TextView::npos) return {};
  const auto end = line.find(TCHAR(' '), start);
  return line.substr(start, end == TextView::npos ? end : end - start);
}

// An exception leaving a plugin handler unwinds into the game's code: the server ends. nameOf
// gives the registration's name for the report, asked only then.
template <typename Handler, typename Invoke, typename NameOf>
void RunHandler(std::string_view kind, const Handler& handler, Invoke&& invoke, NameOf&& nameOf) {
  try {
    invoke(handler);
  } catch (const std::exception& error) {
    framework::CrashServer(kind, nameOf(), error.what());
  } catch (...) {
    framework::CrashServer(kind, nameOf(), "unknown exception");
  }
}

// Calls the first command whose name is the line's first word; true when there was one. The
// registry is walked in place, as the real one is.
template <typename Callback, typename Invoke>
bool DispatchLine(const Registry<Callback>& registry, std::string_view kind, TextView line,
                  Invoke&& invoke) {
  const TextView word = FirstWord(line);
  for (const auto& registration : registry) {
    if (!EqualsIgnoringAsciiCase(ViewOf(registration->name), word)) continue;
    // Taken before the call: a command that withdraws itself is destroyed while it runs.
    const std::string name = registration->name.ToString();
    RunHandler(kind, registration->handler, invoke, [&] { return name; });
    return true;
  }
  return false;
}

class Commands final : public ArkApi::ICommands {
 public:
  void AddChatCommand(const FString& command, const ChatCallback& callback) override {
    Add(chat_, "chat", command, callback);
  }
  void AddConsoleCommand(const FString& command, const ConsoleCallback& callback) override {
    Add(console_, "console", command, callback);
  }
  void AddRconCommand(const FString& command, const RconCallback& callback) override {
    Add(rcon_, "rcon", command, callback);
  }
  void AddOnTickCallback(const FString& id, const TickCallback& callback) override {
    Add(ticks_, "tick", id, callback);
  }
  void AddOnTimerCallback(const FString& id, const TimerCallback& callback) override {
    Add(timers_, "timer", id, callback);
  }
  void AddOnChatMessageCallback(const FString& id, const ChatMessageCallback& callback) override {
    Add(chatMessages_, "chat_message", id, callback);
  }
  bool RemoveChatCommand(const FString& command) override {
    return Remove(chat_, "chat", command) != nullptr;
  }
  bool RemoveConsoleCommand(const FString& command) override {
    return Remove(console_, "console", command) != nullptr;
  }
  bool RemoveRconCommand(const FString& command) override {
    return Remove(rcon_, "rcon", command) != nullptr;
  }
  bool RemoveOnTickCallback(const FString& id) override {
    auto removed = Remove(ticks_, "tick", id);
    if (removed == nullptr) return false;
    if (ticking_) withdrawnDuringTick_.push_back(std::move(removed));
    return true;
  }
  bool RemoveOnTimerCallback(const FString& id) override {
    return Remove(timers_, "timer", id) != nullptr;
  }
  bool RemoveOnChatMessageCallback(const FString& id) override {
    return Remove(chatMessages_, "chat_message", id) != nullptr;
  }

  bool DispatchChat(AShooterPlayerController* player, FString& line, EChatSendMode::Type mode) {
    return DispatchLine(chat_, "chat", ViewOf(line),
                        [&](const auto& handler) { handler(player, &line, mode); });
  }

  bool DispatchConsole(APlayerController* player, FString& line) {
    return DispatchLine(console_, "console", ViewOf(line),
                        [&](const auto& handler) { handler(player, &line, false); });
  }

  bool DispatchRcon(RCONClientConnection* connection, RCONPacket& packet, UWorld* world) {
    return DispatchLine(rcon_, "rcon", ViewOf(packet.Body),
                        [&](const auto& handler) { handler(connection, &packet, world); });
  }

  void RunTick(float deltaSeconds) {
    auto& events = framework::Events();
    events.SetTick(events.Tick() + 1);
    // A snapshot, reused across ticks, so callbacks may register or withdraw others.
    tickSnapshot_.clear();
    for (const auto& registration : ticks_) tickSnapshot_.push_back(registration.get());
    ticking_ = true;
    // What is withdrawn during the tick stays alive until it ends, its name included.
    for (const auto* registration : tickSnapshot_) {
      RunHandler(
          "tick", registration->handler, [&](const auto& handler) { handler(deltaSeconds); },
          [&] { return registration->name.ToString(); });
    }
    ticking_ = false;
    withdrawnDuringTick_.clear();
  }

 private:
  Registry<ChatCallback> chat_;
  Registry<ConsoleCallback> console_;
  Registry<RconCallback> rcon_;
  Registry<TickCallback> ticks_;
  Registry<TimerCallback> timers_;
  Registry<ChatMessageCallback> chatMessages_;
  std::vector<const Registration<TickCallback>*> tickSnapshot_;
  Registry<TickCallback> withdrawnDuringTick_;
  bool ticking_ = false;
};

Commands& TheCommands() {
  static Commands commands;
  return commands;
}

}  // namespace

namespace ArkApi {
ICommands& APIENTRY GetCommands() { return TheCommands(); }
}  // namespace ArkApi

namespace framework {

bool DispatchChat(AShooterPlayerController* player, FString& line, EChatSendMode::Type mode) {
  return TheCommands().DispatchChat(player, line, mode);
}

bool DispatchConsole(APlayerController* player, FString& line) {
  return TheCommands().DispatchConsole(player, line);
}

bool DispatchRcon(RCONClientConnection* connection, RCONPacket& packet, UWorld* world) {
  return TheCommands().DispatchRcon(connection, packet, world);
}

void RunTick(float deltaSeconds) { TheCommands().RunTick(deltaSeconds); }

}  // namespace framework

// The command registry and the dispatch of chat lines, console lines and ticks. Handlers are
// held through shared pointers and a dispatch keeps its own reference while a handler runs, so
// a handler may withdraw any command, itself included. A tick, run thirty times a second, keeps
// plain pointers instead: what is withdrawn during a tick is kept alive until the tick ends.

#include <exception>
#include <memory>
#include <vector>

#include "ArkApi/ICommands.h"
#include "framework/Events.h"
#include "framework/Server.h"

namespace {

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

// Withdraws the first registration of that name and hands it back; none when there is none.
template <typename Callback>
std::shared_ptr<const Registration<Callback>> Remove(Registry<Callback>& registry,
                                                     std::string_view kind, const FString& name) {
  for (auto it = registry.begin(); it != registry.end(); ++it) {
    if ((*it)->name.Equals(name)) {
      Announce("unregistered", kind, name);
      auto removed = std::move(*it);
      registry.erase(it);
      return removed;
    }
  }
  return nullptr;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::u16string_view FirstWord(std::u16string_view line) {
  const auto start = line.find_first_not_of(u' ');
  if (start == std::u16string_view::npos) return {};
  const auto end = line.find(u' ', start);
  return line.substr(start, end == std::u16string_view::npos ? end : end - start);
}

// An exception leaving a plugin handler is reported and the server goes on.
template <typename Callback, typename Invoke>
void RunHandler(std::string_view kind, const Registration<Callback>& registration,
                Invoke&& invoke) {
  const auto report = [&](const char* text) {
    framework::Events().Emit(
        "handler_error", {{"kind", kind}, {"name", registration.name.ToString()}, {"text", text}});
  };
  try {
    invoke(registration.handler);
  } catch (const std::exception& error) {
    report(error.what());
  } catch (...) {
    report("unknown exception");
  }
}

// Calls the first command whose name is the line's first word; true when there was one.
template <typename Callback, typename Invoke>
bool DispatchLine(const Registry<Callback>& registry, std::string_view kind,
                  std::u16string_view line, Invoke&& invoke) {
  const std::u16string_view word = FirstWord(line);
  for (const auto& registration : registry) {
    if (!EqualsIgnoringAsciiCase(registration->name.View(), word)) continue;
    const auto keepAlive = registration;
    RunHandler(kind, *keepAlive, invoke);
    return true;
  }
  return false;
}

class Commands final : public ArkApi::ICommands {
 public:
  void RegisterChatCommand(const FString& command,
                           const ArkApi::ChatCommandCallback& callback) override {
    Add(chat_, "chat", command, callback);
  }
  void RegisterConsoleCommand(const FString& command,
                              const ArkApi::ConsoleCommandCallback& callback) override {
    Add(console_, "console", command, callback);
  }
  void RegisterTickCallback(const FString& id, const ArkApi::TickCallback& callback) override {
    Add(ticks_, "tick", id, callback);
  }
  bool UnregisterChatCommand(const FString& command) override {
    return Remove(chat_, "chat", command) != nullptr;
  }
  bool UnregisterConsoleCommand(const FString& command) override {
    return Remove(console_, "console", command) != nullptr;
  }
  bool UnregisterTickCallback(const FString& id) override {
    auto removed = Remove(ticks_, "tick", id);
    if (removed == nullptr) return false;
    if (ticking_) withdrawnDuringTick_.push_back(std::move(removed));
    return true;
  }

  bool DispatchChat(AShooterPlayerController* player, FString& line, int32 mode) {
    return DispatchLine(chat_, "chat", line.View(),
                        [&](const auto& handler) { handler(player, &line, mode); });
  }

  bool DispatchConsole(APlayerController* player, FString& line) {
    return DispatchLine(console_, "console", line.View(),
                        [&](const auto& handler) { handler(player, &line, false); });
  }

  void RunTick(float deltaSeconds) {
    auto& events = framework::Events();
    events.SetTick(events.Tick() + 1);
    // A snapshot, reused across ticks, so callbacks may register or withdraw others.
    tickSnapshot_.clear();
    for (const auto& registration : ticks_) tickSnapshot_.push_back(registration.get());
    ticking_ = true;
    for (const auto* registration : tickSnapshot_) {
      RunHandler("tick", *registration, [&](const auto& handler) { handler(deltaSeconds); });
    }
    ticking_ = false;
    withdrawnDuringTick_.clear();
  }

 private:
  Registry<ArkApi::ChatCommandCallback> chat_;
  Registry<ArkApi::ConsoleCommandCallback> console_;
  Registry<ArkApi::TickCallback> ticks_;
  std::vector<const Registration<ArkApi::TickCallback>*> tickSnapshot_;
  Registry<ArkApi::TickCallback> withdrawnDuringTick_;
  bool ticking_ = false;
};

Commands& TheCommands() {
  static Commands commands;
  return commands;
}

}  // namespace

namespace ArkApi {
ICommands& GetCommands() { return TheCommands(); }
}  // namespace ArkApi

namespace framework {

bool DispatchChat(AShooterPlayerController* player, FString& line, int32 mode) {
  return TheCommands().DispatchChat(player, line, mode);
}

bool DispatchConsole(APlayerController* player, FString& line) {
  return TheCommands().DispatchConsole(player, line);
}

void RunTick(float deltaSeconds) { TheCommands().RunTick(deltaSeconds); }

}  // namespace framework

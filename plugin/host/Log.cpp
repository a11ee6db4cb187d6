#include <API/ARK/Ark.h>

#include "host/Log.h"

#include <memory>

namespace host {
namespace {

std::shared_ptr<spdlog::logger>& Channel() {
  static std::shared_ptr<spdlog::logger> channel;
  return channel;
}

void Write(spdlog::level::level_enum level, const std::string& text) {
  if (Channel()) Channel()->log(level, "{}", text);
}

}  // namespace

void OpenLog(const std::string& name) {
  auto& sinks = GetLogSinks();
  auto channel = std::make_shared<spdlog::logger>(name, sinks.begin(), sinks.end());
  channel->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  channel->flush_on(spdlog::level::info);
  Channel() = std::move(channel);
}

bool IsLogOpen() { return Channel() != nullptr; }

void LogError(const std::string& text) { Write(spdlog::level::err, text); }

void LogWarning(const std::string& text) { Write(spdlog::level::warn, text); }

void FlushLog() {
  if (Channel()) Channel()->flush();
}

}  // namespace host

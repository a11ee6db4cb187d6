// The shared log sinks: every line becomes a `log` event carrying the message alone, and the
// formatted line also goes to ArkApi/Logs/ArkApi.log under the server directory, in whatever
// pattern the last logger set on the sinks.

#include <Logger/Logger.h>
#include <spdlog/sinks/base_sink.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>

#include "FrameworkLog.h"
#include "framework/Events.h"
#include "framework/Server.h"

namespace {

class EventSink final : public spdlog::sinks::base_sink<std::mutex> {
 protected:
  void sink_it_(const spdlog::details::log_msg& message) override {
    framework::Events().EmitWith("log", [&] {
      const auto level = spdlog::level::to_string_view(message.level);
      return framework::Event{
          {"logger", std::string(message.logger_name.data(), message.logger_name.size())},
          {"level", std::string(level.data(), level.size())},
          {"text", std::string(message.payload.data(), message.payload.size())}};
    });
  }
  void flush_() override {}
};

std::vector<spdlog::sink_ptr>& Sinks() {
  static std::vector<spdlog::sink_ptr> sinks{std::make_shared<EventSink>()};
  return sinks;
}

}  // namespace

std::vector<spdlog::sink_ptr>& APIENTRY GetLogSinks() { return Sinks(); }

namespace framework {

spdlog::logger& FrameworkLogger() {
  static spdlog::logger logger("ArkApi", Sinks().begin(), Sinks().end());
  return logger;
}

// The log file lives in the server directory, so it follows the directory. Only a regular file
// is opened: the open of a FIFO waits for a reader, and a device takes lines without end.
void AttachLogFile(const std::string& dir) {
  const auto folder = std::filesystem::path(dir) / "ArkApi" / "Logs";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const auto path = folder / "ArkApi.log";
  const auto status = std::filesystem::status(path, ignored);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    throw std::runtime_error(path.string() + " is not a regular file");
  }
  auto file = std::make_shared<spdlog::sinks::basic_file_sink_mt>(path.string());
  auto& sinks = Sinks();
  if (sinks.size() > 1) {
    sinks[1] = std::move(file);
  } else {
    sinks.push_back(std::move(file));
  }
  FrameworkLogger().sinks() = sinks;
}

}  // namespace framework

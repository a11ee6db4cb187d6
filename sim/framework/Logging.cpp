// The shared log sinks: every line becomes a `log` event carrying the message alone, and the
// formatted line also goes to ArkApi/Logs/ArkApi.log under the server directory.
// They are built from the spdlog plugins log with, since plugins call them through its layout
// and vtable: Debian's 1.x, or the 0.16 bundled with the real framework's headers for a plugin
// built from those. No other source of the library uses spdlog, so no two versions meet in it.

#include <Logger/Logger.h>
#include <spdlog/sinks/base_sink.h>
#include <spdlog/spdlog.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string_view>

#include "FrameworkLog.h"
#include "framework/Events.h"
#include "framework/Log.h"

#ifdef SPDLOG_VER_MAJOR
#include <spdlog/sinks/basic_file_sink.h>
#else
#include <spdlog/sinks/file_sinks.h>
#endif

namespace {

void EmitLine(std::string_view logger, std::string_view level, std::string_view text) {
  framework::Events().EmitWith(
      "log", [&] { return framework::Event{{"logger", logger}, {"level", level}, {"text", text}}; });
}

#ifdef SPDLOG_VER_MAJOR

class EventSink final : public spdlog::sinks::base_sink<std::mutex> {
 protected:
  void sink_it_(const spdlog::details::log_msg& message) override {
    const auto level = spdlog::level::to_string_view(message.level);
    EmitLine({message.logger_name.data(), message.logger_name.size()},
             {level.data(), level.size()}, {message.payload.data(), message.payload.size()});
  }
  void flush_() override {}
};
using FileSink = spdlog::sinks::basic_file_sink_mt;

#else

class EventSink final : public spdlog::sinks::base_sink<std::mutex> {
 protected:
  void _sink_it(const spdlog::details::log_msg& message) override {
    EmitLine(*message.logger_name, spdlog::level::to_str(message.level),
             {message.raw.data(), message.raw.size()});
  }
  void _flush() override {}
};
using FileSink = spdlog::sinks::simple_file_sink_mt;

#endif

std::vector<spdlog::sink_ptr>& Sinks() {
  static std::vector<spdlog::sink_ptr> sinks{std::make_shared<EventSink>()};
  return sinks;
}

// The framework's own logger ("ArkApi"), made again whenever the sinks change: a logger's list
// of sinks is fixed in 0.16.
std::unique_ptr<spdlog::logger>& FrameworkLogger() {
  static auto logger = std::make_unique<spdlog::logger>("ArkApi", Sinks().begin(), Sinks().end());
  return logger;
}

}  // namespace

std::vector<spdlog::sink_ptr>& APIENTRY GetLogSinks() { return Sinks(); }

namespace framework {

void LogFrameworkError(const std::string& text) { FrameworkLogger()->error("{}", text); }

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
  auto file = std::make_shared<FileSink>(path.string());
  auto& sinks = Sinks();
  if (sinks.size() > 1) {
    sinks[1] = std::move(file);
  } else {
    sinks.push_back(std::move(file));
  }
  FrameworkLogger() = std::make_unique<spdlog::logger>("ArkApi", sinks.begin(), sinks.end());
}

}  // namespace framework

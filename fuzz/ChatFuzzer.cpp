// Chat lines to the five commands of a loaded plugin, with ticks between them. Each input is
// lines; a line's first byte picks the player, the command word and the ticks after it, the
// rest is what follows the word. A line led by the byte 0xFF and a count has what follows the
// word repeated up to 4,096 times (at most 64 KiB), so that short inputs reach the long
// lines a chat may carry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzServer.h"

namespace {

constexpr const char* kWords[] = {"/trackdino", "/tracktribe", "/trackmates", "/finddino",
                                  "/stoptrack", "/TRACKDINO",  "/FindDino",   ""};
constexpr std::size_t kLongestLine = std::size_t{1} << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto& server = fuzz::Server();
  server.WriteSoundConfig();
  if (!server.Load()) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const auto end = input.find('\n');
    std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    std::size_t repeats = 1;
    if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xFF) {
      repeats = std::size_t{1} << (static_cast<unsigned char>(line[1]) % 13);
      line.remove_prefix(2);
    }
    if (line.empty()) continue;
    const auto choice = static_cast<unsigned char>(line[0]);
    std::string typed = kWords[choice % std::size(kWords)];
    const std::string_view after = line.substr(1);
    for (std::size_t i = 0; i < repeats && typed.size() + after.size() <= kLongestLine; ++i) {
      typed += after;
    }
    server.Chat(choice >> 3, typed);
    server.Tick((choice >> 5) % 4);
  }
  server.Tick(1);
  server.Unload();
  return 0;
}

#include "Faults.h"

#include <map>
#include <stdexcept>
#include <string>

namespace game::faults {
namespace {

struct Fault {
  std::string name;
  int remaining = 0;
};

std::map<std::string, const void*, std::less<>>& ByName() {
  static std::map<std::string, const void*, std::less<>> functions;
  return functions;
}

std::map<const void*, Fault>& Armed() {
  static std::map<const void*, Fault> armed;
  return armed;
}

}  // namespace

void Published(std::string_view name, const void* function) {
  ByName().insert_or_assign(std::string(name), function);
}

bool Arm(std::string_view name, int count) {
  const auto it = ByName().find(name);
  if (it == ByName().end()) return false;
  Armed()[it->second] = {std::string(name), count};
  anyArmed = true;
  return true;
}

void Clear() {
  Armed().clear();
  anyArmed = false;
}

void ThrowArmed(const void* function) {
  const auto it = Armed().find(function);
  if (it == Armed().end()) return;
  const std::string text = "fault: " + it->second.name;
  if (--it->second.remaining <= 0) {
    Armed().erase(it);
    anyArmed = !Armed().empty();
  }
  throw std::runtime_error(text);
}

}  // namespace game::faults

#include <optional>
#include <string>

#include "ArkApi/PluginEntry.h"
#include "framework/Server.h"

namespace {
std::optional<std::string> attachFailure;
}

namespace ArkApi {
void ReportAttachFailure(const char* reason) { attachFailure = reason ? reason : ""; }
}  // namespace ArkApi

namespace framework {

bool TakeAttachFailure(std::string& reason) {
  if (!attachFailure) return false;
  reason = std::move(*attachFailure);
  attachFailure.reset();
  return true;
}

}  // namespace framework

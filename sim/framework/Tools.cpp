#include <API/UE/Containers/StandInUtf8.h>
#include <Tools.h>

#include <filesystem>
#include <set>

#include "FrameworkLog.h"
#include "framework/Server.h"

namespace {

// The framework version this stand-in answers to GetApiVersion: a plugin whose PluginInfo.json
// asks for a later MinApiVersion is refused.
constexpr float kApiVersion = 3.5f;

// The executable's folder, as the framework reports it, until the server names its own.
std::string& CurrentDir() {
  static std::string dir = [] {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path().string() : executable.parent_path().string();
  }();
  return dir;
}

// Never destroyed: a library's destructor may withdraw its name after the process's statics
// are gone.
std::set<std::string>& LoadedPlugins() {
  static auto* loaded = new std::set<std::string>();
  return *loaded;
}

// Length of the UTF-8 sequence led by `lead`, 0 for a byte that cannot lead one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

namespace framework {

void SetCurrentDir(const std::string& dir) {
  CurrentDir() = dir;
  AttachLogFile(dir);
}

void SetPluginLoaded(const std::string& name, bool loaded) {
  if (loaded) {
    LoadedPlugins().insert(name);
  } else {
    LoadedPlugins().erase(name);
  }
}

}  // namespace framework

namespace ArkApi::Tools {

std::string GetCurrentDir() { return CurrentDir(); }

// The system's "ANSI" text is UTF-8 here.
std::wstring ConvertToWideStr(const std::string& text) { return Utf8Decode(text); }
std::string ConvertToAnsiStr(const std::wstring& text) { return Utf8Encode(text); }

std::string Utf8Encode(const std::wstring& wstr) {
  std::string out;
  out.reserve(wstr.size());
  ArkApiStandIn::AppendUtf8(out, wstr.data(), wstr.size());
  return out;
}

std::wstring Utf8Decode(const std::string& str) {
  std::wstring out;
  out.reserve(str.size());
  std::size_t i = 0;
  while (i < str.size()) {
    const auto lead = static_cast<unsigned char>(str[i]);
    const int length = SequenceLength(lead);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length > 0 && i + length <= str.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(str[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed too.
    if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                  (length == 4 && (code < 0x10000 || code > 0x10FFFF)))) {
      valid = false;
    }
    if (!valid) {
      out += static_cast<wchar_t>(0xFFFD);
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (code >> 10));
      out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<wchar_t>(code);
    }
    i += static_cast<std::size_t>(length);
  }
  return out;
}

bool IsPluginLoaded(const std::string& plugin_name) {
  return LoadedPlugins().count(plugin_name) != 0;
}

float GetApiVersion() { return kApiVersion; }

}  // namespace ArkApi::Tools

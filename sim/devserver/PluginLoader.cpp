#include "devserver/PluginLoader.h"

#include <fmt/format.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <stdexcept>

#include "devserver/Files.h"
#include "devserver/PluginInfo.h"
#include "framework/Events.h"
#include "framework/Log.h"
#include "framework/Server.h"

namespace devserver {

namespace fs = std::filesystem;

namespace {

using AttachFailureFunction = const char* (*)();

// The system's loader, called as the framework's loader calls it: loading runs the library's
// attach (DllMain on Windows), closing its detach.
#ifdef _WIN32
std::string LibraryFile(const std::string& plugin) { return plugin + ".dll"; }

// A DllMain that answers FALSE makes LoadLibraryA fail with ERROR_DLL_INIT_FAILED (1114). The
// real loader passes a full path, so Windows searches none of its own folders for the file.
void* OpenLibrary(const std::string& path, std::string& why) {
  const HMODULE module = LoadLibraryA(fs::absolute(path).string().c_str());
  if (module == nullptr) {
    const DWORD error = GetLastError();
    why =
        fmt::format("{} did not load: Windows error {}", fs::path(path).filename().string(), error);
  }
  return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
std::string LibraryFile(const std::string& plugin) { return "lib" + plugin + ".so"; }

void* OpenLibrary(const std::string& path, std::string& why) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    why = reason ? reason : "dlopen failed";
  }
  return library;
}

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

void CloseLibrary(void* library) { dlclose(library); }
#endif

// What Load answers once it has said why.
bool Fail(const std::string& reason) {
  framework::Events().Emit("plugin_failed", {{"text", reason}});
  return false;
}

void Copy(const std::string& from, const fs::path& to) {
  ExpectFileOrNothing(to, to.string());
  std::error_code error;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
  if (error) throw std::runtime_error("can't install " + from + ": " + error.message());
}

}  // namespace

PluginLoader::PluginLoader(std::string source, std::string serverDir, std::string pluginName,
                           std::string pluginInfo)
    : source_(std::move(source)),
      serverDir_(std::move(serverDir)),
      pluginName_(std::move(pluginName)),
      pluginInfo_(std::move(pluginInfo)) {}

PluginLoader::~PluginLoader() { Unload(); }

std::string PluginLoader::PluginDir() const {
  return (fs::path(serverDir_) / "ArkApi" / "Plugins" / pluginName_).string();
}

std::string PluginLoader::Install() {
  const fs::path folder = PluginDir();
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  const fs::path library = folder / LibraryFile(pluginName_);
  Copy(source_, library);
  if (!pluginInfo_.empty() && fs::exists(pluginInfo_, ignored)) {
    Copy(pluginInfo_, folder / "PluginInfo.json");
  }
  return library.string();
}

bool PluginLoader::Load() {
  if (handle_ != nullptr) return Fail("plugin is loaded already");
  std::string library;
  PluginInfo info;
  try {
    library = Install();
    info = ReadPluginInfo(PluginDir());
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
  const float apiVersion = ArkApi::Tools::GetApiVersion();
  if (static_cast<float>(info.minApiVersion) > apiVersion) {
    return Fail(fmt::format("{} needs framework version {} or later; this framework is {}",
                            pluginName_, info.minApiVersion, apiVersion));
  }
  std::string why;
  handle_ = OpenLibrary(library, why);
  if (handle_ == nullptr) return Fail(why);
  // Where no DllMain can refuse the load, the library says here why its attach failed.
  const auto attachFailure =
      reinterpret_cast<AttachFailureFunction>(FindSymbol(handle_, "LibraryAttachFailure"));
  if (const char* reason = attachFailure ? attachFailure() : nullptr) {
    // As when the attach notification answers FALSE: the loader releases the library.
    const std::string text = reason;
    CloseLibrary(std::exchange(handle_, nullptr));
    return Fail(text);
  }
  framework::SetPluginLoaded(pluginName_, true);
  framework::Events().Emit("plugin_loaded", {{"text", pluginName_}});
  for (const auto& dependency : info.dependencies) {
    if (!ArkApi::Tools::IsPluginLoaded(dependency)) {
      framework::LogFrameworkError(
          fmt::format("Plugin {} depends on {}, which is not loaded", pluginName_, dependency));
    }
  }
  return true;
}

void PluginLoader::Unload() {
  if (handle_ == nullptr) return;
  CloseLibrary(std::exchange(handle_, nullptr));
  framework::SetPluginLoaded(pluginName_, false);
  framework::Events().Emit("plugin_unloaded", {{"text", pluginName_}});
}

}  // namespace devserver

#pragma once

#include <API/Base.h>

#include <string>

namespace ArkApi::Tools {

// The folder of the server's executable, under which the framework keeps ArkApi/Plugins/.
ARK_API std::string GetCurrentDir();
[[deprecated]] ARK_API std::wstring ConvertToWideStr(const std::string& text);
[[deprecated]] ARK_API std::string ConvertToAnsiStr(const std::wstring& text);
// UTF-16 (one unit per wchar_t, as on Windows) to UTF-8 and back. Malformed input becomes U+FFFD.
ARK_API std::string Utf8Encode(const std::wstring& wstr);
ARK_API std::wstring Utf8Decode(const std::string& str);
ARK_API bool IsPluginLoaded(const std::string& plugin_name);
ARK_API float GetApiVersion();

}  // namespace ArkApi::Tools

namespace API {
namespace Tools = ArkApi::Tools;
}

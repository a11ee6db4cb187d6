#include "host/Text.h"

#include "ArkApi/Tools.h"

namespace host {

FString DecodeUtf8(const std::string& text) {
  return FString(TextView(ArkApi::Tools::Utf8Decode(text)));
}

}  // namespace host

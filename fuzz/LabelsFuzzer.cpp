// Label templates and the values put into them: a template split once must write every label
// as the replacement rule does, whatever the template and values hold. The input's first byte
// picks the label kind; the rest is the template and the values, one a line, as UTF-8.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "config/Schema.h"
#include "host/Text.h"
#include "tracking/LabelText.h"

namespace {

constexpr std::span<const host::TextView> kKinds[] = {
    packsentinel::schema::kWildLabelPlaceholders, packsentinel::schema::kTribeDinoLabelPlaceholders,
    packsentinel::schema::kTribeMemberLabelPlaceholders};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto names = kKinds[data[0] % std::size(kKinds)];
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  // The template, then one value a placeholder; missing lines are empty values.
  std::vector<host::String> parts;
  while (parts.size() < names.size() + 1) {
    const auto end = input.find('\n');
    parts.push_back(host::DecodeUtf8(std::string(input.substr(0, end))));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  const std::vector<host::TextView> values(parts.begin() + 1, parts.end());
  const host::String byTheRule = packsentinel::ReplaceInSequence(parts[0], names, values);
  host::String filled = HOST_TEXT("a label written before");
  packsentinel::LabelTemplate(parts[0], names).Fill(values, filled);
  if (filled != byTheRule) std::abort();
  return 0;
}

#include "host/TrialFormat.h"

#include <fmt/args.h>
#include <fmt/xchar.h>

#include <iterator>

namespace host {
namespace {

// Counts what the formatter writes and keeps none of it.
struct CountingOutput {
  using iterator_category = std::output_iterator_tag;
  using value_type = void;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = void;

  std::size_t* count;
  CountingOutput& operator*() { return *this; }
  CountingOutput& operator++() { return *this; }
  CountingOutput operator++(int) { return *this; }
  CountingOutput& operator=(Char) {
    ++*count;
    return *this;
  }
};

}  // namespace

std::size_t FormattedLength(TextView format, std::span<const TrialArgument> arguments) {
  fmt::dynamic_format_arg_store<fmt::buffer_context<Char>> store;
  for (const auto& argument : arguments) {
    std::visit([&store](const auto& value) { store.push_back(value); }, argument);
  }
  std::size_t length = 0;
  try {
    fmt::vformat_to(CountingOutput{&length}, fmt::basic_string_view<Char>(format), store);
  } catch (const fmt::format_error& error) {
    throw FormatError(error.what());
  }
  return length;
}

}  // namespace host

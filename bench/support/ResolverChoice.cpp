#include "support/ResolverChoice.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#include "framework/Names.h"

namespace bench_support {

std::optional<std::string> ChooseResolver(int& argc, char** argv) {
  constexpr std::string_view kOption = "--resolver=";
  std::string choice = "real-cost";
  char** const end = argv + argc;
  char** const kept = std::remove_if(argv + 1, end, [&](const char* argument) {
    const std::string_view text = argument;
    if (!text.starts_with(kOption)) return false;
    choice = text.substr(kOption.size());
    return true;
  });
  argc = static_cast<int>(kept - argv);
  if (choice != "real-cost" && choice != "fast") {
    std::cerr << "--resolver takes real-cost or fast, not " << choice << '\n';
    return std::nullopt;
  }
  framework::UseResolverProfile(choice == "fast" ? framework::ResolverProfile::kFast
                                                 : framework::ResolverProfile::kRealCost);
  return choice;
}

}  // namespace bench_support

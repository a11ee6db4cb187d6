#pragma once

// A game name as the framework's resolver takes it, a std::string, built once for each name:
// "AActor.TargetingTeam"_name. A use then costs no allocation. Only the name is kept ready;
// every use still resolves it anew.

#include <algorithm>
#include <cstddef>
#include <string>

namespace host {

template <std::size_t N>
struct NameLiteral {
  char text[N];
  constexpr NameLiteral(const char (&literal)[N]) { std::copy_n(literal, N, text); }
};

template <NameLiteral literal>
const std::string& operator""_name() {
  static const std::string name(literal.text, sizeof(literal.text) - 1);
  return name;
}

}  // namespace host

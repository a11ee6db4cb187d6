#pragma once

// Where an offset of config.json stands, as a person counts: lines and columns from 1. The line
// starts are found once, so that many places in a long file cost no pass over it each.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace packsentinel {

class TextLines {
 public:
  explicit TextLines(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') starts_.push_back(i + 1);
    }
  }

  std::size_t LineOf(std::size_t at) const {
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), at) -
                                    starts_.begin());
  }

  // "line L, column C".
  std::string Where(std::size_t at) const {
    const std::size_t line = LineOf(at);
    return "line " + std::to_string(line) + ", column " +
           std::to_string(at - starts_[line - 1] + 1);
  }

 private:
  std::vector<std::size_t> starts_{0};
};

}  // namespace packsentinel

#pragma once

// A plugin registers or withdraws its commands all at once as it starts, reloads or unloads. Text
// output sums such a burst up in one line, so that what it led to is not buried under it:
// [  21] registry          re-registered 1 console command, 5 chat commands: Packsentinel.Reload, …

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Events.h"

namespace devserver {

class RegistryBurst {
 public:
  // Whether a registry event belongs to this burst: none begun yet, or one of the same tick and
  // script line.
  bool Joins(const framework::Event& event) const;
  void Add(const framework::Event& event);
  bool Empty() const { return entries_.empty(); }
  // The burst as a line of text output; a new burst begins.
  std::string Take();

 private:
  // A command or callback, and what the burst did to it first and last.
  struct Entry {
    std::string kind;
    std::string name;
    bool registeredFirst = false;
    bool registeredLast = false;
  };
  std::vector<Entry> entries_;
  std::uint64_t tick_ = 0;
  int line_ = 0;  // 0: no script line named
};

}  // namespace devserver

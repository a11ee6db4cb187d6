#pragma once

// A table from game names to what they resolve to, priced as the real framework's is: a
// std::unordered_map keyed by std::string, hashed as the MSVC standard library hashes a string
// (64-bit FNV-1a over every byte), holding every member of the game, some 150,000 names in each
// table. Benchmarks choose it to show what a resolution costs on a real server.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace framework {

struct MsvcStringHash {
  // Not noexcept, so that libstdc++ keeps each entry's hash beside it: MSVC's buckets find a name
  // without hashing the names that share its bucket, and so must this table.
  std::size_t operator()(const std::string& name) const {
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    return static_cast<std::size_t>(hash);
  }
};

template <typename Value>
class RealCostTable {
 public:
  // Names of 21 to 50 characters that no game member has, standing for the members the
  // stand-in's game does not publish, so that the table is as large as the real one.
  explicit RealCostTable(std::size_t fillers) {
    entries_.reserve(fillers);
    std::uint64_t state = 0x2545F4914F6CDD1Du;
    std::string name;
    for (std::size_t i = 0; i < fillers; ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      name = "Filler" + std::to_string(i) + ".";
      const std::size_t size = 21 + static_cast<std::size_t>(state >> 33) % 30;
      while (name.size() < size)
        name += static_cast<char>('a' + (state >> (name.size() % 40)) % 26);
      entries_.emplace(name, Value{});
    }
  }

  void Insert(std::string_view name, Value value) { entries_[std::string(name)] = value; }

  const Value* Find(const std::string& name) const {
    const auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<std::string, Value, MsvcStringHash> entries_;
};

}  // namespace framework

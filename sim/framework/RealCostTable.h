#pragma once

// A table from game names to what they resolve to, priced as the real framework's is: a
// std::unordered_map<std::string, ...> of the MSVC standard library, holding every member of the
// game, some 150,000 names in each table. A lookup hashes every byte of the name as MSVC's
// std::hash does (64-bit FNV-1a), takes the bucket from the hash's low bits (MSVC's bucket count
// is a power of two, with at most one name per bucket on average), and compares the names in that
// bucket with the one asked for. Benchmarks choose it to show what a resolution costs on a real
// server.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

template <typename Value>
class RealCostTable {
 public:
  // Names of 21 to 50 characters that no game member has, standing for the members the
  // stand-in's game does not publish, so that the table is as large as the real one.
  explicit RealCostTable(std::size_t fillers) {
    std::uint64_t state = 0x2545F4914F6CDD1Du;
    std::string name;
    for (std::size_t i = 0; i < fillers; ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      name = "Filler" + std::to_string(i) + ".";
      const std::size_t size = 21 + static_cast<std::size_t>(state >> 33) % 30;
      while (name.size() < size) {
        name += static_cast<char>('a' + (state >> (name.size() % 40)) % 26);
      }
      Insert(name, Value{});
    }
  }

  // A name given again takes the new value.
  void Insert(std::string_view name, Value value) {
    const std::string key(name);
    if (Node* node = FindNode(key)) {
      node->value = value;
      return;
    }
    if (nodes_.size() + 1 > buckets_.size()) Grow();
    Node& node = nodes_.emplace_back(Node{key, value, nullptr});
    Link(node);
  }

  const Value* Find(const std::string& name) const {
    const Node* node = FindNode(name);
    return node == nullptr ? nullptr : &node->value;
  }

 private:
  struct Node {
    std::string name;
    Value value;
    Node* next;  // the bucket's next name
  };

  static std::size_t Hash(const std::string& name) {
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    return static_cast<std::size_t>(hash);
  }

  Node* FindNode(const std::string& name) const {
    for (Node* node = buckets_[Hash(name) & (buckets_.size() - 1)]; node; node = node->next) {
      if (node->name == name) return node;
    }
    return nullptr;
  }

  void Link(Node& node) {
    Node*& bucket = buckets_[Hash(node.name) & (buckets_.size() - 1)];
    node.next = bucket;
    bucket = &node;
  }

  void Grow() {
    buckets_.assign(buckets_.size() * 2, nullptr);
    for (Node& node : nodes_) Link(node);
  }

  std::vector<Node*> buckets_ = std::vector<Node*>(8);
  std::deque<Node> nodes_;  // a deque never moves what it holds
};

}  // namespace framework

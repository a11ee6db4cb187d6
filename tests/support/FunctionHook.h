#pragma once

// Puts a replacement in place of a game function, by name, until the end of the test: so a
// test can watch or bend what the game answers.

#include <API/Base.h>

#include <string>
#include <utility>

#include "framework/Names.h"

namespace testing_support {

class FunctionHook {
 public:
  template <typename Function>
  FunctionHook(std::string name, Function* replacement, Function** original = nullptr)
      : name_(std::move(name)), original_(GetAddress(name_)) {
    if (original != nullptr) *original = reinterpret_cast<Function*>(original_);
    framework::RegisterFunction(name_, replacement);
  }
  ~FunctionHook() { framework::RegisterFunction(name_, original_); }
  FunctionHook(const FunctionHook&) = delete;
  FunctionHook& operator=(const FunctionHook&) = delete;

 private:
  std::string name_;
  void* original_;
};

}  // namespace testing_support

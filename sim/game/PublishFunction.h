#pragma once

// A plugin calls a game function through a pointer of the exact type it names it with: the
// sdk's handle types, and for a member function the object first as `const void*`. A call
// through any other function type is undefined, so each of the stand-in's functions, written
// with its own object types, is published through an adapter of exactly the plugin's type.

#include <new>
#include <string_view>
#include <type_traits>

#include "framework/Names.h"

namespace game {
namespace publish {

// An sdk handle and the stand-in's object it stands for are one address; every other argument
// passes with its own type.
template <typename To, typename From>
To Convert(From value) {
  if constexpr (std::is_same_v<To, From>) {
    return value;
  } else {
    static_assert(std::is_pointer_v<To> && std::is_pointer_v<From>, "only handles are converted");
    return reinterpret_cast<To>(const_cast<void*>(static_cast<const void*>(value)));
  }
}

template <typename Published, auto Function, typename Own = decltype(Function)>
struct Adapter;

template <typename R, typename... Args, auto Function, typename OwnR, typename... OwnArgs>
struct Adapter<R(Args...), Function, OwnR (*)(OwnArgs...)> {
  static_assert(sizeof...(Args) == sizeof...(OwnArgs), "one argument for each parameter");
  static R Call(Args... args) {
    if constexpr (std::is_void_v<R>) {
      Function(Convert<OwnArgs, Args>(args)...);
    } else {
      return Convert<R, OwnR>(Function(Convert<OwnArgs, Args>(args)...));
    }
  }
};

// A function that gives back a record the game declares with a result pointer after the object:
// published as R*(const void*, R*, Args...), written as R(Self, OwnArgs...).
template <typename Published, auto Function, typename Own = decltype(Function)>
struct ResultAdapter;

template <typename R, typename... Args, auto Function, typename Self, typename... OwnArgs>
struct ResultAdapter<R*(const void*, R*, Args...), Function, R (*)(Self, OwnArgs...)> {
  static_assert(sizeof...(Args) == sizeof...(OwnArgs), "one argument for each parameter");
  static R* Call(const void* self, R* result, Args... args) {
    // Built in the caller's storage, as the game does: whatever the caller had there is not
    // released, so a caller must pass an empty record.
    return new (result) R(Function(Convert<Self>(self), Convert<OwnArgs, Args>(args)...));
  }
};

}  // namespace publish

// Publishes Function under name with the type plugins call it with.
template <typename Published, auto Function>
void PublishFunction(std::string_view name) {
  framework::RegisterFunction(name, &publish::Adapter<Published, Function>::Call);
}

// The same for a function published with a result pointer (see ResultAdapter).
template <typename Published, auto Function>
void PublishResultFunction(std::string_view name) {
  framework::RegisterFunction(name, &publish::ResultAdapter<Published, Function>::Call);
}

}  // namespace game

#pragma once

// A plugin calls a game function through a pointer of the exact type its NativeCall names: for a
// member function RT(DWORD64, ArgsTypes...), the object first as an integer; for a static one
// RT(ArgsTypes...). A call through any other function type is undefined (and the function
// sanitizer stops it), so each of the stand-in's functions, written with its own object types,
// is published through an adapter of exactly the plugin's type.

#include <API/Base.h>

#include <new>
#include <string>
#include <string_view>
#include <type_traits>

#include "Faults.h"
#include "framework/Names.h"

namespace game {
namespace publish {

// The object an integer self or an sdk handle stands for is the stand-in's object at that
// address; numbers convert as numbers; every other argument passes with its own type.
template <typename To, typename From>
To Convert(From&& value) {
  using Source = std::remove_cvref_t<From>;
  if constexpr (std::is_same_v<std::remove_cvref_t<To>, Source>) {
    return std::forward<From>(value);
  } else if constexpr (std::is_pointer_v<To> && std::is_same_v<Source, DWORD64>) {
    return reinterpret_cast<To>(value);
  } else if constexpr (std::is_pointer_v<To> && std::is_pointer_v<Source>) {
    return reinterpret_cast<To>(const_cast<void*>(static_cast<const void*>(value)));
  } else {
    static_assert(std::is_arithmetic_v<To> && std::is_arithmetic_v<Source>,
                  "only handles and numbers are converted");
    return static_cast<To>(value);
  }
}

// A member function called on no object: the real game reads through the null pointer, and the
// server ends in an access violation. A server_crash naming the function, then the end.
[[noreturn]] void CrashOnNoObject(const std::string& name);

// A member function is called on an object, which it receives first as an integer; a static one
// on none (nullptr by design).
enum class Kind { kMember, kStatic };

template <typename First, typename... Rest>
DWORD64 ObjectOf(First self, const Rest&...) {
  static_assert(std::is_same_v<First, DWORD64>, "a member function takes its object first");
  return self;
}

template <typename Published, auto Function, Kind kind, typename Own = decltype(Function)>
struct Adapter;

template <typename R, typename... Args, auto Function, Kind kind, typename OwnR,
          typename... OwnArgs>
struct Adapter<R(Args...), Function, kind, OwnR (*)(OwnArgs...)> {
  static_assert(sizeof...(Args) == sizeof...(OwnArgs), "one argument for each parameter");
  // What it is published as, for a crash to name. Made at its first use: names may be
  // published by another file's static initialisation, before a static member would exist.
  static std::string& Name() {
    static std::string name;
    return name;
  }
  static R Call(Args... args) {
    if constexpr (kind == Kind::kMember) {
      if (ObjectOf(args...) == 0) [[unlikely]]
        CrashOnNoObject(Name());
    }
    faults::ThrowIfArmed(reinterpret_cast<const void*>(&Call));
    if constexpr (std::is_void_v<R>) {
      Function(Convert<OwnArgs>(std::forward<Args>(args))...);
    } else {
      return Convert<R>(Function(Convert<OwnArgs>(std::forward<Args>(args))...));
    }
  }
};

// A function that gives back a record the game declares with a result pointer after the object:
// published as R*(DWORD64, R*, Args...), written as R(Self, OwnArgs...).
template <typename Published, auto Function, typename Own = decltype(Function)>
struct ResultAdapter;

template <typename R, typename... Args, auto Function, typename Self, typename... OwnArgs>
struct ResultAdapter<R*(DWORD64, R*, Args...), Function, R (*)(Self, OwnArgs...)> {
  static_assert(sizeof...(Args) == sizeof...(OwnArgs), "one argument for each parameter");
  static std::string& Name() {
    static std::string name;
    return name;
  }
  static R* Call(DWORD64 self, R* result, Args... args) {
    if (self == 0) [[unlikely]]
      CrashOnNoObject(Name());
    faults::ThrowIfArmed(reinterpret_cast<const void*>(&Call));
    // Built in the caller's storage, as the game does: whatever the caller had there is not
    // released, so a caller must pass an empty record.
    return new (result)
        R(Function(Convert<Self>(self), Convert<OwnArgs>(std::forward<Args>(args))...));
  }
};

template <typename Adapter>
void Publish(std::string_view name) {
  Adapter::Name() = name;
  framework::RegisterFunction(name, &Adapter::Call);
  faults::Published(name, reinterpret_cast<const void*>(&Adapter::Call));
}

}  // namespace publish

// Publishes the member function Function under name with the type plugins call it with: a call
// on no object crashes the server.
template <typename Published, auto Function>
void PublishFunction(std::string_view name) {
  publish::Publish<publish::Adapter<Published, Function, publish::Kind::kMember>>(name);
}

// The same for a static function, which plugins call with no object.
template <typename Published, auto Function>
void PublishStaticFunction(std::string_view name) {
  publish::Publish<publish::Adapter<Published, Function, publish::Kind::kStatic>>(name);
}

// The same for a member function published with a result pointer (see ResultAdapter).
template <typename Published, auto Function>
void PublishResultFunction(std::string_view name) {
  publish::Publish<publish::ResultAdapter<Published, Function>>(name);
}

}  // namespace game

#pragma once

// The game's functions, fields and flags, reached by name.

#include <cstddef>
#include <string>
#include <utility>

#include "Base.h"

// A member function: the object goes first, as an integer.
template <typename RT, typename... ArgsTypes, typename... Args>
RT NativeCall(void* _this, const std::string& func_name, Args&&... args) {
  using Function = RT(__fastcall*)(DWORD64, ArgsTypes...);
  return reinterpret_cast<Function>(GetAddress(func_name))(reinterpret_cast<DWORD64>(_this),
                                                           std::forward<Args>(args)...);
}

// A static function: NativeCall<R, P...>(nullptr, "Class.Function", args...).
template <typename RT, typename... ArgsTypes, typename... Args>
RT NativeCall(std::nullptr_t, const std::string& func_name, Args&&... args) {
  using Function = RT(__fastcall*)(ArgsTypes...);
  return reinterpret_cast<Function>(GetAddress(func_name))(std::forward<Args>(args)...);
}

// A field's value, copied.
template <typename RT>
RT GetNativeField(const void* _this, const std::string& field_name) {
  return *reinterpret_cast<RT*>(GetAddress(_this, field_name));
}

// A field's address; RT is the pointer type, as in GetNativePointerField<FString*>.
template <typename RT>
RT GetNativePointerField(const void* _this, const std::string& field_name) {
  return reinterpret_cast<RT>(GetAddress(_this, field_name));
}

// A global's address; RT is the pointer type.
template <typename RT>
RT GetNativeDataPointerField(const std::string& field_name) {
  return reinterpret_cast<RT>(GetDataAddress(field_name));
}

// A flag, read from the word of type T that holds it. An unknown name or no object reads as
// RT(): the resolver has logged the name, and a null word is not followed.
template <typename RT, typename T>
RT GetNativeBitField(const LPVOID _this, const std::string& field_name) {
  const BitField bf = GetBitField(_this, field_name);
  if (bf.offset == 0) return RT();
  const ULONGLONG word = *reinterpret_cast<T*>(bf.offset);
  return static_cast<RT>((word >> bf.bit_position) & (~0ULL >> (64 - bf.num_bits)));
}

// Writes a flag, leaving the other bits of its word as they are. Nothing is written for an
// unknown name or no object.
template <typename RT, typename T>
void SetNativeBitField(LPVOID _this, const std::string& field_name, RT new_value) {
  const BitField bf = GetBitField(_this, field_name);
  if (bf.offset == 0) return;
  T& word = *reinterpret_cast<T*>(bf.offset);
  const ULONGLONG mask = (~0ULL >> (64 - bf.num_bits)) << bf.bit_position;
  const ULONGLONG value = static_cast<ULONGLONG>(new_value) << bf.bit_position;
  word = static_cast<T>((word & ~mask) | (value & mask));
}

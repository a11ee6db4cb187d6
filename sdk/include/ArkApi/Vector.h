#pragma once

// Plain value types the game passes by value: positions and colours.

#include <cstdint>

struct FVector {
  float X = 0.f;
  float Y = 0.f;
  float Z = 0.f;
};

struct FLinearColor {
  float R = 0.f;
  float G = 0.f;
  float B = 0.f;
  float A = 0.f;

  FLinearColor() {}
  FLinearColor(float red, float green, float blue, float alpha = 1.f)
      : R(red), G(green), B(blue), A(alpha) {}
};

// Packed 8-bit colour; the layout (B, G, R, A in memory) is the game's.
struct FColor {
  std::uint8_t B = 0;
  std::uint8_t G = 0;
  std::uint8_t R = 0;
  std::uint8_t A = 0;

  FColor() = default;
  // From the packed 0xAARRGGBB form.
  explicit constexpr FColor(std::uint32_t argb)
      : B(static_cast<std::uint8_t>(argb)),
        G(static_cast<std::uint8_t>(argb >> 8)),
        R(static_cast<std::uint8_t>(argb >> 16)),
        A(static_cast<std::uint8_t>(argb >> 24)) {}
  constexpr std::uint32_t ToPackedARGB() const {
    return (std::uint32_t{A} << 24) | (std::uint32_t{R} << 16) | (std::uint32_t{G} << 8) | B;
  }
};

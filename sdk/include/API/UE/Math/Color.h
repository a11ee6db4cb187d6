#pragma once

// Colours: linear floating point, and packed 8-bit as the screen shows them.

#include <cmath>

#include "../BasicTypes.h"

struct FColor;

struct FLinearColor {
  float R;
  float G;
  float B;
  float A;

  FLinearColor() {}
  explicit FLinearColor(EForceInit) : R(0), G(0), B(0), A(0) {}
  FLinearColor(float InR, float InG, float InB, float InA = 1.0f)
      : R(InR), G(InG), B(InB), A(InA) {}
  // The colour channels through the sRGB curve to linear; alpha scaled.
  FLinearColor(const FColor& Color);

 private:
  static float LinearOf(uint8 Channel) {
    const float Shown = Channel / 255.0f;
    return Shown <= 0.04045f ? Shown / 12.92f : std::pow((Shown + 0.055f) / 1.055f, 2.4f);
  }
};

// Laid out B, G, R, A in memory, so the word holds 0xAARRGGBB.
struct alignas(4) FColor {
  uint8 B;
  uint8 G;
  uint8 R;
  uint8 A;

  FColor() {}
  explicit FColor(EForceInit) : B(0), G(0), R(0), A(0) {}
  FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255) : B(InB), G(InG), R(InR), A(InA) {}
  // From the packed 0xAARRGGBB form.
  explicit FColor(uint32 InColor)
      : B(static_cast<uint8>(InColor)),
        G(static_cast<uint8>(InColor >> 8)),
        R(static_cast<uint8>(InColor >> 16)),
        A(static_cast<uint8>(InColor >> 24)) {}

  uint32 ToPackedARGB() const {
    return (uint32{A} << 24) | (uint32{R} << 16) | (uint32{G} << 8) | B;
  }
  uint32 ToPackedABGR() const {
    return (uint32{A} << 24) | (uint32{B} << 16) | (uint32{G} << 8) | R;
  }

  bool operator==(const FColor& C) const { return ToPackedARGB() == C.ToPackedARGB(); }
  bool operator!=(const FColor& C) const { return !(*this == C); }
};

inline FLinearColor::FLinearColor(const FColor& Color)
    : R(LinearOf(Color.R)), G(LinearOf(Color.G)), B(LinearOf(Color.B)), A(Color.A / 255.0f) {}

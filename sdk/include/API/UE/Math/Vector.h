#pragma once

// A position or direction in game units.

#include "../BasicTypes.h"

struct FVector {
  float X;
  float Y;
  float Z;

  FVector() : X(0), Y(0), Z(0) {}
  explicit FVector(float InF) : X(InF), Y(InF), Z(InF) {}
  constexpr FVector(float InX, float InY, float InZ) : X(InX), Y(InY), Z(InZ) {}
  explicit FVector(EForceInit) : X(0), Y(0), Z(0) {}
};

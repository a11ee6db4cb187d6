#pragma once

#include "API/ARK/Actor.h"

struct UWorld : UObject {};
struct AGameMode : AInfo {};
struct AShooterGameMode : AGameMode {};

#pragma once

#include "API/UE/UE.h"

struct UActorComponent : UObject {};

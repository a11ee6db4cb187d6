#pragma once

// Everything the framework publishes to plugins. Include it first: the framework's other headers
// expect ARK_GAME.

#define _CRT_SECURE_NO_WARNINGS
#ifndef _SILENCE_CXX17_CODECVT_HEADER_DEPRECATION_WARNING
#define _SILENCE_CXX17_CODECVT_HEADER_DEPRECATION_WARNING
#endif
#ifndef ARK_GAME
#define ARK_GAME
#endif

// The framework's order; the stand-in leaves out what nothing here uses (rotators, network
// serialisation, the colour list, game state, structures and hooks).
// clang-format off
#include "../Base.h"
#include "Enums.h"
#include "../UE/Math/Vector.h"
#include "../UE/UE.h"
#include "Inventory.h"
#include "Other.h"
#include "Tribe.h"
#include "Actor.h"
#include "GameMode.h"
#include "../../IApiUtils.h"
#include "../../ICommands.h"
#include "Tools.h"
// clang-format on

#pragma once

#ifdef ARK_GAME
#include "Ark/ArkApiUtils.h"
#else
#error "include <API/ARK/Ark.h> first"
#endif

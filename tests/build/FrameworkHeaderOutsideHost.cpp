// Plugin code outside plugin/host/ that reaches for a framework header: the build must refuse it,
// since the framework's headers are visible to the host library alone.

#include <API/ARK/Ark.h>

#include "host/Game.h"

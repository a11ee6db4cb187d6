#pragma once

// The framework's log sinks, shared with plugins: a plugin builds its own logger over the
// same sink objects.

#include <spdlog/common.h>

#include <vector>

#include "ArkApi/Export.h"

ARKAPI_EXPORT std::vector<spdlog::sink_ptr>& GetLogSinks();

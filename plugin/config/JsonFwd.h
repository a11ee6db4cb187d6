#pragma once

// nlohmann::json declared, for headers that only pass it by reference. The framework bundles the
// library as one header with no declaration-only part; there this is the whole library.

#if __has_include(<nlohmann/json_fwd.hpp>)
#include <nlohmann/json_fwd.hpp>
#else
#include <json.hpp>
#endif

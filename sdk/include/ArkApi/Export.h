#pragma once

// Symbols the framework library publishes to plugins.
#ifdef _WIN32
#define ARKAPI_EXPORT __declspec(dllimport)
#else
#define ARKAPI_EXPORT __attribute__((visibility("default")))
#endif

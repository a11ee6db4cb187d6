#pragma once

// Symbols the framework library publishes to plugins.
#define ARKAPI_EXPORT __attribute__((visibility("default")))

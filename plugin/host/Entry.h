#pragma once

// What the library's entry asks of the plugin's process-wide objects.

// Marks an object the attach notification uses. Where the library's own constructor is the
// attach notification, such objects must be built before it runs; where the system calls an
// entry function once the library's static initialisation is done (Windows), nothing is needed.
#ifdef _WIN32
#define HOST_BUILT_BEFORE_ATTACH
#else
#define HOST_BUILT_BEFORE_ATTACH [[gnu::init_priority(1000)]]
#endif

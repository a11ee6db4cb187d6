#pragma once

// What the process holds through operator new, for programs that must show that some work stays
// within a bound of memory. Linking this library replaces the global operator new and delete in
// the whole process, the plugin loaded into it included; it is meant for the soak and the
// benchmarks, not for the server.

#include <cstddef>

namespace heapmeter {

// Bytes held now.
std::size_t LiveBytes();
// The most held at once since the last ResetPeak (or the start).
std::size_t PeakBytes();
// Starts a new peak from what is held now.
void ResetPeak();

}  // namespace heapmeter

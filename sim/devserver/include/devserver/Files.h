#pragma once

// Files devserver reads and writes at paths a person gives it. Only a regular file is opened,
// or, for writing, nothing yet: a FIFO would hold the open until another program opens its other
// end, a device may read or take writes without end, and a folder reads as nothing.

#include <filesystem>
#include <string>
#include <string_view>

#include "devserver/Words.h"

namespace devserver {

// Refuses (ScenarioError, naming the file as name) what stands at path unless it is a regular
// file, symbolic links followed, or nothing.
void ExpectFileOrNothing(const std::filesystem::path& path, std::string_view name);

// The whole of a regular file; a ScenarioError naming it when it cannot be opened or a read fails
// part-way, which is no end of it.
std::string ReadWholeFile(const std::filesystem::path& path, std::string_view name);

}  // namespace devserver

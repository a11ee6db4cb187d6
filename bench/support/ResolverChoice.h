#pragma once

// What a name resolution costs while a benchmark runs: `--resolver=real-cost` (the default) prices
// it as the real framework's resolver does, `--resolver=fast` as the stand-in's own.

#include <optional>
#include <string>

namespace bench_support {

// Takes the option out of the arguments and puts its choice in force. Returns the choice's
// name, or none (with a message on standard error) for a value it does not know.
std::optional<std::string> ChooseResolver(int& argc, char** argv);

}  // namespace bench_support

#include <fmt/format.h>

#include "devserver/DevServer.h"
#include "devserver/Words.h"

namespace devserver {
namespace {

constexpr std::size_t kDescriptionColumn = 22;

// Lines after the first, indented to the description's column.
std::string Indented(std::string_view text) {
  std::string out;
  for (const auto line : SplitLines(text)) {
    out += fmt::format("{:{}}{}\n", "", kDescriptionColumn, line);
  }
  return out;
}

// "  tick [N]            run N …": the description beside the usage, or below it when the usage
// reaches its column.
std::string Entry(const Command& command) {
  std::string usage(command.name);
  if (!command.arguments.empty()) usage += fmt::format(" {}", command.arguments);
  const auto lines = SplitLines(command.description);
  std::string out = usage.size() + 3 <= kDescriptionColumn
                        ? fmt::format("  {:<{}}{}\n", usage, kDescriptionColumn - 2, lines[0])
                        : fmt::format("  {}\n", usage) + Indented(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) out += Indented(lines[i]);
  return out;
}

const Command& Named(std::string_view name) {
  if (const Command* command = FindCommand(name)) return *command;
  const std::string nearest = DidYouMean(name, CommandNames());
  throw ScenarioError(fmt::format("no command {}{}", Excerpt(name),
                                  nearest.empty() ? "; help lists them" : nearest));
}

std::string HelpFor(std::string_view name) {
  const auto& command = Named(name);
  const auto example = SplitLines(command.example);
  std::string out = Entry(command) + Indented("e.g. " + std::string(example[0]));
  for (std::size_t i = 1; i < example.size(); ++i)
    out += Indented(fmt::format("     {}", example[i]));
  return out;
}

}  // namespace

std::string HelpText() {
  std::string out;
  std::string_view section;
  for (const auto& command : DevServer::kCommands) {
    if (command.section != section) out += fmt::format("{}\n", section = command.section);
    out += Entry(command);
  }
  return out;
}

bool AnswerHelp(std::string_view line, std::ostream& out) {
  // Only a help line is split: a chat line may hold any quotes.
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos || line.substr(start, 4) != "help") return false;
  if (line.size() > start + 4 && line[start + 4] != ' ') return false;
  const auto words = SplitWords(line);
  FindCommand("help")->ExpectWords(words);
  out << (words.size() == 1 ? HelpText() : HelpFor(words[1].text));
  return true;
}

}  // namespace devserver

// Prints the benchmarks' figures as one table: each work's floor, plugin and ratio with name
// resolutions priced as the real framework's resolver prices them and as the stand-in's fast one
// does, and the resolutions per label or creature. It reads Google Benchmark's JSON results (run
// with repetitions; the medians are shown), each file from one resolver (its context's
// "resolver"). Exits with 1 when a benchmark reported an error, such as a floor that differs from
// the plugin. Each `--instructions RESOLVER PLUGIN FLOOR` gives the instructions of one full-server
// refresh; each `--devserver RUN SECONDS` the time the same work took through devserver, for a
// second table that sets it beside the benchmark's.
//
//   bench_table [--instructions RESOLVER PLUGIN FLOOR]... RESULTS.json... [--devserver RUN
//   SECONDS]...

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "support/LabelWorld.h"

namespace {

using nlohmann::json;

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Significant(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

// Three significant digits in the largest unit that keeps the number at 1 or more.
std::string Duration(double seconds) {
  const struct {
    double scale;
    const char* unit;
  } units[] = {{1, "s"}, {1e-3, "ms"}, {1e-6, "us"}, {1e-9, "ns"}};
  for (const auto& unit : units) {
    const double value = seconds / unit.scale;
    if (value >= 1 || unit.scale == 1e-9) {
      const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
      return Fixed(value, decimals) + " " + unit.unit;
    }
  }
  return {};
}

double Seconds(double value, const std::string& unit) {
  if (unit == "ns") return value * 1e-9;
  if (unit == "us") return value * 1e-6;
  if (unit == "ms") return value * 1e-3;
  return value;
}

// Google Benchmark writes a counter's coefficient of variation over five zeros as NaN, which JSON
// has no word for: such a value reads as null.
json ParseResults(std::istream& file) {
  const std::string text(std::istreambuf_iterator<char>(file), {});
  static const std::regex kNotANumber(R"((:\s*)-?(NaN|nan|Infinity|inf)\b)");
  return json::parse(std::regex_replace(text, kNotANumber, "$1null"));
}

// One benchmark's medians under one resolver.
struct Figures {
  std::string floor = "-";
  std::string plugin = "-";
  std::string ratio = "-";
  double pluginSeconds = 0;
};

struct Row {
  std::string work;
  std::map<std::string, Figures> byResolver;  // "real-cost", "fast"
  std::string resolutions = "-";
  std::string error;
};

std::string Resolutions(const json& run) {
  std::string text;
  for (const char* per : {"label", "creature", "tick"}) {
    const std::string plugin = std::string("resolutions/") + per;
    if (!run.contains(plugin) || !run[plugin].is_number()) continue;
    text = Significant(run[plugin].get<double>()) + " per " + per;
    const std::string floor = "floor_" + plugin;
    if (run.contains(floor) && run[floor].is_number())
      text += " (floor " + Significant(run[floor].get<double>()) + ")";
  }
  return text.empty() ? "-" : text;
}

Figures FiguresOf(const json& run) {
  Figures figures;
  figures.pluginSeconds = run.contains("plugin") ? run["plugin"].get<double>()
                                                 : Seconds(run["real_time"].get<double>(),
                                                           run["time_unit"].get<std::string>());
  figures.plugin = Duration(figures.pluginSeconds);
  if (run.contains("floor")) figures.floor = Duration(run["floor"].get<double>());
  if (run.contains("ratio")) figures.ratio = Fixed(run["ratio"].get<double>(), 2);
  return figures;
}

// Instructions of one label refresh per label, plugin and floor, under one resolver.
struct Instructions {
  std::string resolver;
  double plugin, floor;
};

std::string InstructionsText(const std::vector<Instructions>& counts) {
  std::string text;
  for (const Instructions& count : counts) {
    const double labels = bench_support::kLabelsPerRefresh;
    if (!text.empty()) text += "; ";
    text += count.resolver + ": " + Fixed(count.plugin / labels, 0) + " (floor " +
            Fixed(count.floor / labels, 0) + ")";
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Instructions> instructions;
  std::vector<std::string> order;
  std::map<std::string, Row> rows;
  std::vector<std::pair<std::string, double>> throughDevserver;
  bool failed = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--instructions" && i + 3 < argc) {
      instructions.push_back({argv[i + 1], std::stod(argv[i + 2]), std::stod(argv[i + 3])});
      i += 3;
      continue;
    }
    if (argument == "--devserver" && i + 2 < argc) {
      throughDevserver.emplace_back(argv[i + 1], std::stod(argv[i + 2]));
      i += 2;
      continue;
    }
    std::ifstream file(argument);
    if (!file) {
      std::cerr << "can't open " << argument << '\n';
      return 2;
    }
    const json results = ParseResults(file);
    const std::string resolver = results.at("context").value("resolver", "fast");
    for (const json& run : results.at("benchmarks")) {
      const std::string name = run.at("run_name").get<std::string>();
      const auto [row, first] = rows.try_emplace(name);
      if (first) {
        order.push_back(name);
        row->second.work = name;
      }
      if (run.value("error_occurred", false)) {
        failed = true;
        row->second.error = "error: " + run.value("error_message", std::string("unknown"));
      } else if (run.value("aggregate_name", "") == "median") {
        const std::string label = run.value("label", "");
        if (!label.empty()) row->second.work = label;
        row->second.byResolver[resolver] = FiguresOf(run);
        if (resolver == "real-cost") row->second.resolutions = Resolutions(run);
      }
    }
  }

  std::cout << "| work | floor | plugin | ratio | floor, fast | plugin, fast | ratio, fast | "
               "name resolutions |\n"
            << "|---|---:|---:|---:|---:|---:|---:|---|\n";
  for (const std::string& name : order) {
    Row& row = rows[name];
    const Figures& real = row.byResolver["real-cost"];
    const Figures& fast = row.byResolver["fast"];
    std::cout << "| " << row.work << " | " << real.floor << " | "
              << (row.error.empty() ? real.plugin : row.error) << " | " << real.ratio << " | "
              << fast.floor << " | " << fast.plugin << " | " << fast.ratio << " | "
              << row.resolutions << " |\n";
  }
  if (!instructions.empty()) {
    std::cout << "\nInstructions per label of the full-server refresh: "
              << InstructionsText(instructions) << ".\n";
  }
  if (!throughDevserver.empty()) {
    // devserver resolves with the stand-in's fast resolver: it is set beside that column.
    std::cout << "\n| work | benchmark, fast | through devserver | devserver / benchmark |\n"
              << "|---|---:|---:|---:|\n";
    for (const auto& [name, seconds] : throughDevserver) {
      const auto row = rows.find(name);
      if (row == rows.end() || row->second.byResolver.count("fast") == 0) {
        std::cerr << "no fast-resolver benchmark named " << name << '\n';
        return 2;
      }
      const double benchmark = row->second.byResolver["fast"].pluginSeconds;
      std::cout << "| " << row->second.work << " | " << Duration(benchmark) << " | "
                << Duration(seconds) << " | " << Fixed(seconds / benchmark, 2) << " |\n";
    }
  }
  return failed ? 1 : 0;
}

// Prints the benchmarks' figures as one table: work | floor | plugin | ratio | instructions per
// label | name resolutions. It reads Google Benchmark's JSON results (run with repetitions; the
// medians are shown) and the instruction counts of one plugin and one floor label refresh.
// Exits with 1 when a benchmark reported an error, such as a floor that differs from the plugin.
// Each `--devserver RUN SECONDS` adds the time the same work took through devserver, for a
// second table that sets it beside the benchmark's.
//
//   bench_table PLUGIN_INSTRUCTIONS FLOOR_INSTRUCTIONS RESULTS.json... [--devserver RUN SECONDS]...

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "support/LabelWorld.h"

namespace {

using nlohmann::json;

constexpr const char* kRefreshRun = "BM_FullServerLabelRefresh/manual_time";

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

struct Row {
  std::string work;
  std::string floor = "-";
  std::string plugin = "-";
  std::string ratio = "-";
  std::string instructions = "-";
  std::string resolutions = "-";
};

std::string Resolutions(const json& run) {
  std::string text;
  for (const char* per : {"label", "creature"}) {
    const std::string plugin = std::string("resolutions/") + per;
    if (!run.contains(plugin)) continue;
    text = Significant(run[plugin].get<double>()) + " per " + per;
    const std::string floor = "floor_" + plugin;
    if (run.contains(floor)) text += " (floor " + Significant(run[floor].get<double>()) + ")";
  }
  return text.empty() ? "-" : text;
}

Row FromMedian(const json& run, double pluginInstructions, double floorInstructions) {
  Row row;
  const std::string label = run.value("label", "");
  row.work = label.empty() ? run["run_name"].get<std::string>() : label;
  if (run.contains("plugin")) {
    row.plugin = Duration(run["plugin"].get<double>());
  } else {
    row.plugin =
        Duration(Seconds(run["real_time"].get<double>(), run["time_unit"].get<std::string>()));
  }
  if (run.contains("floor")) row.floor = Duration(run["floor"].get<double>());
  if (run.contains("ratio")) row.ratio = Fixed(run["ratio"].get<double>(), 2);
  if (run["run_name"] == kRefreshRun) {
    const double labels = bench_support::kLabelsPerRefresh;
    row.instructions = Fixed(pluginInstructions / labels, 0) + " (floor " +
                       Fixed(floorInstructions / labels, 0) + ")";
  }
  row.resolutions = Resolutions(run);
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: " << argv[0]
              << " PLUGIN_INSTRUCTIONS FLOOR_INSTRUCTIONS RESULTS.json...\n";
    return 2;
  }
  const double pluginInstructions = std::stod(argv[1]);
  const double floorInstructions = std::stod(argv[2]);

  std::vector<std::string> order;
  std::map<std::string, Row> rows;
  std::map<std::string, double> pluginSeconds;
  std::vector<std::pair<std::string, double>> throughDevserver;
  bool failed = false;
  for (int i = 3; i < argc; ++i) {
    if (std::string(argv[i]) == "--devserver" && i + 2 < argc) {
      throughDevserver.emplace_back(argv[i + 1], std::stod(argv[i + 2]));
      i += 2;
      continue;
    }
    std::ifstream file(argv[i]);
    if (!file) {
      std::cerr << "can't open " << argv[i] << '\n';
      return 2;
    }
    const json results = json::parse(file);
    for (const json& run : results.at("benchmarks")) {
      const std::string name = run.at("run_name").get<std::string>();
      const auto [row, first] = rows.try_emplace(name);
      if (first) {
        order.push_back(name);
        row->second.work = name;
      }
      if (run.value("error_occurred", false)) {
        failed = true;
        row->second.plugin = "error: " + run.value("error_message", std::string("unknown"));
      } else if (run.value("aggregate_name", "") == "median") {
        row->second = FromMedian(run, pluginInstructions, floorInstructions);
        pluginSeconds[name] = run.contains("plugin") ? run["plugin"].get<double>()
                                                     : Seconds(run["real_time"].get<double>(),
                                                               run["time_unit"].get<std::string>());
      }
    }
  }

  std::cout << "| work | floor | plugin | ratio | instructions per label | name resolutions |\n"
            << "|---|---:|---:|---:|---:|---|\n";
  for (const std::string& name : order) {
    const Row& row = rows[name];
    std::cout << "| " << row.work << " | " << row.floor << " | " << row.plugin << " | " << row.ratio
              << " | " << row.instructions << " | " << row.resolutions << " |\n";
  }
  if (!throughDevserver.empty()) {
    std::cout << "\n| work | benchmark | through devserver | devserver / benchmark |\n"
              << "|---|---:|---:|---:|\n";
    for (const auto& [name, seconds] : throughDevserver) {
      const auto benchmark = pluginSeconds.find(name);
      if (benchmark == pluginSeconds.end()) {
        std::cerr << "no benchmark named " << name << '\n';
        return 2;
      }
      std::cout << "| " << rows[name].work << " | " << Duration(benchmark->second) << " | "
                << Duration(seconds) << " | " << Fixed(seconds / benchmark->second, 2) << " |\n";
    }
  }
  return failed ? 1 : 0;
}

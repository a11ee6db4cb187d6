// Google Benchmark's main, with the resolver's price chosen first (see ResolverChoice.h) and
// named in the results' context as "resolver".

#include <benchmark/benchmark.h>

#include "support/ResolverChoice.h"

int main(int argc, char** argv) {
  const auto resolver = bench_support::ChooseResolver(argc, argv);
  if (!resolver) return 2;
  benchmark::AddCustomContext("resolver", *resolver);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Runs one label refresh of the full server (7,630 labels) inside CountedRefresh, so that
// callgrind can count its instructions alone:
//
//   valgrind --tool=callgrind --collect-atstart=no
//     --toggle-collect='bench_instructions::CountedRefresh*' label_refresh_instructions plugin
//
// with --resolver=real-cost (the default) or --resolver=fast. "plugin" refreshes through the
// plugin's updaters, "floor" through the floor. The plugin and the floor are first shown to draw
// the same labels, and one refresh runs before the counted one so that the counted one finds every
// storage grown.

#include <cstring>
#include <exception>
#include <iostream>

#include "support/LabelWorld.h"
#include "support/ResolverChoice.h"

namespace bench_instructions {

void Refresh(bench_support::LabelWorld& world, bool plugin) {
  if (plugin) {
    world.RefreshPlugin();
  } else {
    world.RefreshFloor();
  }
}

[[gnu::noinline]] void CountedRefresh(bench_support::LabelWorld& world, bool plugin) {
  Refresh(world, plugin);
}

}  // namespace bench_instructions

int main(int argc, char** argv) {
  if (!bench_support::ChooseResolver(argc, argv)) return 2;
  const bool plugin = argc == 2 && std::strcmp(argv[1], "plugin") == 0;
  const bool floor = argc == 2 && std::strcmp(argv[1], "floor") == 0;
  if (!plugin && !floor) {
    std::cerr << "usage: " << argv[0] << " [--resolver=real-cost|fast] plugin|floor\n";
    return 2;
  }
  try {
    bench_support::LabelWorld world;
    if (const std::string error = world.Check(); !error.empty()) {
      std::cerr << error << '\n';
      return 1;
    }
    bench_instructions::Refresh(world, plugin);
    bench_instructions::CountedRefresh(world, plugin);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  std::cout << bench_support::kLabelsPerRefresh << " labels per refresh\n";
  return 0;
}

// The main window's start on the headless window system, where pauses cost no time: creation
// (the sprite sheet unpacked and made a picture, the records read, the first game set up with
// its drops drawn), the first size and the first paint; and the sprite sheet's load alone.
#include <benchmark/benchmark.h>

#include "fixed_iterations.h"
#include "gfx/sprite_sheet.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "platform/software/soft_surface.h"
#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"
#include "shell/assets.h"
#include "shell/main_window.h"

namespace rolvi {
namespace {

const shell::Assets& ProgramAssets() {
  static const platform::widgets::TableResourceLookup resources(res::Tables());
  static const shell::Assets assets = shell::LoadAssets(resources);
  return assets;
}

void BM_MainWindowStart(benchmark::State& state) {
  const shell::Assets& assets = ProgramAssets();
  for (auto _ : state) {
    platform::MemoryFileSystem files;
    platform::HeadlessWindowSystem system({612, 374}, 7, files);
    shell::MainWindow window(system, assets);
    system.Attach(window);
    system.Create();
    system.Resize(612, 374);
    benchmark::DoNotOptimize(system.surface().pixels().data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMillisecond)->Apply(bench::FixedIterations);

void BM_LoadSpriteSheet(benchmark::State& state) {
  const shell::Assets& assets = ProgramAssets();
  platform::SoftSurface surface(612, 374);
  for (auto _ : state) {
    gfx::SpriteSheet sheet;
    benchmark::DoNotOptimize(gfx::LoadSpriteSheet(surface, assets.sheet_stream, sheet));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LoadSpriteSheet)->Unit(benchmark::kMillisecond)->Apply(bench::FixedIterations);

}  // namespace
}  // namespace rolvi

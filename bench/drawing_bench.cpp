// What a frame of the main window costs the game: a whole repaint of the client area at the
// classic size and at a large one, the jumping ball's frame (its cell drawn, then what the
// desktop back end copies into the window for it), also with the ball symbols on, and the
// software surface's block copy in each of its modes, for a sprite tile and for the whole
// sprite sheet.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "fixed_iterations.h"
#include "platform/headless/headless_window_system.h"
#include "platform/memory_file_system.h"
#include "platform/sdl/enlarge.h"
#include "platform/software/soft_image.h"
#include "platform/software/soft_surface.h"
#include "platform/widgets/table_resource_lookup.h"
#include "res/tables.h"
#include "shell/assets.h"
#include "shell/layout.h"
#include "shell/main_window.h"

namespace rolvi {
namespace {

using platform::Rect;
using platform::SoftSurface;

// The main window created as the program creates it, on a headless window system.
struct Window {
  Window(int width, int height)
      : resources(res::Tables()),
        system({width, height}, 7, files),
        window(system, shell::LoadAssets(resources)) {
    system.Attach(window);
    system.Create();
    system.Resize(width, height);
  }
  platform::widgets::TableResourceLookup resources;
  platform::MemoryFileSystem files;
  platform::HeadlessWindowSystem system;
  shell::MainWindow window;
};

// A window-sized pixel buffer standing in for the desktop window's own pixels.
struct WindowPixels {
  explicit WindowPixels(const SoftSurface& client)
      : pixels(static_cast<std::size_t>(client.width()) *
               static_cast<std::size_t>(client.height())),
        target{pixels.data(), client.width(), client.height(), client.width()} {}
  std::vector<std::uint32_t> pixels;
  platform::sdl::PixelTarget target;
};

// What the desktop back end copies into its window after a frame: the rectangles drawn since
// the last present, at scale 1.
void PresentChanges(SoftSurface& client, WindowPixels& window) {
  for (const Rect& changed : client.changes()) {
    const platform::sdl::PixelBlock block{
        client.pixels().data() + static_cast<std::ptrdiff_t>(changed.top) * client.width() +
            changed.left,
        changed.width(), changed.height(), client.width()};
    platform::sdl::EnlargeInto(block, 1, window.target, changed.left, changed.top);
  }
  client.ForgetChanges();
}

void BM_FullRepaint(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  Window window(width, height);
  SoftSurface& client = window.system.surface();
  for (auto _ : state) {
    // What the desktop back end does for a paint: the background, then the whole paint.
    client.FillRect(Rect{0, 0, width, height}, platform::kBlack);
    window.window.OnPaint(client);
    benchmark::DoNotOptimize(client.pixels().data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullRepaint)
    ->Args({612, 374})
    ->Args({1900, 1000})
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::FixedIterations);

// The first ball on the board, in reading order.
std::optional<game::CellRef> FirstBall(const game::Game& game) {
  for (int row = 0; row < game::kBoardSide; ++row) {
    for (int column = 0; column < game::kBoardSide; ++column) {
      if (game.supply.board.at(column, row) != game::kEmpty) return game::CellRef{column, row};
    }
  }
  return std::nullopt;
}

void JumpingBallFrames(benchmark::State& state, bool symbols) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  Window window(width, height);
  if (symbols) window.window.OnCommand(CommandNumber(shell::Command::kToggleSymbols));
  const auto ball = FirstBall(window.window.game());
  if (!ball) {
    state.SkipWithError("no ball on the board");
    return;
  }
  const platform::Point centre = shell::CellCentre(window.window.layout().board_origin, *ball);
  window.window.OnMouseDown(centre.x, centre.y);
  window.window.OnMouseUp(centre.x, centre.y);
  SoftSurface& client = window.system.surface();
  WindowPixels pixels(client);
  PresentChanges(client, pixels);
  for (auto _ : state) {
    window.window.OnTimer();
    PresentChanges(client, pixels);
    benchmark::ClobberMemory();
  }
}

void BM_JumpingBallFrame(benchmark::State& state) {
  JumpingBallFrames(state, false);
}
BENCHMARK(BM_JumpingBallFrame)->Args({612, 374})->Args({1900, 1000})->Apply(bench::FixedIterations);

void BM_JumpingBallFrameWithSymbols(benchmark::State& state) {
  JumpingBallFrames(state, true);
}
BENCHMARK(BM_JumpingBallFrameWithSymbols)->Args({612, 374})->Apply(bench::FixedIterations);

// A picture of the given size with every pixel different, as a block-copy source.
platform::SoftImage Picture(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  }
  return platform::SoftImage(width, height, std::move(pixels));
}

// range(0): the raster operation; range(1): the block's side (36, a cell tile) or 0 for the
// whole 511 by 585 sprite sheet.
void BM_Blit(benchmark::State& state) {
  const auto op = static_cast<platform::RasterOp>(state.range(0));
  const bool tile = state.range(1) != 0;
  const platform::SoftImage picture = Picture(511, 585);
  SoftSurface surface(612, 612);
  const int width = tile ? 36 : 511;
  const int height = tile ? 36 : 585;
  for (auto _ : state) {
    surface.Blit(10, 11, width, height, &picture, tile ? 37 : 0, tile ? 73 : 0, op);
    benchmark::DoNotOptimize(surface.pixels().data());
    benchmark::ClobberMemory();
    surface.ForgetChanges();
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Blit)
    ->ArgNames({"op", "tile"})
    ->Args({static_cast<int>(platform::RasterOp::kCopy), 36})
    ->Args({static_cast<int>(platform::RasterOp::kAnd), 36})
    ->Args({static_cast<int>(platform::RasterOp::kOr), 36})
    ->Args({static_cast<int>(platform::RasterOp::kCopy), 0})
    ->Args({static_cast<int>(platform::RasterOp::kAnd), 0})
    ->Args({static_cast<int>(platform::RasterOp::kOr), 0})
    ->Apply(bench::FixedIterations);

}  // namespace
}  // namespace rolvi

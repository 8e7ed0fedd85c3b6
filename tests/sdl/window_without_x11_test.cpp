// The window code on a video driver other than X11 (SDL's dummy driver, which the test runner
// selects): presenting enlarged pictures into a window, and then only what changed, placing
// windows without frame reports, and the main window opening at the scale ROLVI_SCALE asks for.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/memory_file_system.h"
#include "platform/sdl/sdl_support.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/x11_window_hints.h"
#include "res/tables.h"
#include "shell/commands.h"
#include "support/program_assets.h"

namespace rolvi::platform::sdl {
namespace {

std::uint32_t TicksForTest() {
  return 1;
}

class WindowWithoutX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
      GTEST_SKIP() << "these cases are about video drivers other than X11";
    }
  }
  void TearDown() override {
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_Quit();
  }
  SDL_Window* MakeWindow(int width, int height) {
    window_ = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    return window_;
  }
  // The window surface's pixel at (x, y) as 0xRRGGBB.
  std::uint32_t WindowPixel(int x, int y) const {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(target->pixels) +
                                                      y * target->pitch);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(row[x], target->format, &r, &g, &b);
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
  }
  SDL_Window* window_ = nullptr;
};

TEST_F(WindowWithoutX11, PresentEnlargesTheLayersAndThenCopiesOnlyTheDrawnRectangles) {
  ASSERT_NE(MakeWindow(44, 34), nullptr) << SDL_GetError();
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  ASSERT_NE(target, nullptr) << SDL_GetError();
  ASSERT_EQ(target->format->BytesPerPixel, 4);
  SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 1, 2, 3));
  SoftSurface layer(20, 15);
  layer.FillRect({0, 0, 20, 15}, Rgb{0, 0, 200});
  // Scale 2, the layer at (1, 1), the layers said to cover 21 by 16: the window's last two
  // columns and rows are beyond what they cover, its first two outside the layer.
  Present(window_, 2, Size{21, 16}, {Layer{&layer, 1, 1}});
  EXPECT_TRUE(layer.changes().empty());
  const PresentedPixels presented = PresentedPixelsOf(window_);

  // Pixels changed behind the surface's back stay unpresented: only the changes are copied.
  for (auto& pixel : layer.pixels())
    pixel = 0x00FF00;
  layer.ForgetChanges();
  layer.FillRect({3, 4, 5, 6}, Rgb{255, 0, 0});
  ASSERT_TRUE(PresentChanges(window_, 2, {Layer{&layer, 1, 1}}, presented));
  EXPECT_TRUE(layer.changes().empty());
  for (int y = 0; y < 34; ++y) {
    for (int x = 0; x < 44; ++x) {
      std::uint32_t expected = 0x0000C8;
      if (x >= 42 || y >= 32) {
        expected = 0;
      } else if (x < 2 || y < 2) {
        expected = 0x010203;
      } else if (x >= 8 && x < 12 && y >= 10 && y < 14) {
        expected = 0xFF0000;
      }
      EXPECT_EQ(WindowPixel(x, y), expected) << x << ", " << y;
    }
  }
  // New window pixels hold nothing of the last present: the caller must present it all.
  SDL_SetWindowSize(window_, 46, 34);
  layer.FillRect({0, 0, 1, 1}, kWhite);
  EXPECT_FALSE(PresentChanges(window_, 2, {Layer{&layer, 1, 1}}, presented));
  EXPECT_FALSE(layer.changes().empty());
}

TEST_F(WindowWithoutX11, WindowsArePlacedByTheirClientWithoutFrameReports) {
  SDL_Window* window = MakeWindow(40, 30);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_Window* owner = SDL_CreateWindow("owner", 0, 0, 50, 50, SDL_WINDOW_HIDDEN);
  ASSERT_NE(owner, nullptr) << SDL_GetError();

  DescribeOwnedWindow(window, OwnedRole::kDialog, owner);  // nothing to say, nothing breaks
  EXPECT_EQ(RequestFrameExtents(window), std::nullopt);
  EXPECT_FALSE(MoveClientTo(window, 5, 6));
  EXPECT_EQ(ResourceDatabase(window), std::nullopt);

  const FrameSizes frame = ExpectedFrame(window);
  EXPECT_EQ(frame.left + frame.top + frame.right + frame.bottom, 0);
  PlaceClient(window, 123, 45);
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 45);
  SDL_DestroyWindow(owner);
}

// Opens the main window with ROLVI_SCALE set as given, on the dummy driver's 1024x768 screen.
// The main window's size with a classic frame, and the client area that frame leaves.
constexpr Size kOuterSize{620, 420};
constexpr Size kClientSize{612, 374};

class MainWindowScale : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("ROLVI_SCALE"); }
  MemoryFileSystem files_;
};

// A usable ROLVI_SCALE enlarges the window; the shell sees the program's own pixels, the screen
// shrunk by the scale. An unusable one is reported and leaves the scale at one.
TEST_F(MainWindowScale, TheShellSeesTheProgramsOwnPixels) {
  for (const auto& [value, scale] : {std::pair{"2", 2}, std::pair{"0", 1}}) {
    setenv("ROLVI_SCALE", value, 1);
    SdlWindowSystem system(kOuterSize, res::Tables(),
                           shell::MainWindowIdentity(rolvi::testing::ProgramTexts().title), files_,
                           &TicksForTest);
    std::string error;
    ::testing::internal::CaptureStderr();
    const bool opened = system.Open(error);
    const std::string report = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(opened) << error;
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) GTEST_SKIP();
    SDL_DisplayMode mode{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
    EXPECT_EQ(system.scale(), scale) << value;
    EXPECT_EQ(system.ScreenSize(), (Size{mode.w / scale, mode.h / scale}));
    EXPECT_EQ(system.ClientSize(), kClientSize);
    const Rect outer = system.WindowRect();
    EXPECT_EQ(outer.width(), kClientSize.width);
    // Centred on the screen; a window larger than the screen (at scale 2 on 1024 by 768)
    // keeps its top-left corner on it rather than above and left of it.
    EXPECT_EQ(outer.left, std::max(0, (mode.w / scale - kOuterSize.width) / 2));
    EXPECT_EQ(outer.top, std::max(0, (mode.h / scale - kOuterSize.height) / 2));
    EXPECT_EQ(report.find("rolvi: ROLVI_SCALE=\"0\"") != std::string::npos, scale == 1) << report;
  }
}

}  // namespace
}  // namespace rolvi::platform::sdl

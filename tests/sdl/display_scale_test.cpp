#include "platform/sdl/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace rolvi::platform::sdl {
namespace {

constexpr Size kWindow{620, 420};
constexpr Size kBigScreen{3840, 2160};

TEST(ParseScale, AcceptsOnlyWholeNumbersFromOneToTheLimit) {
  for (const auto& [text, scale] : {std::pair{"1", 1}, {"2", 2}, {"02", 2}, {"16", 16}})
    EXPECT_EQ(ParseScale(text), scale) << text;
  for (const char* bad :
       {"", "0", "17", "-2", "+2", " 2", "2 ", "2x", "1.5", "two", "99999999999"}) {
    EXPECT_EQ(ParseScale(bad), std::nullopt) << '"' << bad << '"';
  }
}

TEST(ScaleForDpi, TakesTheNearestWholeMultipleOf96) {
  // Below 96 the program still needs one pixel per pixel; a 150 % desktop (144 dpi) is nearer
  // to twice than to once, a 125 % one (120 dpi) nearer to once, and a measured 192-dpi panel
  // that reads a little short still gets 2.
  const std::pair<double, int> cases[] = {{96, 1},  {72, 1},  {20, 1},         {120, 1}, {143, 1},
                                          {144, 2}, {168, 2}, {187, 2},        {192, 2}, {239.9, 2},
                                          {240, 3}, {288, 3}, {1e5, kMaxScale}};
  for (const auto& [dpi, scale] : cases)
    EXPECT_EQ(ScaleForDpi(dpi), scale) << dpi;
  // Densities that are no positive number are ignored.
  for (const double dpi : {0.0, -96.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(ScaleForDpi(dpi), std::nullopt) << dpi;
}

TEST(XftDpiFromResources, FindsTheValueAmongOtherResourcesAndIgnoresWhatIsNoNumber) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"*customization:\t-color\nXft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 192.0},
      {"Xft.dpi: 144.5", 144.5},
      {"Xft.dpi:\t120\r\nXft.rgba:\trgb\r\n", 120.0},
      {"", std::nullopt},
      {"Xft.antialias:\t1\n", std::nullopt},
      {"Xft.dpiscale:\t2\nxft.dpi:\t192\n", std::nullopt},
      {"Xft.dpi:\tlarge\n", std::nullopt},
      {"Xft.dpi 192\n", std::nullopt},
      {"Xft.dpi:\t\nXft.dpi:\t96\n", 96.0},  // a broken line does not hide a good one after it
  };
  for (const auto& [resources, dpi] : cases)
    EXPECT_EQ(XftDpiFromResources(resources), dpi) << resources;
}

TEST(ChooseScale, TheFirstUsableSourceDecidesAndTheDesktopsChoiceShrinksToFit) {
  using Scale = std::optional<std::string_view>;
  using Dpi = std::optional<double>;
  const struct {
    ScaleSources sources;
    int scale;
    ScaleSource source;
  } cases[] = {
      {{Scale{}, Scale{}, Dpi{}, Dpi{}, kBigScreen, kWindow}, 1, ScaleSource::kNone},
      // ROLVI_SCALE wins over everything, even when the window does not fit.
      {{"3", "2", 96, 192, {1024, 768}, kWindow}, 3, ScaleSource::kRolviScale},
      {{Scale{}, "1", 192, 288, kBigScreen, kWindow}, 1, ScaleSource::kGdkScale},
      {{Scale{}, Scale{}, 192, 288, kBigScreen, kWindow}, 2, ScaleSource::kXftDpi},
      {{Scale{}, Scale{}, Dpi{}, 288, kBigScreen, kWindow}, 3, ScaleSource::kDisplayDpi},
      // A 150 % desktop on 2560 by 1600 gets 2; on 1280 by 800, where 840 is too high, 1.
      {{Scale{}, Scale{}, 144, Dpi{}, {2560, 1600}, kWindow}, 2, ScaleSource::kXftDpi},
      {{Scale{}, Scale{}, 144, Dpi{}, {1280, 800}, kWindow}, 1, ScaleSource::kXftDpi},
      // An unusable source gives way to the next; only our own variable is reported.
      {{Scale{}, "1.5", 0, 200, kBigScreen, kWindow}, 2, ScaleSource::kDisplayDpi},
      // 1860 wide fits 1920 by 1080, 1260 high does not; 1240 by 840 is exactly twice the
      // window; an unknown screen has nothing to fit.
      {{Scale{}, "3", Dpi{}, Dpi{}, {1920, 1080}, kWindow}, 2, ScaleSource::kGdkScale},
      {{Scale{}, "3", Dpi{}, Dpi{}, {1024, 768}, kWindow}, 1, ScaleSource::kGdkScale},
      {{Scale{}, "3", Dpi{}, Dpi{}, {1240, 840}, kWindow}, 2, ScaleSource::kGdkScale},
      {{Scale{}, "3", Dpi{}, Dpi{}, {0, 0}, kWindow}, 3, ScaleSource::kGdkScale},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const ScaleChoice choice = ChooseScale(cases[i].sources);
    EXPECT_EQ(choice.scale, cases[i].scale) << "case " << i;
    EXPECT_EQ(choice.source, cases[i].source) << "case " << i;
    EXPECT_TRUE(choice.complaint.empty()) << "case " << i;
  }
}

TEST(ChooseScale, ABadRolviScaleIsReportedShortenedAndTheDesktopDecides) {
  ScaleSources sources{{}, {}, 192, {}, kBigScreen, kWindow};
  for (const char* bad : {"0", "", "-1", "2.0", "huge", "17"}) {
    sources.rolvi_scale = bad;
    const ScaleChoice choice = ChooseScale(sources);
    EXPECT_EQ(choice.scale, 2) << bad;
    EXPECT_EQ(choice.source, ScaleSource::kXftDpi) << bad;
    EXPECT_NE(choice.complaint.find(std::string("ROLVI_SCALE=\"") + bad + "\""), std::string::npos)
        << choice.complaint;
  }
  const std::string long_value(500, '9');
  sources.rolvi_scale = long_value;
  const std::string complaint = ChooseScale(sources).complaint;
  EXPECT_NE(complaint.find(std::string(40, '9') + "...\""), std::string::npos);
  EXPECT_EQ(complaint.find(std::string(41, '9')), std::string::npos);
}

TEST(ToLogical, DividesScreenPixelsRoundingDownAndCoversRectangles) {
  // Every click on the enlarged copy of a pixel lands on that pixel, also below zero.
  for (int scale = 1; scale <= 4; ++scale) {
    for (int logical = -5; logical <= 5; ++logical) {
      for (int part = 0; part < scale; ++part) {
        EXPECT_EQ(ToLogical(logical * scale + part, scale), logical) << scale;
      }
    }
  }
  // A rectangle becomes the smallest one covering it.
  EXPECT_EQ(ToLogical(Rect{660, 380, 1896, 1194}, 2), (Rect{330, 190, 948, 597}));
  EXPECT_EQ(ToLogical(Rect{-5, -4, 5, 3}, 2), (Rect{-3, -2, 3, 2}));
  EXPECT_EQ(ToLogical(Rect{10, 20, 30, 40}, 1), (Rect{10, 20, 30, 40}));
}

}  // namespace
}  // namespace rolvi::platform::sdl

#include "platform/software/icon_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace rolvi::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 2 by 2 icon at 1 bit per pixel: colours black and white, the top-left pixel masked out.
Bytes TinyIcon() {
  const std::size_t picture = 6 + 16;
  Bytes file(picture + 40 + 8 + 8 + 8, 0);
  Put(file, 2, 1, 2);  // type icon
  Put(file, 4, 1, 2);  // one picture
  Put(file, 6 + 8, 40 + 8 + 8 + 8, 4);
  Put(file, 6 + 12, static_cast<std::uint32_t>(picture), 4);
  Put(file, picture, 40, 4);
  Put(file, picture + 4, 2, 4);
  Put(file, picture + 8, 4, 4);  // colour and mask rows together
  Put(file, picture + 12, 1, 2);
  Put(file, picture + 14, 1, 2);
  Put(file, picture + 40 + 4, 0x00FFFFFF, 4);  // colour 1 white
  // Colour rows bottom first: bottom row white-black, top row black-white.
  file[picture + 48] = 0x80;
  file[picture + 52] = 0x40;
  // Mask rows bottom first: the top row's left pixel is transparent.
  file[picture + 60] = 0x80;
  return file;
}

TEST(IconFileTest, ReadsColoursAndMask) {
  const auto icon = ReadIconFile(TinyIcon());
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width, 2);
  EXPECT_EQ(icon->height, 2);
  EXPECT_EQ(icon->argb,
            (std::vector<std::uint32_t>{0x00000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}));
}

TEST(IconFileTest, RefusesDamagedFiles) {
  const Bytes good = TinyIcon();
  EXPECT_FALSE(ReadIconFile({}));
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_FALSE(ReadIconFile(std::span(good).first(cut))) << "cut at " << cut;
  }
  Bytes odd_height = good;
  Put(odd_height, 22 + 8, 3, 4);
  EXPECT_FALSE(ReadIconFile(odd_height));
  Bytes far_offset = good;
  Put(far_offset, 6 + 12, 0xFFFFFFF0u, 4);
  EXPECT_FALSE(ReadIconFile(far_offset));
}

TEST(IconFileTest, ReadsTheProgramIcon) {
  std::ifstream in(ROLVI_RES_DIR "/rolvi.ico", std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto icon = ReadIconFile(file);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width, 32);
  EXPECT_EQ(icon->height, 32);
  EXPECT_EQ(icon->argb[0] >> 24, 0u);                // a transparent corner
  EXPECT_EQ(icon->argb[16 * 32 + 16] >> 24, 0xFFu);  // the opaque middle
}

}  // namespace
}  // namespace rolvi::platform

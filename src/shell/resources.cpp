#include "shell/resources.h"

#include <cstddef>

namespace rolvi::embedded {
extern const std::uint8_t sprite_sheet[];
extern const std::size_t sprite_sheet_size;
extern const std::uint8_t about_picture[];
extern const std::size_t about_picture_size;
extern const std::uint8_t about_mask[];
extern const std::size_t about_mask_size;
}  // namespace rolvi::embedded

namespace rolvi::shell {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

}  // namespace

platform::DibView DibFromBitmapFile(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize) return {};
  const std::size_t pixels = std::size_t{file[10]} | std::size_t{file[11]} << 8 |
                             std::size_t{file[12]} << 16 | std::size_t{file[13]} << 24;
  if (pixels <= kFileHeaderSize || pixels >= file.size()) return {};
  return {.header = file.subspan(kFileHeaderSize, pixels - kFileHeaderSize),
          .bits = file.subspan(pixels)};
}

Resources EmbeddedResources() {
  using namespace rolvi::embedded;
  return {.sheet_stream = {sprite_sheet, sprite_sheet_size},
          .about_picture = DibFromBitmapFile({about_picture, about_picture_size}),
          .about_mask = DibFromBitmapFile({about_mask, about_mask_size})};
}

}  // namespace rolvi::shell

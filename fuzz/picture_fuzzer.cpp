// Feeds arbitrary bytes to the picture readers: as a DIB (the first byte chooses where the
// header ends and the pixel rows begin) drawn onto a surface with every raster operation, and
// as an icon file. Nothing may be read outside the bytes, whatever they hold.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/software/icon_file.h"
#include "platform/software/soft_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  const std::size_t split = std::min<std::size_t>(bytes.size(), std::size_t{data[0]} * 8);
  rolvi::platform::SoftSurface surface(64, 64);
  const auto image =
      surface.CreateImage({.header = bytes.first(split), .bits = bytes.subspan(split)});
  if (image) {
    const rolvi::platform::Size picture = image->size();
    for (const auto op : {rolvi::platform::RasterOp::kCopy, rolvi::platform::RasterOp::kAnd,
                          rolvi::platform::RasterOp::kOr}) {
      surface.Blit(-3, -5, picture.width + 8, picture.height + 8, image.get(), -2, 1, op);
    }
  }
  const auto icon = rolvi::platform::ReadIconFile(bytes);
  if (icon && icon->argb.size() != static_cast<std::size_t>(icon->width) * icon->height) {
    __builtin_trap();
  }
  return 0;
}

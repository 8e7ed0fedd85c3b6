// Saving pictures as PNG files: truecolour, written with stored (uncompressed) Deflate blocks
// and our own CRC-32 and Adler-32, so the core needs no compression library.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/software/soft_surface.h"

namespace rolvi::platform {

// PNG file bytes for `width` x `height` pixels (0x00RRGGBB) taken from `pixels`, whose rows
// are `stride` pixels apart. Empty when the sizes do not fit the span.
std::vector<std::uint8_t> EncodePng(std::span<const std::uint32_t> pixels, int width, int height,
                                    int stride);

// The part of the surface's framebuffer inside `region` (cut to the framebuffer).
std::vector<std::uint8_t> EncodePng(const SoftSurface& surface, const Rect& region);

// Writes the PNG of `region` to `path`; false when the region is empty or the file cannot be
// written.
bool SavePng(const SoftSurface& surface, const Rect& region, const std::string& path);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace rolvi::platform

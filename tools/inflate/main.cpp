// rolvi_inflate: reads a raw Deflate stream (no zlib or gzip wrapper) on standard input and
// writes the decoded bytes to standard output. Exit code 0 on success; 1 with a one-line
// message on standard error when the stream is damaged or cannot be read.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "gfx/inflate.h"

namespace {

constexpr std::size_t kInitialCapacity = std::size_t{1} << 20;
constexpr std::size_t kCapacityLimit = std::size_t{1} << 30;

bool ReadAll(std::FILE* file, std::vector<std::uint8_t>& bytes) {
  std::uint8_t chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < sizeof chunk) return std::ferror(file) == 0;
  }
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "rolvi_inflate: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main() {
  std::vector<std::uint8_t> input;
  if (!ReadAll(stdin, input)) return Fail("cannot read standard input");

  // Decode into a buffer that doubles until the output fits or reaches the limit.
  std::vector<std::uint8_t> output;
  std::size_t capacity = kInitialCapacity;
  rolvi::gfx::InflateResult result;
  for (;;) {
    output.resize(capacity);
    result = rolvi::gfx::Inflate(input, output);
    if (result.status != rolvi::gfx::InflateStatus::kOutputFull) break;
    if (capacity >= kCapacityLimit) {
      return Fail("decoded data exceeds the limit of " + std::to_string(kCapacityLimit) + " bytes");
    }
    capacity *= 2;
  }
  if (result.status != rolvi::gfx::InflateStatus::kOk) {
    return Fail(std::string(rolvi::gfx::InflateStatusText(result.status)) + " (after " +
                std::to_string(result.written) + " output bytes)");
  }
  if (std::fwrite(output.data(), 1, result.written, stdout) != result.written ||
      std::fflush(stdout) != 0) {
    return Fail("cannot write standard output");
  }
  return 0;
}

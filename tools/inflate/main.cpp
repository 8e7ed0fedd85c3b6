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

  // Decode into a buffer that doubles until the output fits or reaches the limit; each
  // doubling keeps what is decoded and the decoder goes on from where it stopped.
  std::vector<std::uint8_t> output(kInitialCapacity);
  rolvi::gfx::Inflater inflater;
  rolvi::gfx::InflateResult result = inflater.Run(input, output);
  while (result.status == rolvi::gfx::InflateStatus::kOutputFull) {
    if (output.size() >= kCapacityLimit) {
      return Fail("decoded data exceeds the limit of " + std::to_string(kCapacityLimit) + " bytes");
    }
    output.resize(output.size() * 2);
    result = inflater.Resume(output);
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

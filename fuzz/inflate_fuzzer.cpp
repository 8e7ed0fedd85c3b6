// Fuzzes the Inflater with arbitrary streams. Any input must end in a status without reading
// or writing outside the buffers; whatever zlib accepts must decode to zlib's bytes.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "gfx/inflate.h"

namespace {

constexpr std::size_t kCapacity = 1 << 18;

// zlib's raw decoding into `output`; the byte count, or -1 when zlib rejects the stream.
long ZlibInflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& output) {
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) return -1;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = output.data();
  stream.avail_out = static_cast<uInt>(output.size());
  const int status = inflate(&stream, Z_FINISH);
  const long written = static_cast<long>(output.size() - stream.avail_out);
  inflateEnd(&stream);
  return status == Z_STREAM_END ? written : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Exactly sized copies, so that the sanitizer catches a read one byte past either end.
  std::vector<std::uint8_t> input(data, data + size);
  // Output buffers are static (their ends are still guarded by the sanitizer's redzones):
  // clearing fresh ones for every input would cost more than the decoding.
  static std::vector<std::uint8_t> ours(kCapacity);
  const rolvi::gfx::InflateResult result = rolvi::gfx::Inflate(input, ours);
  if (result.written > ours.size()) __builtin_trap();

  static std::vector<std::uint8_t> theirs(kCapacity);
  const long expected = ZlibInflate(data, size, theirs);
  if (expected >= 0) {
    if (result.status != rolvi::gfx::InflateStatus::kOk) __builtin_trap();
    if (result.written != static_cast<std::size_t>(expected)) __builtin_trap();
    if (std::memcmp(ours.data(), theirs.data(), result.written) != 0) __builtin_trap();

    // With one byte less room the same stream must stop with the output full, and given
    // that byte it goes on from there to the same end.
    if (expected > 0) {
      std::vector<std::uint8_t> tight(static_cast<std::size_t>(expected) - 1);
      static rolvi::gfx::Inflater inflater;
      const rolvi::gfx::InflateResult short_result = inflater.Run(input, tight);
      if (short_result.status != rolvi::gfx::InflateStatus::kOutputFull) __builtin_trap();
      tight.resize(static_cast<std::size_t>(expected));
      const rolvi::gfx::InflateResult resumed = inflater.Resume(tight);
      if (resumed.status != rolvi::gfx::InflateStatus::kOk) __builtin_trap();
      if (resumed.written != tight.size()) __builtin_trap();
      if (std::memcmp(tight.data(), theirs.data(), tight.size()) != 0) __builtin_trap();
    }
  }
  return 0;
}

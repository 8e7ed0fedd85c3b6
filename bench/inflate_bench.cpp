// Decoding speed of the Inflater next to zlib and libdeflate on the same two streams: a
// 511 x 585 8-bit picture (flat background, shaded discs, stripes) at level 9, and 10 MB of
// word-based pseudo-text at level 6. Throughput is in decoded bytes.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "gfx/inflate.h"
#include "gfx/zlib_streams.h"

namespace rolvi::gfx {
namespace {

using testing::Bytes;

struct Corpus {
  Bytes original;
  Bytes stream;
};

const Corpus& Picture() {
  static const Corpus corpus = [] {
    Corpus c;
    c.original = testing::ShadedPicture(511, 585);
    c.stream = testing::ZlibDeflate(c.original, 9);
    return c;
  }();
  return corpus;
}

const Corpus& Text() {
  static const Corpus corpus = [] {
    Corpus c;
    c.original = testing::WordText(10 * 1000 * 1000, 2024);
    c.stream = testing::ZlibDeflate(c.original, 6);
    return c;
  }();
  return corpus;
}

void Finish(benchmark::State& state, const Corpus& corpus, const Bytes& output) {
  if (output != corpus.original) state.SkipWithError("decoded bytes differ from the original");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.original.size()));
  state.counters["ratio"] =
      static_cast<double>(corpus.original.size()) / static_cast<double>(corpus.stream.size());
}

void Ours(benchmark::State& state, const Corpus& corpus) {
  Bytes output(corpus.original.size());
  Inflater inflater;
  for (auto _ : state) {
    const InflateResult result = inflater.Run(corpus.stream, output);
    if (result.status != InflateStatus::kOk) state.SkipWithError("decoding failed");
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  Finish(state, corpus, output);
}

void Zlib(benchmark::State& state, const Corpus& corpus) {
  Bytes output(corpus.original.size());
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) throw std::runtime_error("inflateInit2");
  for (auto _ : state) {
    inflateReset(&stream);
    stream.next_in = const_cast<Bytef*>(corpus.stream.data());
    stream.avail_in = static_cast<uInt>(corpus.stream.size());
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    if (inflate(&stream, Z_FINISH) != Z_STREAM_END) state.SkipWithError("zlib failed");
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  inflateEnd(&stream);
  Finish(state, corpus, output);
}

void Libdeflate(benchmark::State& state, const Corpus& corpus) {
  Bytes output(corpus.original.size());
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  for (auto _ : state) {
    std::size_t written = 0;
    if (libdeflate_deflate_decompress(decompressor, corpus.stream.data(), corpus.stream.size(),
                                      output.data(), output.size(),
                                      &written) != LIBDEFLATE_SUCCESS) {
      state.SkipWithError("libdeflate failed");
    }
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  libdeflate_free_decompressor(decompressor);
  Finish(state, corpus, output);
}

void BM_PictureOurs(benchmark::State& state) {
  Ours(state, Picture());
}
void BM_PictureZlib(benchmark::State& state) {
  Zlib(state, Picture());
}
void BM_PictureLibdeflate(benchmark::State& state) {
  Libdeflate(state, Picture());
}
void BM_TextOurs(benchmark::State& state) {
  Ours(state, Text());
}
void BM_TextZlib(benchmark::State& state) {
  Zlib(state, Text());
}
void BM_TextLibdeflate(benchmark::State& state) {
  Libdeflate(state, Text());
}

BENCHMARK(BM_PictureOurs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PictureZlib)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PictureLibdeflate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextZlib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextLibdeflate)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rolvi::gfx

// Fixed iteration counts for instruction counting: with ROLVI_BENCH_ITERATIONS=N in the
// environment every benchmark that applies this runs exactly N iterations, once, so that
// scripts/bench-instructions can take the difference of two runs under callgrind as the cost
// of the iterations alone, without the set-up.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace rolvi::bench {

inline void FixedIterations(benchmark::internal::Benchmark* benchmark) {
  const char* value = std::getenv("ROLVI_BENCH_ITERATIONS");
  if (value == nullptr) return;
  const long count = std::strtol(value, nullptr, 10);
  if (count > 0) benchmark->Iterations(count)->Repetitions(1);
}

}  // namespace rolvi::bench

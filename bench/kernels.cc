// Throughput of each A-law block kernel on one block of random codes (Google Benchmark).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "codec/alaw_kernels.h"

namespace {

void expand(benchmark::State& state, vorma::AlawBlockKernel kernel) {
  const auto count = static_cast<size_t>(state.range(0));
  std::vector<uint8_t> codes(count);
  std::mt19937 random(1);
  for (uint8_t& code : codes) code = static_cast<uint8_t>(random());
  std::vector<uint8_t> out(2 * count);
  for (auto _ : state) {
    kernel(codes.data(), count, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(count));
}

const bool registered = [] {
  for (const vorma::AlawKernel& kernel : vorma::available_alaw_kernels()) {
    benchmark::RegisterBenchmark(kernel.name, expand, kernel.expand)->Arg(64 * 1024);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();

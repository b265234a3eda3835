// Deciphering throughput of the container (goal: at least 50 MB/s on one core).
#include <benchmark/benchmark.h>

#include <vector>

#include "storage/Container.h"

namespace {

void BM_DecryptBuffer(benchmark::State& state) {
  const int n = int(state.range(0));
  std::vector<unsigned char> plain(size_t(n) + 8);
  for (int i = 0; i < n; ++i) plain[size_t(i)] = static_cast<unsigned char>(i * 31);
  std::vector<unsigned char> cipher(size_t(n) + 8), out(size_t(n) + 8);
  const int len = EncryptBuffer(plain.data(), n, cipher.data(), n + 8, "QuillBox");
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecryptBuffer(cipher.data(), len, out.data(), len, "QuillBox"));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * len);
}
BENCHMARK(BM_DecryptBuffer)->Arg(4096)->Arg(256 * 1024)->Arg(4 * 1024 * 1024);

void BM_EncryptBuffer(benchmark::State& state) {
  const int n = int(state.range(0));
  std::vector<unsigned char> plain(static_cast<size_t>(n)), cipher(static_cast<size_t>(n) + 8);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncryptBuffer(plain.data(), n, cipher.data(), n + 8, "TideMarsh"));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * n);
}
BENCHMARK(BM_EncryptBuffer)->Arg(256 * 1024);

void BM_Crc32(benchmark::State& state) {
  std::vector<unsigned char> data(size_t(state.range(0)), 0x5A);
  for (auto _ : state) benchmark::DoNotOptimize(Crc32(data.data(), data.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc32)->Arg(256 * 1024);

}  // namespace

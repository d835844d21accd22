// Base64 of the largest picture the program accepts, ours against OpenSSL's.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include "face/Base64.h"

namespace {

constexpr std::size_t kLargestPicture = 2047999;

const vantorel::Bytes& Picture() {
  static const vantorel::Bytes picture = [] {
    vantorel::Bytes bytes(kLargestPicture);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
      state = state * 1664525u + 1013904223u;
      b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
  }();
  return picture;
}

void BM_EncodeBase64(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(vantorel::EncodeBase64(Picture()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLargestPicture));
}
BENCHMARK(BM_EncodeBase64)->Unit(benchmark::kMicrosecond);

// The same work as ours: a fresh output buffer per call, then the encoding.
void BM_OpenSslEncodeBlock(benchmark::State& state) {
  for (auto _ : state) {
    std::string out(4 * ((kLargestPicture + 2) / 3) + 1, '\0');
    EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), Picture().data(),
                    static_cast<int>(kLargestPicture));
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLargestPicture));
}
BENCHMARK(BM_OpenSslEncodeBlock)->Unit(benchmark::kMicrosecond);

}  // namespace

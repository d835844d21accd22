#include "MatrixProduct.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace vantorel::service {
namespace {

constexpr int kRowBlock = 4;

// One block of up to kRowBlock rows by kColumnBlock columns, accumulated in
// registers over the whole depth.
template <int Rows>
[[gnu::always_inline]] inline void MultiplyBlock(const float* a, int depth, const float* b, int paddedColumns,
                                                 int columns, const float* bias, float* c) {
  float sums[Rows][kColumnBlock];
  for (int r = 0; r < Rows; ++r)
    for (int j = 0; j < kColumnBlock; ++j) sums[r][j] = bias[j];
  for (int i = 0; i < depth; ++i) {
    const float* bRow = b + static_cast<std::size_t>(i) * paddedColumns;
    for (int r = 0; r < Rows; ++r) {
      const float aValue = a[static_cast<std::size_t>(r) * depth + i];
      for (int j = 0; j < kColumnBlock; ++j) sums[r][j] += aValue * bRow[j];
    }
  }
  for (int r = 0; r < Rows; ++r)
    std::copy_n(sums[r], columns, c + static_cast<std::size_t>(r) * columns);
}

template <int Rows>
[[gnu::always_inline]] inline void MultiplyRowBlock(const float* a, int depth, const float* b, int paddedColumns,
                                                    int columns, const float* bias, float* c, int cStride) {
  for (int j = 0; j < columns; j += kColumnBlock) {
    const int width = std::min(kColumnBlock, columns - j);
    float block[Rows * kColumnBlock];
    MultiplyBlock<Rows>(a, depth, b + j, paddedColumns, width, bias + j, block);
    for (int r = 0; r < Rows; ++r)
      std::copy_n(block + r * width, width, c + static_cast<std::size_t>(r) * cStride + j);
  }
}

}  // namespace

// Built twice: for AVX2 + FMA machines and for any x86-64, picked at load time.
[[gnu::target_clones("arch=x86-64-v3", "default")]]
void MultiplyAddBias(const float* a, int rows, int depth, const float* b, int paddedColumns, int columns,
                     const float* bias, float* c) {
  int r = 0;
  for (; r + kRowBlock <= rows; r += kRowBlock)
    MultiplyRowBlock<kRowBlock>(a + static_cast<std::size_t>(r) * depth, depth, b, paddedColumns, columns, bias,
                                c + static_cast<std::size_t>(r) * columns, columns);
  for (; r < rows; ++r)
    MultiplyRowBlock<1>(a + static_cast<std::size_t>(r) * depth, depth, b, paddedColumns, columns, bias,
                        c + static_cast<std::size_t>(r) * columns, columns);
}

void ParallelFor(int count, std::size_t costPerItem, const std::function<void(int, int)>& body) {
  constexpr std::size_t kWorthAThread = 1 << 18;
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int parts = static_cast<int>(
      std::min<std::size_t>(cores, std::max<std::size_t>(1, count * costPerItem / kWorthAThread)));
  if (parts <= 1 || count < 2) {
    body(0, count);
    return;
  }
  std::vector<std::jthread> helpers;
  const int step = (count + parts - 1) / parts;
  for (int begin = step; begin < count; begin += step)
    helpers.emplace_back([&body, begin, end = std::min(count, begin + step)] { body(begin, end); });
  body(0, std::min(count, step));
}

}  // namespace vantorel::service

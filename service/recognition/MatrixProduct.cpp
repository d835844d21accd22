#include "MatrixProduct.h"

#include <algorithm>

namespace vantorel::service {
namespace {

constexpr int kRowBlock = 6;

// Eight floats the compiler keeps in one AVX register (two SSE ones on
// machines without AVX).
typedef float Lanes __attribute__((vector_size(32)));
constexpr int kLanesPerBlock = kColumnBlock / 8;

[[gnu::always_inline]] inline void LoadLanes(Lanes& lanes, const float* at) {
  __builtin_memcpy(&lanes, at, sizeof lanes);
}

// One block of up to kRowBlock rows by kColumnBlock columns, accumulated in
// registers over the whole depth, then written for `width` columns.
[[gnu::always_inline]] inline void Activate(Lanes& lanes, Activation activation) {
  const Lanes zero = {};
  if (activation == Activation::Relu) lanes = lanes > zero ? lanes : zero;
  if (activation == Activation::LeakyRelu) lanes = lanes > zero ? lanes : lanes * 0.1f;
}

template <int Rows>
[[gnu::always_inline]] inline void MultiplyBlock(const float* a, int depth, const float* b, int paddedColumns,
                                                 int width, const float* bias, float* c, int cStride,
                                                 Activation activation) {
  Lanes sums[Rows][kLanesPerBlock];
  for (int r = 0; r < Rows; ++r)
    for (int l = 0; l < kLanesPerBlock; ++l) LoadLanes(sums[r][l], bias + 8 * l);
  for (int i = 0; i < depth; ++i) {
    const float* bRow = b + static_cast<std::size_t>(i) * paddedColumns;
    Lanes bLanes[kLanesPerBlock];
    for (int l = 0; l < kLanesPerBlock; ++l) LoadLanes(bLanes[l], bRow + 8 * l);
    for (int r = 0; r < Rows; ++r) {
      const float aValue = a[static_cast<std::size_t>(r) * depth + i];
      for (int l = 0; l < kLanesPerBlock; ++l) sums[r][l] += aValue * bLanes[l];
    }
  }
  for (int r = 0; r < Rows; ++r) {
    for (int l = 0; l < kLanesPerBlock; ++l) Activate(sums[r][l], activation);
    float row[kColumnBlock];
    __builtin_memcpy(row, sums[r], sizeof row);
    std::copy_n(row, width, c + static_cast<std::size_t>(r) * cStride);
  }
}

template <int Rows>
[[gnu::always_inline]] inline void MultiplyRowBlock(const float* a, int depth, const float* b, int paddedColumns,
                                                    int columns, const float* bias, float* c, Activation activation) {
  for (int j = 0; j < columns; j += kColumnBlock)
    MultiplyBlock<Rows>(a, depth, b + j, paddedColumns, std::min(kColumnBlock, columns - j), bias + j, c + j,
                        columns, activation);
}

template <int Rows>
[[gnu::always_inline]] inline void MultiplyRows(const float* a, int first, int depth, const float* b,
                                                int paddedColumns, int columns, const float* bias, float* c,
                                                Activation activation) {
  MultiplyRowBlock<Rows>(a + static_cast<std::size_t>(first) * depth, depth, b, paddedColumns, columns, bias,
                         c + static_cast<std::size_t>(first) * columns, activation);
}

}  // namespace

// Built twice: for AVX2 + FMA machines and for any x86-64, picked at load time.
[[gnu::target_clones("arch=x86-64-v3", "default")]]
void MultiplyAddBias(const float* a, int rows, int depth, const float* b, int paddedColumns, int columns,
                     const float* bias, float* c, Activation activation) {
  int r = 0;
  for (; r + kRowBlock <= rows; r += kRowBlock)
    MultiplyRows<kRowBlock>(a, r, depth, b, paddedColumns, columns, bias, c, activation);
  for (; r + 2 <= rows; r += 2) MultiplyRows<2>(a, r, depth, b, paddedColumns, columns, bias, c, activation);
  for (; r < rows; ++r) MultiplyRows<1>(a, r, depth, b, paddedColumns, columns, bias, c, activation);
}

}  // namespace vantorel::service

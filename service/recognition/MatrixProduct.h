#pragma once
// The dense product every convolution of the face nets reduces to.
#include <cstddef>

namespace vantorel::service {

// Weight matrices are stored with their column count rounded up to this.
inline constexpr int kColumnBlock = 16;

// What happens to each result on its way out.
enum class Activation { None, Relu, LeakyRelu };  // leaky: slope 0.1 below zero

// c[r][j] = bias[j] + sum_i a[r][i] * b[i][j] for r < rows, j < columns.
// `a` is rows x depth, `b` is depth x paddedColumns (zero beyond `columns`),
// `c` is rows x columns; all row-major.
void MultiplyAddBias(const float* a, int rows, int depth, const float* b, int paddedColumns, int columns,
                     const float* bias, float* c, Activation activation);

}  // namespace vantorel::service

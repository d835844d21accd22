#pragma once
// The dense product every convolution of the face nets reduces to, and the
// split of work over the machine's cores.
#include <cstddef>
#include <functional>

namespace vantorel::service {

// Weight matrices are stored with their column count rounded up to this.
inline constexpr int kColumnBlock = 16;

// c[r][j] = bias[j] + sum_i a[r][i] * b[i][j] for r < rows, j < columns.
// `a` is rows x depth, `b` is depth x paddedColumns (zero beyond `columns`),
// `c` is rows x columns; all row-major.
void MultiplyAddBias(const float* a, int rows, int depth, const float* b, int paddedColumns, int columns,
                     const float* bias, float* c);

// Runs body(begin, end) over [0, count) split across the cores, in one piece
// when the work (count * costPerItem) is too small to be worth a thread.
void ParallelFor(std::size_t count, std::size_t costPerItem,
                 const std::function<void(std::size_t, std::size_t)>& body);

}  // namespace vantorel::service

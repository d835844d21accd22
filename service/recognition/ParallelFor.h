#pragma once
// Splits loops over the machine's cores, on threads started once.
#include <cstddef>
#include <functional>

namespace vantorel::service {

// Runs body(begin, end) over [0, count) split across the cores, in one piece
// when the work (count * costPerItem) is too small to be worth sharing.
// Several threads may call it at once.
void ParallelFor(std::size_t count, std::size_t costPerItem,
                 const std::function<void(std::size_t, std::size_t)>& body);

}  // namespace vantorel::service

#pragma once
// Finding the stored descriptors nearest to a query by scanning them all.
#include <cstddef>
#include <span>
#include <vector>

namespace vantorel::service {

struct DescriptorMatch {
  std::size_t index;  // which stored descriptor
  double distance;    // Euclidean
};

// The `limit` descriptors nearest to `query`, nearest first. `stored` holds
// the descriptors back to back, each query.size() floats long; a partial one
// at the end is ignored.
std::vector<DescriptorMatch> BestMatches(std::span<const float> query, std::span<const float> stored,
                                         std::size_t limit);

double DescriptorDistance(std::span<const float> a, std::span<const float> b);

}  // namespace vantorel::service

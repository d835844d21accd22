#include "DescriptorSearch.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "ParallelFor.h"

namespace vantorel::service {
namespace {

float SquaredDistance(const float* a, const float* b, std::size_t size) {
  float sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const float difference = a[i] - b[i];
    sum += difference * difference;
  }
  return sum;
}

struct Candidate {
  float squaredDistance;
  std::size_t index;
  bool operator<(const Candidate& other) const {
    return squaredDistance < other.squaredDistance ||
           (squaredDistance == other.squaredDistance && index < other.index);
  }
};

// Keeps the `limit` smallest candidates as a max-heap.
void Offer(std::vector<Candidate>& heap, std::size_t limit, Candidate candidate) {
  if (heap.size() < limit) {
    heap.push_back(candidate);
    std::push_heap(heap.begin(), heap.end());
  } else if (candidate < heap.front()) {
    std::pop_heap(heap.begin(), heap.end());
    heap.back() = candidate;
    std::push_heap(heap.begin(), heap.end());
  }
}

}  // namespace

std::vector<DescriptorMatch> BestMatches(std::span<const float> query, std::span<const float> stored,
                                         std::size_t limit) {
  const std::size_t size = query.size();
  if (size == 0 || limit == 0) return {};
  const std::size_t count = stored.size() / size;
  std::vector<Candidate> best;
  std::mutex merging;
  ParallelFor(count, size, [&](std::size_t first, std::size_t end) {
    std::vector<Candidate> heap;
    for (std::size_t i = first; i < end; ++i)
      Offer(heap, limit, {SquaredDistance(query.data(), stored.data() + i * size, size), i});
    const std::lock_guard lock(merging);
    for (const Candidate& candidate : heap) Offer(best, limit, candidate);
  });
  std::sort(best.begin(), best.end());
  std::vector<DescriptorMatch> matches;
  for (const Candidate& candidate : best)
    matches.push_back({candidate.index, std::sqrt(static_cast<double>(candidate.squaredDistance))});
  return matches;
}

double DescriptorDistance(std::span<const float> a, std::span<const float> b) {
  if (a.size() != b.size()) return INFINITY;
  return std::sqrt(static_cast<double>(SquaredDistance(a.data(), b.data(), a.size())));
}

}  // namespace vantorel::service

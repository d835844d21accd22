#pragma once
// The memory and time budget of one engine. The engine allocates through the
// functions below, which refuse to go past the memory cap, and calls back
// between instructions to learn whether the current call is out of time
// (processor time of the calling thread). A
// refusal or a timeout surfaces in the engine as an ordinary script error.
#include <chrono>
#include <cstddef>

namespace vantorel {

// The processor time the calling thread has used. A runaway script burns it
// steadily, while time spent waiting for a busy machine does not count, so a
// large but honest reply is not cut off just because other work runs.
struct ThreadCpuClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<ThreadCpuClock>;
  static constexpr bool is_steady = true;
  static time_point now() noexcept;
};

struct EngineBudget {
  using Clock = ThreadCpuClock;

  std::size_t memoryCap = 0;
  std::size_t memoryInUse = 0;
  Clock::time_point deadline = Clock::time_point::max();

  void StartCall(std::chrono::milliseconds timeAllowed) { deadline = Clock::now() + timeAllowed; }
  bool DeadlinePassed() const { return Clock::now() > deadline; }
};

// Allocation callbacks in the engine's shape; `budget` is the EngineBudget.
void* BudgetAllocate(void* budget, std::size_t size);
void* BudgetReallocate(void* budget, void* block, std::size_t size);
void BudgetFree(void* budget, void* block);

}  // namespace vantorel

#include "platform/script/EngineBudget.h"

#include <time.h>

#include <cstdlib>
#include <cstring>

namespace vantorel {

ThreadCpuClock::time_point ThreadCpuClock::now() noexcept {
  timespec spent{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
  return time_point(std::chrono::seconds(spent.tv_sec) + std::chrono::nanoseconds(spent.tv_nsec));
}

namespace {

// Each block carries its size in front of it, in a header that keeps the
// block aligned for any type.
constexpr std::size_t kHeader = alignof(std::max_align_t);

EngineBudget& BudgetOf(void* budget) { return *static_cast<EngineBudget*>(budget); }

std::size_t SizeOf(void* block) {
  std::size_t size;
  std::memcpy(&size, static_cast<char*>(block) - kHeader, sizeof size);
  return size;
}

void* Unwrap(void* block) { return static_cast<char*>(block) - kHeader; }

void* Wrap(void* raw, std::size_t size) {
  std::memcpy(raw, &size, sizeof size);
  return static_cast<char*>(raw) + kHeader;
}

bool Fits(const EngineBudget& budget, std::size_t released, std::size_t wanted) {
  const std::size_t remaining = budget.memoryCap - (budget.memoryInUse - released);
  return wanted <= remaining;
}

}  // namespace

void* BudgetAllocate(void* budget, std::size_t size) {
  EngineBudget& account = BudgetOf(budget);
  if (size == 0 || !Fits(account, 0, size)) return nullptr;
  void* raw = std::malloc(kHeader + size);
  if (raw == nullptr) return nullptr;
  account.memoryInUse += size;
  return Wrap(raw, size);
}

void* BudgetReallocate(void* budget, void* block, std::size_t size) {
  if (block == nullptr) return BudgetAllocate(budget, size);
  if (size == 0) {
    BudgetFree(budget, block);
    return nullptr;
  }
  EngineBudget& account = BudgetOf(budget);
  const std::size_t old = SizeOf(block);
  if (!Fits(account, old, size)) return nullptr;
  void* raw = std::realloc(Unwrap(block), kHeader + size);
  if (raw == nullptr) return nullptr;
  account.memoryInUse = account.memoryInUse - old + size;
  return Wrap(raw, size);
}

void BudgetFree(void* budget, void* block) {
  if (block == nullptr) return;
  BudgetOf(budget).memoryInUse -= SizeOf(block);
  std::free(Unwrap(block));
}

}  // namespace vantorel

// Called by the engine between instructions; the engine's user data is the
// budget, or nothing for a heap made without one (no time cap then).
extern "C" int vantorel_script_deadline_passed(void* heapUserData) {
  return heapUserData != nullptr && vantorel::BudgetOf(heapUserData).DeadlinePassed() ? 1 : 0;
}

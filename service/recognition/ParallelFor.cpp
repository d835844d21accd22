#include "ParallelFor.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace vantorel::service {
namespace {

// Worker threads for the whole process, one per core beside the caller's
// own; starting threads for every layer costs more than small layers take.
class WorkerPool {
 public:
  static WorkerPool& Shared() {
    static WorkerPool pool(std::max(1u, std::thread::hardware_concurrency()) - 1);
    return pool;
  }

  std::size_t Workers() const { return workers_.size(); }

  void Post(std::function<void()> task) {
    {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
  }

  ~WorkerPool() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
  }

 private:
  explicit WorkerPool(unsigned count) {
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
  }

  void Work() {
    for (;;) {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
      if (tasks_.empty()) return;
      std::function<void()> task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
  bool stopping_ = false;
  std::vector<std::jthread> workers_;  // last: joined before the rest goes
};

// Counts the parts still running of one ParallelFor call.
class PartsLeft {
 public:
  explicit PartsLeft(std::size_t count) : count_(count) {}
  void Done() {
    const std::lock_guard lock(mutex_);
    if (--count_ == 0) finished_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return count_ == 0; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable finished_;
  std::size_t count_;
};

}  // namespace

void ParallelFor(std::size_t count, std::size_t costPerItem,
                 const std::function<void(std::size_t, std::size_t)>& body) {
  constexpr std::size_t kWorthSharing = 1 << 16;
  WorkerPool& pool = WorkerPool::Shared();
  const std::size_t parts =
      std::min(pool.Workers() + 1, std::max<std::size_t>(1, count * costPerItem / kWorthSharing));
  if (parts <= 1 || count < 2) {
    body(0, count);
    return;
  }
  const std::size_t step = (count + parts - 1) / parts;
  PartsLeft left((count - 1) / step);  // the parts after the first
  for (std::size_t begin = step; begin < count; begin += step)
    pool.Post([&body, &left, begin, end = std::min(count, begin + step)] {
      body(begin, end);
      left.Done();
    });
  body(0, std::min(count, step));
  left.Wait();
}

}  // namespace vantorel::service

#pragma once
// Seconds since the epoch, from a source tests can replace.
#include <cstdint>
#include <functional>

namespace vantorel::service {

using Clock = std::function<std::int64_t()>;

Clock SystemClock();

}  // namespace vantorel::service

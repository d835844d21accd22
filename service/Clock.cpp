#include "service/Clock.h"

#include <chrono>

namespace vantorel::service {

Clock SystemClock() {
  return [] {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  };
}

}  // namespace vantorel::service

#include <chrono>

#include "platform/shell/Shell.h"

namespace vantorel::shell {

std::uint32_t TickCount() {
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count();
  return static_cast<std::uint32_t>(ms);
}

}  // namespace vantorel::shell

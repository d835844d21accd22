#include <malloc.h>

#include <cstdlib>
#include <optional>

#include "app/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Toolkit.h"

namespace {

// VANTOREL_SERVICE_URL, when set, replaces the service address built into
// the program, so one build can talk to a service on another port or host.
std::optional<vantorel::Text> ServiceAddressFromEnvironment() {
  const char* url = std::getenv("VANTOREL_SERVICE_URL");
  if (url == nullptr || *url == '\0') return std::nullopt;
  return vantorel::Text(url);
}

}  // namespace

int main() {
  // Pictures and request bodies of a few MB live only for one request. Kept
  // in separate mappings, they go back to the system when freed; glibc would
  // otherwise raise this threshold after the first such buffer and keep the
  // following ones in its heap for good.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  vantorel::ui::InitializeToolkit();
  vantorel::ui::ToolkitDialogs dialogs;
  vantorel::Application application(dialogs, ServiceAddressFromEnvironment());
  application.Run();
  return 0;
}

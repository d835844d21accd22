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
  vantorel::ui::InitializeToolkit();
  vantorel::ui::ToolkitDialogs dialogs;
  vantorel::Application application(dialogs, ServiceAddressFromEnvironment());
  application.Run();
  return 0;
}

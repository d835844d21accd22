#include "app/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Toolkit.h"

int main() {
  vantorel::ui::InitializeToolkit();
  vantorel::ui::ToolkitDialogs dialogs;
  vantorel::Application application(dialogs);
  application.Run();
  return 0;
}

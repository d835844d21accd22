#pragma once
// The window's open-file dialog: remembers its start folder between uses.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/ui/Dialogs.h"

namespace vantorel::ui {

class OpenFileDialog {
 public:
  explicit OpenFileDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

  const std::string& startFolder() const { return startFolder_; }
  void SetStartFolder(std::string folder) { startFolder_ = std::move(folder); }
  // The chosen file; nothing when the user cancels.
  std::optional<std::filesystem::path> Open() { return dialogs_.ChooseFileToOpen(startFolder_); }

 private:
  Dialogs& dialogs_;
  std::string startFolder_;
};

}  // namespace vantorel::ui

#pragma once
// The modal dialogs the program opens. Behind an interface so that tests can
// answer them without a display.
#include <filesystem>
#include <optional>
#include <string>

#include "base/Text.h"

namespace vantorel::ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box titled "信息：" with one OK button; returns once it is closed.
  virtual void ShowMessage(const Text& message) = 0;
  // An open-file dialog starting in `startFolder` (the current folder when
  // empty); nothing when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(const std::string& startFolder) = 0;
};

// The dialogs on screen.
class ToolkitDialogs final : public Dialogs {
 public:
  void ShowMessage(const Text& message) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(const std::string& startFolder) override;
};

}  // namespace vantorel::ui

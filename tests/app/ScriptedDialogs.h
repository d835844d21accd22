#pragma once
// Dialogs answered by the test: each open-file dialog takes the next queued
// answer, each message box is recorded and closed at once.
#include <deque>
#include <vector>

#include "platform/ui/Dialogs.h"

namespace vantorel {

class ScriptedDialogs final : public ui::Dialogs {
 public:
  void ShowMessage(const Text& message) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(const std::string& startFolder) override;

  // Queues the file the next dialog returns (nothing: the user cancels).
  void AnswerNextFileDialog(std::optional<std::filesystem::path> file) { fileAnswers.push_back(std::move(file)); }

  std::deque<std::optional<std::filesystem::path>> fileAnswers;
  std::vector<Text> messages;            // every message box shown, in order
  std::vector<std::string> startFolders;  // the start folder of every file dialog opened
};

}  // namespace vantorel

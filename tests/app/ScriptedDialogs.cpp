#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vantorel {

void ScriptedDialogs::ShowMessage(const Text& message) { messages.push_back(message); }

std::optional<std::filesystem::path> ScriptedDialogs::ChooseFileToOpen(const std::string& startFolder) {
  startFolders.push_back(startFolder);
  if (fileAnswers.empty()) {
    ADD_FAILURE() << "a file dialog opened that the test did not expect";
    return std::nullopt;
  }
  auto answer = std::move(fileAnswers.front());
  fileAnswers.pop_front();
  return answer;
}

}  // namespace vantorel

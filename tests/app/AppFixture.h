#pragma once
// An application with scripted dialogs and a private folder for the picture
// files the dialogs hand it; the service it talks to is the deriving
// fixture's choice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScriptedDialogs.h"
#include "ScriptedService.h"
#include "app/Application.h"
#include "platform/codepage/CodePage.h"
#include "platform/ui/Toolkit.h"
#include "support/TestEnvironment.h"

namespace vantorel {

class AppFixture : public ::testing::Test {
 protected:
  explicit AppFixture(const Text& serviceAddress) : app(dialogs, serviceAddress) {}

  // A file of `size` bytes; beyond a few KB it is sparse.
  std::filesystem::path MakeFile(const std::string& name, std::uintmax_t size) {
    const auto path = std::filesystem::path(folder_.path()) / name;
    std::ofstream(path, std::ios::binary) << std::string(std::min<std::uintmax_t>(size, 4096), 'p');
    std::filesystem::resize_file(path, size);
    return path;
  }

  // A file holding `content`.
  std::filesystem::path WritePicture(const std::string& name, const Bytes& content) {
    return folder_.WriteFile(name, std::string(content.begin(), content.end()));
  }

  // Chooses `file` through the open button of a page.
  void ChoosePicture(ui::Button& openButton, const std::filesystem::path& file) {
    dialogs.AnswerNextFileDialog(file);
    openButton.Click();
  }

  static Text Chinese(std::string_view utf8) { return FromUtf8(utf8); }

 private:
  struct ToolkitReady {
    ToolkitReady() { ui::InitializeToolkit(); }
  } toolkit_;
  test::TemporaryDirectory folder_;

 protected:
  ScriptedDialogs dialogs;
  Application app;
  MainWindow& w = app.window();
};

// The scripted service is made before the application that talks to it.
struct WithScriptedService {
  ScriptedService server;
};

class ScriptedAppFixture : protected WithScriptedService, public AppFixture {
 protected:
  ScriptedAppFixture() : AppFixture(server.baseAddress()) {}
};

}  // namespace vantorel

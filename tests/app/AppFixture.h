#pragma once
// An application with scripted dialogs talking to a scripted service, and a
// private folder for the picture files the dialogs hand it.
#include <gtest/gtest.h>

#include <fstream>

#include "ScriptedDialogs.h"
#include "ScriptedServer.h"
#include "app/Application.h"
#include "platform/codepage/CodePage.h"
#include "platform/ui/Toolkit.h"

namespace vantorel {

class AppFixture : public ::testing::Test {
 protected:
  AppFixture() { ui::InitializeToolkit(); }
  ~AppFixture() override { std::filesystem::remove_all(folder_); }

  // A file of `size` bytes; beyond a few KB it is sparse.
  std::filesystem::path MakeFile(const std::string& name, std::uintmax_t size) {
    std::filesystem::create_directories(folder_);
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary) << std::string(std::min<std::uintmax_t>(size, 4096), 'p');
    std::filesystem::resize_file(path, size);
    return path;
  }

  // Chooses `file` through the open button of a page.
  void ChoosePicture(ui::Button& openButton, const std::filesystem::path& file) {
    dialogs.AnswerNextFileDialog(file);
    openButton.Click();
  }

  static Text Chinese(std::string_view utf8) { return FromUtf8(utf8); }

  ScriptedServer server;
  ScriptedDialogs dialogs;
  Application app{dialogs, server.baseAddress()};
  MainWindow& w = app.window();

 private:
  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("vantorel-app-" + std::to_string(::getpid()));
};

}  // namespace vantorel

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/shell/Shell.h"

namespace vantorel::shell {
namespace {

namespace fs = std::filesystem;

// A private folder with its own HOME and XDG_CONFIG_HOME, restored afterwards.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vantorel-shell-" + std::to_string(::getpid()));
    fs::create_directories(folder_ / "config");
    Save("HOME");
    Save("XDG_CONFIG_HOME");
    ::setenv("HOME", (folder_ / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    fs::remove_all(folder_);
  }
  void Save(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  void WriteFile(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

  fs::path folder_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(ShellTest, DesktopFolderComesFromTheUserDirectories) {
  const std::string home = (folder_ / "home").string();
  struct Case {
    std::string userDirs;
    std::string desktop;
  };
  const Case cases[] = {
      {"", home + "/Desktop"},
      {"# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n", home + "/桌面"},
      {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", "/srv/desk"},
      {"XDG_DESKTOP_DIR=\"$HOME/a \\\"b\\\"\"\n", home + "/a \"b\""},
      {"XDG_DESKTOP_DIR=\"relative\"\n", home + "/Desktop"},
      {"XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", home + "/Desktop"},
  };
  for (const auto& c : cases) {
    WriteFile(folder_ / "config" / "user-dirs.dirs", c.userDirs);
    EXPECT_EQ(DesktopFolder(), c.desktop) << c.userDirs;
  }
}

TEST_F(ShellTest, NoHomeMeansNoDesktopFolder) {
  ::unsetenv("HOME");
  EXPECT_EQ(DesktopFolder(), std::nullopt);
}

TEST_F(ShellTest, FileSizeAndWholeFileRead) {
  const fs::path file = folder_ / "picture.jpg";
  WriteFile(file, std::string("\xFF\xD8\xFF\x00rest", 8));
  EXPECT_EQ(FileSize(file), 8);
  EXPECT_EQ(ReadWholeFile(file), (Bytes{0xFF, 0xD8, 0xFF, 0x00, 'r', 'e', 's', 't'}));

  WriteFile(folder_ / "empty", "");
  EXPECT_EQ(FileSize(folder_ / "empty"), 0);
  EXPECT_TRUE(ReadWholeFile(folder_ / "empty").empty());

  EXPECT_EQ(FileSize(folder_ / "missing"), -1);
  EXPECT_TRUE(ReadWholeFile(folder_ / "missing").empty());
  EXPECT_EQ(FileSize(folder_), -1);  // a folder is no file
}

TEST_F(ShellTest, FilesOfTwoGibibytesAreNotRead) {
  const fs::path file = folder_ / "huge";
  WriteFile(file, "");
  fs::resize_file(file, static_cast<std::uintmax_t>(kMaxWholeFileBytes));  // sparse: takes no disk space
  EXPECT_EQ(FileSize(file), kMaxWholeFileBytes);
  EXPECT_TRUE(ReadWholeFile(file).empty());
}

TEST(TickCountTest, NeverGoesBackward) {
  const std::uint32_t first = TickCount();
  const std::uint32_t second = TickCount();
  EXPECT_LT(static_cast<std::uint32_t>(second - first), 1000u);
}

}  // namespace
}  // namespace vantorel::shell

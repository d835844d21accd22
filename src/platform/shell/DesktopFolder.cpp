#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/shell/Shell.h"

namespace vantorel::shell {
namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::string ConfigHome(const std::string& home) {
  if (auto config = Environment("XDG_CONFIG_HOME"); config && config->front() == '/') return *config;
  return home + "/.config";
}

// A line of user-dirs.dirs reads XDG_DESKTOP_DIR="$HOME/Desktop" or
// XDG_DESKTOP_DIR="/absolute/path"; anything else is ignored.
std::optional<std::string> ParseDesktopLine(std::string_view line, const std::string& home) {
  constexpr std::string_view kKey = "XDG_DESKTOP_DIR=\"";
  if (!line.starts_with(kKey) || !line.ends_with('"')) return std::nullopt;
  std::string_view value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
  std::string path;
  if (value.starts_with("$HOME")) {
    path = home;
    value.remove_prefix(5);
  } else if (!value.starts_with('/')) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;  // the file escapes quotes and backslashes
    path += value[i];
  }
  return path;
}

std::optional<std::string> DesktopFromUserDirs(const std::string& home) {
  std::ifstream file(ConfigHome(home) + "/user-dirs.dirs");
  std::optional<std::string> desktop;
  for (std::string line; std::getline(file, line);)
    if (auto path = ParseDesktopLine(line, home)) desktop = path;  // the last setting wins
  return desktop;
}

}  // namespace

std::optional<std::string> DesktopFolder() {
  const auto home = Environment("HOME");
  if (!home) return std::nullopt;
  if (auto desktop = DesktopFromUserDirs(*home)) return desktop;
  return *home + "/Desktop";
}

}  // namespace vantorel::shell

#include "service/CommandLine.h"

#include <charconv>

namespace vantorel::service {

const char* const kUsage =
    "usage: vantorel-service [--listen HOST:PORT] [--data DIR] [--models DIR]\n"
    "  --listen  address to serve HTTPS on (default 127.0.0.1:8443)\n"
    "  --data    folder for the certificates and the face library\n"
    "            (default $XDG_DATA_HOME/vantorel, else ~/.local/share/vantorel)\n"
    "  --models  folder with the face recognition weights\n";

namespace {

// "127.0.0.1:8443", "localhost:0" or "[::1]:8443".
bool ParseListen(const std::string& text, ServiceSettings& settings) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  std::string host = text.substr(0, colon);
  if (host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') return false;
    host = host.substr(1, host.size() - 2);
  }
  const std::string portText = text.substr(colon + 1);
  int port = -1;
  const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (error != std::errc() || end != portText.data() + portText.size() || port < 0 || port > 65535) return false;
  settings.host = host;
  settings.port = port;
  return true;
}

}  // namespace

std::string DefaultDataDir(const Environment& environment) {
  if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
    return environment.xdgDataHome + "/vantorel";
  if (environment.home.empty()) return "";
  return environment.home + "/.local/share/vantorel";
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments, const Environment& environment,
                                   const std::string& defaultModelDir) {
  ServiceSettings settings;
  settings.dataDir = DefaultDataDir(environment);
  settings.modelDir = defaultModelDir;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help" || option == "-h") return UsageRequest{};
    if (option != "--listen" && option != "--data" && option != "--models") return "unknown option " + option;
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) return option + " needs a value";
    const std::string& value = arguments[++i];
    if (option == "--listen" && !ParseListen(value, settings)) return "--listen wants HOST:PORT, not " + value;
    if (option == "--data") settings.dataDir = value;
    if (option == "--models") settings.modelDir = value;
  }
  if (settings.dataDir.empty()) return std::string("HOME is not set; give --data");
  return settings;
}

}  // namespace vantorel::service

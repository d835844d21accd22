#pragma once
// vantorel-service [--listen HOST:PORT] [--data DIR] [--models DIR]
#include <string>
#include <variant>
#include <vector>

#include "service/ServiceSettings.h"

namespace vantorel::service {

struct Environment {
  std::string home;         // $HOME
  std::string xdgDataHome;  // $XDG_DATA_HOME
};

struct UsageRequest {};  // --help

// The settings, the text of a usage error, or a request for the usage text.
using CommandLineResult = std::variant<ServiceSettings, std::string, UsageRequest>;

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments, const Environment& environment,
                                   const std::string& defaultModelDir);

// $XDG_DATA_HOME/vantorel, or ~/.local/share/vantorel when that is unset or
// relative; empty without either.
std::string DefaultDataDir(const Environment& environment);

extern const char* const kUsage;

}  // namespace vantorel::service

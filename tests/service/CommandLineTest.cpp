#include <gtest/gtest.h>

#include "service/CommandLine.h"

namespace vantorel::service {
namespace {

const Environment kHome{"/home/ann", ""};

ServiceSettings Parsed(const std::vector<std::string>& arguments, const Environment& environment = kHome) {
  const auto result = ParseCommandLine(arguments, environment, "/models");
  EXPECT_TRUE(std::holds_alternative<ServiceSettings>(result));
  return std::holds_alternative<ServiceSettings>(result) ? std::get<ServiceSettings>(result) : ServiceSettings{};
}

TEST(CommandLine, DefaultsToLoopbackAndTheUsersDataFolder) {
  const ServiceSettings settings = Parsed({});
  EXPECT_EQ(settings.host, "127.0.0.1");
  EXPECT_EQ(settings.port, 8443);
  EXPECT_EQ(settings.dataDir, "/home/ann/.local/share/vantorel");
  EXPECT_EQ(settings.modelDir, "/models");
  EXPECT_EQ(Parsed({}, {"/home/ann", "/xdg"}).dataDir, "/xdg/vantorel");
  EXPECT_EQ(Parsed({}, {"/home/ann", "relative"}).dataDir, "/home/ann/.local/share/vantorel");
}

TEST(CommandLine, TakesEachOption) {
  const ServiceSettings settings = Parsed({"--listen", "[::1]:9000", "--data", "/d", "--models", "/m"});
  EXPECT_EQ(settings.host, "::1");
  EXPECT_EQ(settings.port, 9000);
  EXPECT_EQ(settings.dataDir, "/d");
  EXPECT_EQ(settings.modelDir, "/m");
  EXPECT_EQ(Parsed({"--listen", "localhost:0"}).port, 0);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> cases = {
      {"--listen"}, {"--listen", "8443"}, {"--listen", ":8443"}, {"--listen", "host:65536"}, {"--listen", "host:-1"},
      {"--listen", "host:80x"}, {"--data", ""}, {"--verbose"}, {"extra"},
  };
  for (const auto& arguments : cases)
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseCommandLine(arguments, kHome, "/m"))) << arguments[0];
  EXPECT_TRUE(std::holds_alternative<std::string>(ParseCommandLine({}, {"", ""}, "/m")));
  EXPECT_TRUE(std::holds_alternative<UsageRequest>(ParseCommandLine({"--help"}, kHome, "/m")));
}

}  // namespace
}  // namespace vantorel::service

#include <gtest/gtest.h>

#include <regex>

#include "service/ClientCredentials.h"
#include "service/ServiceTestSupport.h"

namespace vantorel::service {
namespace {

using namespace vantorel::service::testing;

class TokenEndpointTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service.started()) << service.startError(); }

  TemporaryDirectory folder;
  RunningService service{folder.path() + "/data"};
};

TEST_F(TokenEndpointTest, GivesTheKnownClientAFreshTokenWithMembersInOrder) {
  Client client = service.NewClient();
  const Reply first = client.Get(TokenQuery());
  ASSERT_EQ(first.status, 200);
  const std::regex shape(
      R"re(\{"refresh_token":"[0-9a-f]+","expires_in":2592000,"scope":"[^"]+","session_key":"[0-9a-f]+",)re"
      R"re("access_token":"([0-9a-f]{64})","session_secret":"[0-9a-f]+"\})re");
  std::smatch firstMatch;
  ASSERT_TRUE(std::regex_match(first.body, firstMatch, shape)) << first.body;
  const Reply second = client.Get(TokenQuery());
  std::smatch secondMatch;
  ASSERT_TRUE(std::regex_match(second.body, secondMatch, shape)) << second.body;
  EXPECT_NE(firstMatch[1].str(), secondMatch[1].str());
}

TEST_F(TokenEndpointTest, AcceptsTheParametersAsAPostedForm) {
  const std::string form = TokenQuery().substr(TokenQuery().find('?') + 1);
  const Reply reply = service.NewClient().Post("/oauth/2.0/token", form, "application/x-www-form-urlencoded");
  ASSERT_EQ(reply.status, 200);
  ASSERT_TRUE(reply.json && reply.json->Find("access_token"));
  EXPECT_EQ(reply.json->Find("access_token")->text().size(), 64u);
}

TEST_F(TokenEndpointTest, RefusesUnknownClientsAndOtherGrants) {
  const std::string id(kClientId), secret(kClientSecret);
  const struct {
    std::string query;
    int status;
    std::string error;
  } cases[] = {
      {"grant_type=client_credentials&client_id=" + id + "&client_secret=wrong", 401, "invalid_client"},
      {"grant_type=client_credentials&client_id=someone&client_secret=" + secret, 401, "invalid_client"},
      {"grant_type=client_credentials&client_id=" + id + "&client_secret=" + secret.substr(0, 31), 401,
       "invalid_client"},
      {"grant_type=client_credentials", 401, "invalid_client"},
      {"grant_type=password&client_id=" + id + "&client_secret=" + secret, 400, "unsupported_grant_type"},
      {"grant_type=authorization_code&client_id=" + id + "&client_secret=" + secret, 400, "unsupported_grant_type"},
      {"client_id=" + id + "&client_secret=" + secret, 400, "invalid_request"},
  };
  Client client = service.NewClient();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const Reply reply = client.Get("/oauth/2.0/token?" + c.query);
    EXPECT_EQ(reply.status, c.status);
    ASSERT_TRUE(reply.json);
    ASSERT_TRUE(reply.json->Find("error"));
    EXPECT_EQ(reply.json->Find("error")->text(), c.error);
    EXPECT_TRUE(reply.json->Find("error_description"));
    EXPECT_EQ(reply.body.find("access_token"), std::string::npos);
  }
}

TEST_F(TokenEndpointTest, UnknownPathsGetA404WithAJsonBody) {
  const Reply reply = service.NewClient().Get("/rest/2.0/face/v3/nothing");
  EXPECT_EQ(reply.status, 404);
  ASSERT_TRUE(reply.json);
  EXPECT_EQ(reply.json->Find("error")->text(), "not_found");
}

TEST_F(TokenEndpointTest, LogsEachRequestWithoutTokensOrSecrets) {
  const std::string token = service.AccessToken();
  ASSERT_FALSE(token.empty());
  service.NewClient().Post(kSearchPath + token, "{}");
  service.NewClient().Get("/oauth/2.0/token?grant_type=client_credentials&client_id=x&client_secret=y");
  const auto lines = service.LogLines(3);
  ASSERT_EQ(lines.size(), 3u);
  const std::regex shape(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ (GET|POST) /\S+ \d{3} error_code=\S+ \d+ms)");
  for (const std::string& line : lines) {
    EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(line.find(token), std::string::npos) << line;
    EXPECT_EQ(line.find(kClientSecret), std::string::npos) << line;
    EXPECT_EQ(line.find('?'), std::string::npos) << line;
  }
  EXPECT_NE(lines[0].find("GET /oauth/2.0/token 200 error_code=0 "), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("POST /rest/2.0/face/v3/search 200 error_code=222001 "), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("GET /oauth/2.0/token 401 error_code=invalid_client "), std::string::npos) << lines[2];
}

}  // namespace
}  // namespace vantorel::service

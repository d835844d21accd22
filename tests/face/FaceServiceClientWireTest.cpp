// The face client against a recording server: what goes on the wire and how
// each kind of token reply is taken.
#include "face/FaceServiceClient.h"

#include <gtest/gtest.h>

#include "platform/codepage/CodePage.h"
#include "support/RecordingServer.h"
#include "support/TestCertificateAuthority.h"
#include "support/TestEnvironment.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::ScriptedReply;

constexpr char kTokenPath[] =
    "/oauth/2.0/token?grant_type=client_credentials&client_id=Tq7mKd2RvB9zLw4NcF6pHs3J"
    "&client_secret=Jr5tGv8XbQ2nHe6wYk3MzP9cSd4LfA7u";

struct TokenCase {
  const char* name;
  std::string reply;
  const char* result;  // nullptr: the reply itself comes back
  const char* token;   // the token held afterwards
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << c.name; }

class AcquireTokenTest : public testing::TestWithParam<TokenCase> {};

TEST_P(AcquireTokenTest, TakesOnlyARealToken) {
  const TokenCase& c = GetParam();
  RecordingServer server(Always(ScriptedReply::Ok(c.reply, "Content-Type: application/json\r\n")));
  FaceServiceClient client(server.Url(""));
  EXPECT_EQ(client.AcquireToken(), c.result ? c.result : c.reply);
  EXPECT_EQ(client.accessToken(), c.token);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].RequestLine(), std::string("GET ") + kTokenPath + " HTTP/1.1");
  EXPECT_EQ(server.Requests()[0].body, "");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, AcquireTokenTest,
    testing::Values(
        TokenCase{"followedByMember", R"({"access_token":"24.abc","session_secret":"s"})", "1", "24.abc"},
        TokenCase{"lastMember", R"({"expires_in":2592000,"access_token":"24.last"})", "1", "24.last"},
        TokenCase{"spaced", "{ \"access_token\" : \"24.sp\" ,\r\n \"x\": 1 }", "1", "24.sp"},
        TokenCase{"refused", R"({"error":"invalid_client","error_description":"unknown client id"})", nullptr, ""},
        TokenCase{"emptyToken", R"({"access_token":"","x":1})", nullptr, ""},
        TokenCase{"notJson", "<html>access_token</html>", nullptr, ""},
        TokenCase{"numberToken", R"({"access_token":12,"x":1})", nullptr, ""}),
    [](const testing::TestParamInfo<TokenCase>& info) { return info.param.name; });

TEST(FaceServiceClientTest, RefusedTokenKeepsTheEarlierOne) {
  RecordingServer good(Always(ScriptedReply::Ok(R"({"access_token":"first","x":1})")));
  FaceServiceClient client(good.Url(""));
  ASSERT_EQ(client.AcquireToken(), "1");
  RecordingServer bad(Always(ScriptedReply::Status(401, "Unauthorized", "", R"({"error":"invalid_client"})")));
  FaceServiceClient other(bad.Url(""));
  EXPECT_EQ(other.AcquireToken(), R"({"error":"invalid_client"})");
  EXPECT_EQ(client.accessToken(), "first");
}

TEST(FaceServiceClientTest, UnreachableServiceGivesEmptyReplies) {
  unsigned short deadPort;
  {
    RecordingServer server(Always(ScriptedReply::Ok("")));
    deadPort = server.port();
  }
  FaceServiceClient client("http://127.0.0.1:" + std::to_string(deadPort));
  EXPECT_EQ(client.AcquireToken(), "");
  EXPECT_EQ(client.SearchFace(Bytes{1, 2, 3}, "g"), "");
}

TEST(FaceServiceClientTest, SearchPostsTheTemplateAsUtf8Json) {
  RecordingServer server(Always(ScriptedReply::Ok("{\"error_code\":0,\"user_info\":\"\xE5\xBC\xA0\"}")));
  FaceServiceClient client(server.Url(""));
  const Text reply = client.SearchFace(Bytes{'a', 'b', 'c'}, "test,girl,star");
  EXPECT_EQ(reply, FromUtf8("{\"error_code\":0,\"user_info\":\"张\"}"));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].RequestLine(), "POST /rest/2.0/face/v3/search?access_token= HTTP/1.1");
  EXPECT_TRUE(requests[0].HasHeaderLine("Content-Type:application/json"));
  EXPECT_EQ(requests[0].CountHeaders("Content-Type"), 1);
  EXPECT_EQ(requests[0].body,
            "{\r\n    \"image\": \"YWJj\",\r\n    \"image_type\": \"BASE64\",\r\n"
            "    \"group_id_list\": \"test,girl,star\",\r\n    \"face_type\": \"LIVE\",\r\n"
            "    \"quality_control\": \"LOW\",\r\n    \"liveness_control\": \"NONE\"\r\n}");
}

TEST(FaceServiceClientTest, RegisterCarriesTheTokenAndChineseInformationAsUtf8) {
  RecordingServer server(Always(ScriptedReply::Ok(R"({"access_token":"tok","x":1})")));
  FaceServiceClient client(server.Url(""));
  ASSERT_EQ(client.AcquireToken(), "1");
  client.RegisterFace(Bytes{'a'}, "u_1", "g1", FromUtf8("张三 \"引号\""));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].RequestLine(), "POST /rest/2.0/face/v3/faceset/user/add?access_token=tok HTTP/1.1");
  EXPECT_NE(requests[1].body.find("\"user_info\": \"张三 \\\"引号\\\"\",\r\n"), std::string::npos);
  EXPECT_NE(requests[1].body.find("\"image\": \"YQ==\",\r\n"), std::string::npos);
  EXPECT_EQ(requests[0].connection, requests[1].connection);  // one connection for both
}

TEST(FaceServiceClientTest, TrustsAServiceOnlyThroughItsCertificate) {
  test::TestCertificateAuthority authority;
  RecordingServer server(Always(ScriptedReply::Ok(R"({"access_token":"tls","x":1})")), &authority);
  {
    FaceServiceClient client(server.Url(""));
    EXPECT_EQ(client.AcquireToken(), "");  // the throw-away CA is not trusted yet
  }
  test::TemporaryDirectory folder;
  test::ScopedEnvironment bundle("SSL_CERT_FILE", folder.WriteFile("ca.pem", authority.caPem()));
  FaceServiceClient client(server.Url(""));
  EXPECT_EQ(client.AcquireToken(), "1");
  EXPECT_EQ(client.accessToken(), "tls");
}

}  // namespace
}  // namespace vantorel

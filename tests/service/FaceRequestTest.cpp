#include <gtest/gtest.h>

#include "service/FaceRequest.h"
#include "service/ServiceTestSupport.h"

namespace vantorel::service {
namespace {

using testing::JsonBody;

const std::string kImage = "iVBORw0KGgo=";  // eight bytes: the PNG signature

// The add template as the desktop client lays it out: CR LF, four spaces.
std::string AddTemplate(const std::string& userInfo) {
  return "{\r\n    \"image\": \"" + kImage +
         "\",\r\n    \"image_type\": \"BASE64\",\r\n    \"group_id\": \"test\",\r\n    \"user_id\": \"u_1\",\r\n"
         "    \"user_info\": \"" + userInfo + "\",\r\n    \"quality_control\": \"LOW\",\r\n"
         "    \"liveness_control\": \"NONE\"\r\n}";
}

TEST(FaceRequest, ReadsTheClientsAddTemplate) {
  const auto parsed = ParseAddUserRequest(AddTemplate("张三"));
  ASSERT_TRUE(std::holds_alternative<AddUserRequest>(parsed));
  const auto& request = std::get<AddUserRequest>(parsed);
  EXPECT_EQ(request.groupId, "test");
  EXPECT_EQ(request.userId, "u_1");
  EXPECT_EQ(request.userInfo, "张三");
  EXPECT_EQ(request.quality, QualityControl::Low);
  EXPECT_EQ(request.picture, (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
}

TEST(FaceRequest, ReadsABodyInTheChineseCodePage) {
  const auto parsed = ParseAddUserRequest(AddTemplate("\xD5\xC5\xC8\xFD"));  // 张三 in GBK
  ASSERT_TRUE(std::holds_alternative<AddUserRequest>(parsed));
  EXPECT_EQ(std::get<AddUserRequest>(parsed).userInfo, "张三");
}

TEST(FaceRequest, ReadsSearchesWithGroupListsAndOptions) {
  const auto parsed = ParseSearchRequest(JsonBody(
      {{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "test,girl,test,star"}, {"max_user_num", "3"}}));
  ASSERT_TRUE(std::holds_alternative<SearchRequest>(parsed));
  const auto& request = std::get<SearchRequest>(parsed);
  EXPECT_EQ(request.groups, (std::vector<std::string>{"test", "girl", "star"}));
  EXPECT_EQ(request.maxUsers, 3);
  EXPECT_EQ(request.quality, QualityControl::None);
}

struct ProblemCase {
  std::string name;
  std::string body;
  ServiceError expected;
};

void ExpectProblems(const std::vector<ProblemCase>& cases, bool search) {
  for (const ProblemCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<RequestProblem> problem;
    if (search) {
      auto parsed = ParseSearchRequest(c.body);
      if (auto* p = std::get_if<RequestProblem>(&parsed)) problem = *p;
    } else {
      auto parsed = ParseAddUserRequest(c.body);
      if (auto* p = std::get_if<RequestProblem>(&parsed)) problem = *p;
    }
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->error, c.expected) << problem->message;
    EXPECT_FALSE(problem->message.empty());
  }
}

TEST(FaceRequest, NamesTheErrorOfEachFaultySearch) {
  const std::string group = "test";
  ExpectProblems(
      {
          {"empty body", "", ServiceError::MissingParameter},
          {"not JSON", "image=abc", ServiceError::MissingParameter},
          {"an array", "[]", ServiceError::MissingParameter},
          {"neither UTF-8 nor GBK", "{\"image\":\"\x80\"}", ServiceError::MissingParameter},
          {"raw line break in a value", "{\"image\":\"a\r\nb\"}", ServiceError::MissingParameter},
          {"no image", JsonBody({{"image_type", "BASE64"}, {"group_id_list", group}}), ServiceError::MissingParameter},
          {"empty image", JsonBody({{"image", ""}, {"image_type", "BASE64"}, {"group_id_list", group}}),
           ServiceError::MissingParameter},
          {"image not a string", R"({"image":5,"image_type":"BASE64","group_id_list":"test"})",
           ServiceError::MissingParameter},
          {"no image_type", JsonBody({{"image", kImage}, {"group_id_list", group}}), ServiceError::MissingParameter},
          {"no group list", JsonBody({{"image", kImage}, {"image_type", "BASE64"}}), ServiceError::MissingParameter},
          {"empty group list", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", ""}}),
           ServiceError::MissingParameter},
          {"missing wins over malformed", JsonBody({{"image_type", "URL"}, {"group_id_list", "bad id"}}),
           ServiceError::MissingParameter},
          {"group with a space", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "te st"}}),
           ServiceError::ParameterFormat},
          {"empty group in list", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "a,,b"}}),
           ServiceError::ParameterFormat},
          {"trailing comma", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "a,"}}),
           ServiceError::ParameterFormat},
          {"group id of 49", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", std::string(49, 'g')}}),
           ServiceError::ParameterFormat},
          {"eleven groups",
           JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "a,b,c,d,e,f,g,h,i,j,k"}}),
           ServiceError::ParameterFormat},
          {"image type URL", JsonBody({{"image", kImage}, {"image_type", "URL"}, {"group_id_list", group}}),
           ServiceError::ParameterFormat},
          {"unknown quality",
           JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", group}, {"quality_control", "BEST"}}),
           ServiceError::ParameterFormat},
          {"max_user_num 0",
           JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", group}, {"max_user_num", "0"}}),
           ServiceError::ParameterFormat},
          {"bad Base64", JsonBody({{"image", "not base64!"}, {"image_type", "BASE64"}, {"group_id_list", group}}),
           ServiceError::PictureUndecodable},
      },
      true);
}

TEST(FaceRequest, AcceptsTenGroupsAndLongestIds) {
  const auto parsed = ParseSearchRequest(JsonBody(
      {{"image", kImage}, {"image_type", "BASE64"}, {"group_id_list", "a,b,c,d,e,f,g,h,i," + std::string(48, 'Z')}}));
  ASSERT_TRUE(std::holds_alternative<SearchRequest>(parsed));
  EXPECT_EQ(std::get<SearchRequest>(parsed).groups.size(), 10u);
}

TEST(FaceRequest, NamesTheErrorOfEachFaultyRegistration) {
  const auto add = [](std::string group, std::string user, std::string info) {
    return JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id", group}, {"user_id", user}, {"user_info", info}});
  };
  ExpectProblems(
      {
          {"no user id", JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id", "g"}}),
           ServiceError::MissingParameter},
          {"empty group id", add("", "u", ""), ServiceError::MissingParameter},
          {"empty user id", add("g", "", ""), ServiceError::MissingParameter},
          {"user id with a dash", add("g", "a-b", ""), ServiceError::ParameterFormat},
          {"user id of spaces", add("g", "   ", ""), ServiceError::ParameterFormat},
          {"Chinese user id", add("g", "用户", ""), ServiceError::ParameterFormat},
          {"group id with a comma", add("a,b", "u", ""), ServiceError::ParameterFormat},
          {"user info over 256 bytes", add("g", "u", std::string(257, 'x')),
           ServiceError::ParameterFormat},
          {"user info not a string",
           R"({"image":"iVBORw0KGgo=","image_type":"BASE64","group_id":"g","user_id":"u","user_info":1})",
           ServiceError::ParameterFormat},
          {"bad Base64", JsonBody({{"image", "YQ="}, {"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "u"}}),
           ServiceError::PictureUndecodable},
      },
      false);
}

TEST(FaceRequest, UserInfoLimitCountsUtf8Bytes) {
  const auto body = [](std::string info) {
    return JsonBody({{"image", kImage}, {"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "u"}, {"user_info", info}});
  };
  std::string chinese;
  for (int i = 0; i < 85; ++i) chinese += "中";  // 255 bytes
  EXPECT_TRUE(std::holds_alternative<AddUserRequest>(ParseAddUserRequest(body(chinese + "x"))));
  EXPECT_TRUE(std::holds_alternative<RequestProblem>(ParseAddUserRequest(body(chinese + "中"))));
}

}  // namespace
}  // namespace vantorel::service

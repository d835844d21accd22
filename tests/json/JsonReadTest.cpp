#include <gtest/gtest.h>

#include "json/JsonDocument.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

// Replies in the shape the face service sends, as the session hands them
// over: decoded into code page 936.
const Text& SearchReply() {
  static const Text reply = FromUtf8(
      R"({"error_code":0,"error_msg":"SUCCESS","log_id":3584051565,"timestamp":1700000000,"cached":0,)"
      R"("result":{"face_token":"2fa64a88a9d5118916f9a303782a97d3","user_list":[)"
      R"({"group_id":"staff","user_id":"u42","user_info":"张三，前台","score":87.5}]}})");
  return reply;
}

const Text kFailedSearch =
    R"({"error_code":222202,"error_msg":"pic not has face","log_id":1,"timestamp":1,"cached":0,"result":null})";
const Text kTokenReply = R"({"access_token":"24.6c5e1ff1.2592000.1700000000.282335-1","expires_in":2592000})";

struct ReadCase {
  const char* name;
  Text reply;
  Text path;
  Text text;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class GetTextTest : public testing::TestWithParam<ReadCase> {};

TEST_P(GetTextTest, ReadsThePath) {
  JsonDocument document;
  document.Parse(GetParam().reply);
  EXPECT_EQ(document.GetText(GetParam().path), GetParam().text);
}

const Text kValues =
    R"({"zero":0,"score":87.5,"big":1e20,"tenth":0.1,"neg":-3,"long":123456789012345,"tiny":1e-5,)"
    R"("s":"say \"hi\"\n","z":null,"t":true,"o":{"k":1},"a":[1,2]})";

INSTANTIATE_TEST_SUITE_P(
    Paths, GetTextTest,
    testing::Values(
        ReadCase{"errorCode", SearchReply(), "error_code", "0"},
        ReadCase{"errorMsg", SearchReply(), "error_msg", "SUCCESS"},
        ReadCase{"faceToken", SearchReply(), "result.face_token", "2fa64a88a9d5118916f9a303782a97d3"},
        ReadCase{"score", SearchReply(), "result['user_list'][0]['score']", "87.5"},
        ReadCase{"groupId", SearchReply(), "result['user_list'][0]['group_id']", "staff"},
        ReadCase{"userId", SearchReply(), "result['user_list'][0]['user_id']", "u42"},
        ReadCase{"userInfo", SearchReply(), "result['user_list'][0]['user_info']", FromUtf8("张三，前台")},
        ReadCase{"logId", SearchReply(), "log_id", "3584051565"},
        ReadCase{"failedCode", kFailedSearch, "error_code", "222202"},
        ReadCase{"failedMessage", kFailedSearch, "error_msg", "pic not has face"},
        ReadCase{"underNullResult", kFailedSearch, "result['user_list'][0]['score']", ""},
        ReadCase{"accessToken", kTokenReply, "access_token", "24.6c5e1ff1.2592000.1700000000.282335-1"},
        ReadCase{"noErrorCode", kTokenReply, "error_code", ""},
        ReadCase{"zero", kValues, "zero", "0"}, ReadCase{"tenth", kValues, "tenth", "0.1"},
        ReadCase{"threeDigitExponent", kValues, "big", "1e+020"},
        ReadCase{"negative", kValues, "neg", "-3"},
        ReadCase{"thirteenDigits", kValues, "long", "1.234567890123e+014"},
        ReadCase{"smallExponent", kValues, "tiny", "1e-005"},
        ReadCase{"stringUnquoted", kValues, "s", "say \"hi\"\n"},
        ReadCase{"null", kValues, "z", ""}, ReadCase{"missing", kValues, "nothing", ""},
        ReadCase{"underMissing", kValues, "nothing.below", ""}, ReadCase{"emptyPath", kValues, "", ""},
        ReadCase{"boolean", kValues, "t", "true"}, ReadCase{"array", kValues, "a", "1,2"},
        ReadCase{"bracketPathNumber", "[87.5]", "[0]", "87.5"},
        ReadCase{"afterHtml", "<html></html>", "error_code", ""}));

TEST(JsonReadTest, GetTextAsJsonQuotesAndEscapes) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(kValues));
  EXPECT_EQ(document.GetText("s", true), R"("say \"hi\"\n")");
  EXPECT_EQ(document.GetText("o", true), R"({"k":1})");
  EXPECT_EQ(document.GetText("nothing", true), "");
  EXPECT_EQ(document.GetJson("a"), "[1,2]");
  EXPECT_EQ(document.GetJson("z"), "null");
}

TEST(JsonReadTest, ErrorCodeThroughAMemberDocument) {
  JsonDocument document;
  const struct {
    Text reply;
    Text code;
  } cases[] = {{SearchReply(), "0"},
               {kFailedSearch, "222202"},
               {kTokenReply, ""},  // no member: an undefined document
               {"", ""},
               // A member document loads the member's JSON text through
               // eval, so a string of digits arrives as the number.
               {R"({"error_code":"0"})", "0"}};
  for (const auto& c : cases) {
    document.Parse(c.reply);
    EXPECT_EQ(document.GetMember("error_code").ToText(), c.code) << c.reply;
  }
}

TEST(JsonReadTest, MembersAndElementsAsDocuments) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(SearchReply()));
  EXPECT_EQ(document.GetMember("result['user_list'][0]").GetText("user_id"), "u42");
  EXPECT_EQ(document.GetElement(0, "result.user_list").GetText("score"), "87.5");
  EXPECT_EQ(document.GetMember("result.face_token").ToText(), "null");  // its content is no script
  EXPECT_EQ(document.GetMember("").ToText(), "");

  ASSERT_TRUE(document.Parse("[10, 20]"));
  EXPECT_EQ(document.GetElementText(1), "20");
  EXPECT_EQ(document.GetElementText(1, "", true), "20");
  EXPECT_EQ(document.GetElement(5).ToText(), "");
  EXPECT_EQ(document.GetElement(-1).ToText(), "");
}

TEST(JsonReadTest, ElementTextOfAMember) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"names":["a\"b","c"]})"));
  EXPECT_EQ(document.GetElementText(0, "names"), "a\"b");
  EXPECT_EQ(document.GetElementText(0, "names", true), R"("a\"b")");
  EXPECT_EQ(document.GetElementText(2, "names"), "");
  EXPECT_EQ(document.GetElementText(0, "missing"), "");
}

struct TypeCase {
  Text path;
  JsonValueType type;
};

TEST(JsonReadTest, GetTypeCodes) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"s":"x","n":1,"b":false,"o":{},"a":[],"z":null})"));
  const TypeCase cases[] = {{"s", JsonValueType::String},  {"n", JsonValueType::Number},
                            {"b", JsonValueType::Boolean}, {"o", JsonValueType::Object},
                            {"a", JsonValueType::Array},   {"z", JsonValueType::Null},
                            {"missing", JsonValueType::Null},
                            {"missing.child", JsonValueType::Other},  // the parent is missing
                            {"", JsonValueType::Object},   {"[0]", JsonValueType::Other},
                            {"constructor", JsonValueType::Other}};  // a function
  for (const auto& c : cases) EXPECT_EQ(document.GetType(c.path), c.type) << c.path;

  ASSERT_TRUE(document.Parse("[1]"));
  EXPECT_EQ(document.GetType(""), JsonValueType::Array);
}

TEST(JsonReadTest, HasMemberCountsEveryValueButNullAndUndefined) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"zero":0,"empty":"","no":false,"z":null})"));
  EXPECT_TRUE(document.HasMember("zero"));
  EXPECT_TRUE(document.HasMember("empty"));
  EXPECT_TRUE(document.HasMember("no"));
  EXPECT_FALSE(document.HasMember("z"));
  EXPECT_FALSE(document.HasMember("missing"));
  EXPECT_FALSE(document.HasMember("missing.child"));
  EXPECT_FALSE(document.HasMember(""));
}

TEST(JsonReadTest, GetNumberOfEachKind) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"n":-2.5,"digits":"12","word":"x","t":true,"z":null})"));
  const struct {
    Text path;
    double number;
  } cases[] = {{"n", -2.5}, {"digits", 12}, {"word", 0}, {"t", 1}, {"z", 0}, {"missing", 0}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(document.GetNumber(c.path), c.number) << c.path;
}

TEST(JsonReadTest, GetCountOfMembersAndElements) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"arr":[1,2,3],"o":{},"p":{"x":1,"y":2},"n":5})"));
  const struct {
    Text path;
    int count;
  } cases[] = {{"arr", 3}, {"o", 0}, {"p", 2}, {"", 4}, {"n", 0}, {"missing", 0}, {"missing.x", 0}};
  for (const auto& c : cases) EXPECT_EQ(document.GetCount(c.path), c.count) << c.path;

  ASSERT_TRUE(document.Parse("[[1,2],[3]]"));
  EXPECT_EQ(document.GetCount("[0]"), 2);
  EXPECT_EQ(document.GetCount(), 2);
}

TEST(JsonReadTest, GetKeysInSourceOrder) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"b":1,"a":{"y":1,"x":2},"e":{},"list":[10,20],"x,y":0})"));
  const struct {
    Text path;
    std::vector<Text> keys;
  } cases[] = {{"", {"b", "a", "e", "list", "x", "y"}},  // a name with a comma splits
               {"a", {"y", "x"}},
               {"e", {}},
               {"list", {"0", "1"}},
               {"missing.child", {}}};
  for (const auto& c : cases) {
    std::vector<Text> keys{"stale"};
    EXPECT_EQ(document.GetKeys(keys, c.path), static_cast<int>(c.keys.size())) << c.path;
    EXPECT_EQ(keys, c.keys) << c.path;
  }
  // The engine's list is dropped afterwards (a path is script text).
  EXPECT_EQ(document.GetType("x, ary"), JsonValueType::Null);
}

}  // namespace
}  // namespace vantorel

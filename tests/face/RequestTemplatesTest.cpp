#include "face/RequestTemplates.h"

#include <gtest/gtest.h>

#include "face/ExtractBetween.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

TEST(RequestTemplatesTest, SearchBodyIsTheTemplateWithBothValues) {
  EXPECT_EQ(SearchRequestBody("QUJD", "test,girl,star"),
            "{\r\n"
            "    \"image\": \"QUJD\",\r\n"
            "    \"image_type\": \"BASE64\",\r\n"
            "    \"group_id_list\": \"test,girl,star\",\r\n"
            "    \"face_type\": \"LIVE\",\r\n"
            "    \"quality_control\": \"LOW\",\r\n"
            "    \"liveness_control\": \"NONE\"\r\n"
            "}");
  EXPECT_NE(SearchRequestBody("", "").find("\"group_id_list\": \"\","), Text::npos);
}

TEST(RequestTemplatesTest, RegisterBodyIsTheTemplateWithAllValues) {
  EXPECT_EQ(RegisterRequestBody("QUJD", "u1", "g1", FromUtf8("张三")),
            FromUtf8("{\r\n"
                     "    \"image\": \"QUJD\",\r\n"
                     "    \"image_type\": \"BASE64\",\r\n"
                     "    \"group_id\": \"g1\",\r\n"
                     "    \"user_id\": \"u1\",\r\n"
                     "    \"user_info\": \"张三\",\r\n"
                     "    \"quality_control\": \"LOW\",\r\n"
                     "    \"liveness_control\": \"NONE\"\r\n"
                     "}"));
}

TEST(RequestTemplatesTest, ValuesHoldingPlaceholderWordsStayAsTyped) {
  const Text body = RegisterRequestBody("QUJD", FromUtf8("a用户组ID用户信息"), "g", FromUtf8("图片"));
  EXPECT_NE(body.find(FromUtf8("\"user_id\": \"a用户组ID用户信息\",")), Text::npos);
  EXPECT_NE(body.find(FromUtf8("\"user_info\": \"图片\",")), Text::npos);
  EXPECT_NE(body.find("\"image\": \"QUJD\","), Text::npos);
}

TEST(RequestTemplatesTest, ValuesAreEscapedAsJsonStringContent) {
  const Text body = RegisterRequestBody("", "u", "g", "say \"hi\"\r\nC:\\x\t\x01");
  EXPECT_NE(body.find("\"user_info\": \"say \\\"hi\\\"\\r\\nC:\\\\x\\t\\u0001\","), Text::npos);
}

TEST(EscapeJsonStringTest, LeavesDoubleByteCharactersWhole) {
  // 0x95 0x5C is one character whose second byte is the ASCII backslash.
  EXPECT_EQ(EscapeJsonString("\x95\x5C"), "\x95\x5C");
  EXPECT_EQ(EscapeJsonString("\\"), "\\\\");
  EXPECT_EQ(EscapeJsonString("a\xB0"), "a\xB0");  // a lone lead byte at the end
  EXPECT_EQ(EscapeJsonString(""), "");
}

TEST(ExtractBetweenTest, Cases) {
  struct Case {
    Text text, left, right;
    std::optional<int> start;
    bool include, whole, ignoreCase;
    Text expected;
  } cases[] = {
      {"a[b]c", "[", "]", {}, false, false, false, "b"},
      {"a[b]c", "[", "]", {}, true, false, false, "[b]"},
      {"a[b", "[", "]", {}, false, false, false, ""},
      {"a[b", "[", "]", {}, false, true, false, "a[b"},
      {"a[]c", "[", "]", {}, false, false, false, ""},
      {"x[1]y[2]", "[", "]", 4, false, false, false, "2"},
      {"xAby", "a", "Y", {}, false, false, true, "b"},
      {"xAby", "a", "y", {}, false, false, false, ""},
      {"no", "[", "]", {}, false, true, false, "no"},
      {"{\"access_token\":\"t0k\",\"x\":1}", "\"access_token\":\"", "\",\"", {}, false, false, false, "t0k"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtractBetween(c.text, c.left, c.right, c.start, c.include, c.whole, c.ignoreCase), c.expected)
        << c.text;
}

}  // namespace
}  // namespace vantorel

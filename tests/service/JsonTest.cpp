#include <gtest/gtest.h>

#include "service/JsonValue.h"
#include "service/JsonWriter.h"

namespace vantorel::service {
namespace {

TEST(JsonParse, AcceptsDocumentsOfEveryKind) {
  const auto value = ParseJson(" {\"a\": [1, -2.5e1, true, false, null], \"b\": {\"c\": \"d\"}}\r\n");
  ASSERT_TRUE(value);
  ASSERT_TRUE(value->isObject());
  const JsonValue* a = value->Find("a");
  ASSERT_TRUE(a);
  ASSERT_EQ(a->items().size(), 5u);
  EXPECT_EQ(a->items()[0].number(), 1);
  EXPECT_EQ(a->items()[1].number(), -25);
  EXPECT_TRUE(a->items()[2].boolean());
  EXPECT_EQ(a->items()[4].type(), JsonType::Null);
  EXPECT_EQ(value->Find("b")->Find("c")->text(), "d");
}

TEST(JsonParse, DecodesEscapesIntoUtf8) {
  const auto value = ParseJson(R"("q\" b\\ s\/ \b\f\n\r\t \u00e9 \u4e2d \ud83d\ude00")");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text(), "q\" b\\ s/ \b\f\n\r\t \xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80");
}

TEST(JsonParse, KeepsRawUtf8AndTheLastOfRepeatedMembers) {
  const auto value = ParseJson("{\"info\":\"张三\",\"info\":\"李四\"}");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Find("info")->text(), "李四");
}

TEST(JsonParse, RefusesMalformedText) {
  const std::string cases[] = {
      "",
      "   ",
      "{",
      "{\"a\":1,}",
      "[1,]",
      "{\"a\" 1}",
      "{a:1}",
      "'single'",
      "\"unterminated",
      "\"raw\nline\"",          // control characters must be escaped
      "\"bad \\x escape\"",
      "\"\\u12\"",
      "\"\\ud800\"",            // a lone high surrogate
      "\"\\udc00\"",            // a lone low surrogate
      "\"\\ud800\\u0041\"",     // a high surrogate followed by no low one
      "01",
      "1.",
      ".5",
      "-",
      "1e",
      "1e999",                  // out of range
      "+1",
      "tru",
      "nul",
      "{} {}",
      "\"\xC3\"",               // truncated UTF-8
      "\"\xC0\xAF\"",           // overlong UTF-8
      "\"\xED\xA0\x80\"",       // an encoded surrogate
      "\"\xF4\x90\x80\x80\"",   // above U+10FFFF
  };
  for (const std::string& text : cases) EXPECT_FALSE(ParseJson(text)) << text;
}

TEST(JsonParse, RefusesNestingBeyondTheLimit) {
  const std::string deep = std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']');
  EXPECT_FALSE(ParseJson(deep));
  const std::string allowed = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  EXPECT_TRUE(ParseJson(allowed));
}

TEST(JsonWriter, WritesCompactMembersInOrderWithEscapes) {
  JsonWriter json;
  json.BeginObject()
      .Key("s").String("a\"b\\c\r\n\t\x01 中")
      .Key("i").Integer(-7)
      .Key("list").BeginArray().Number(87.5).Number(100).Number(0.004).Null().EndArray()
      .Key("empty").BeginObject().EndObject()
      .EndObject();
  EXPECT_EQ(json.text(), "{\"s\":\"a\\\"b\\\\c\\r\\n\\t\\u0001 中\",\"i\":-7,\"list\":[87.5,100,0,null],\"empty\":{}}");
}

TEST(JsonWriter, OutputParsesBackToTheSameText) {
  const std::string original = "line\r\nquote\" tab\t \x1f end 用户信息";
  JsonWriter json;
  json.String(original);
  const auto parsed = ParseJson(json.text());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->text(), original);
}

}  // namespace
}  // namespace vantorel::service

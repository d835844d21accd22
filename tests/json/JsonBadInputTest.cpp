// Replies no service should send: each loads or is rejected, and reading
// them never crashes.
#include <gtest/gtest.h>

#include <string>

#include "json/JsonDocument.h"

namespace vantorel {
namespace {

Text Nested(int depth, const Text& open, const Text& close, const Text& core) {
  Text text;
  for (int i = 0; i < depth; ++i) text += open;
  text += core;
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

TEST(JsonBadInputTest, DeepNestingIsRejected) {
  JsonDocument document;
  EXPECT_FALSE(document.Parse(Nested(10000, "[", "]", "1")));
  EXPECT_FALSE(document.Parse(Nested(10000, "{\"a\":", "}", "1")));
  EXPECT_EQ(document.GetText("a"), "");
  // Nesting within the engine's limits loads and reads back.
  const Text moderate = Nested(200, "[", "]", "1");
  ASSERT_TRUE(document.Parse(moderate));
  EXPECT_EQ(document.ToText(), moderate);
}

TEST(JsonBadInputTest, TwoMegabyteRepliesLoad) {
  Text list = "{\"error_code\":0,\"result\":{\"user_list\":[";
  const int users = 20000;
  for (int i = 0; i < users; ++i) {
    if (i > 0) list += ",";
    list += "{\"group_id\":\"g\",\"user_id\":\"user" + std::to_string(i) +
            "\",\"user_info\":\"" + Text(60, 'i') + "\",\"score\":" + std::to_string(i % 100) + ".5}";
  }
  list += "]}}";
  ASSERT_GT(list.size(), 2u << 20);
  JsonDocument document;
  ASSERT_TRUE(document.Parse(list));
  EXPECT_EQ(document.GetCount("result.user_list"), users);
  EXPECT_EQ(document.GetText("result['user_list'][19999]['score']"), "99.5");
  EXPECT_EQ(document.ToText(), list);

  const Text longString(2u << 20, 'x');
  ASSERT_TRUE(document.Parse("{\"s\":\"" + longString + "\"}"));
  EXPECT_EQ(document.GetText("s"), longString);
}

TEST(JsonBadInputTest, BytesNoCharacterUsesBecomeReplacements) {
  // Lone lead bytes and bytes no character of code page 936 starts, as well
  // as UTF-8 that was never decoded.
  JsonDocument document;
  ASSERT_TRUE(document.Parse("{\"s\":\"a\x81\" , \"t\":\"\xFF\xFE\", \"u\":\"\xE4\xBA\xBA\xC3\"}"));
  EXPECT_EQ(document.GetType("s"), JsonValueType::String);
  EXPECT_EQ(document.GetType("u"), JsonValueType::String);
  EXPECT_EQ(document.GetCount(), 3);
  EXPECT_FALSE(document.Parse("\x80\x80\x80"));
}

TEST(JsonBadInputTest, NulsInsideAndOutsideStrings) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(Text("{\"s\":\"a\0b\"}", 11)));
  EXPECT_EQ(document.GetText("s"), Text("a\0b", 3));
  EXPECT_EQ(document.GetText("s", true), "\"a\\u0000b\"");
  EXPECT_FALSE(document.Parse(Text("{\"a\":1}\0", 8)));
  EXPECT_FALSE(document.Parse(Text("\0", 1)));
}

TEST(JsonBadInputTest, LineSeparatorsInStrings) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"s":"a\u2028b\u2029c"})"));
  // Written back escaped, so the text stays loadable as script.
  EXPECT_EQ(document.ToText(), R"({"s":"a\u2028b\u2029c"})");
  EXPECT_EQ(document.GetText("s"), "a?b?c");  // no such characters in code page 936
  JsonDocument again;
  EXPECT_TRUE(again.Parse(document.ToText()));
}

TEST(JsonBadInputTest, CharactersOutsideTheBmp) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse(R"({"s":"\ud83d\ude00!","lone":"\ud83d"})"));
  EXPECT_EQ(document.GetText("s"), "?!");
  EXPECT_EQ(document.GetText("lone"), "?");
  EXPECT_EQ(document.GetCount(), 2);
}

}  // namespace
}  // namespace vantorel

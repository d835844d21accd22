#include <gtest/gtest.h>

#include <optional>

#include "json/JsonDocument.h"
#include "platform/script/ScriptEngine.h"
#include "platform/script/ThreadInitialization.h"

namespace vantorel {
namespace {

struct ParseCase {
  const char* name;
  Text text;
  bool parsed;
  Text toText;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, LoadsTheTextThroughEval) {
  JsonDocument document;
  EXPECT_EQ(document.Parse(GetParam().text), GetParam().parsed);
  EXPECT_EQ(document.ToText(), GetParam().toText);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTest,
    testing::Values(
        ParseCase{"empty", "", false, ""},  // eval() gives undefined
        ParseCase{"null", "null", false, "null"},
        ParseCase{"htmlPage", "<html><body><h1>502 Bad Gateway</h1></body></html>", false, "null"},
        ParseCase{"spacedArray", "[ 1, 2 ]", true, "[1,2]"},
        ParseCase{"object", "{\"b\": 1, \"a\": [true, null, \"x\"]}", true,
                  "{\"b\":1,\"a\":[true,null,\"x\"]}"},
        ParseCase{"number", "57.5061", true, "57.5061"}, ParseCase{"false", "false", true, "false"},
        // A string literal's content is run as script.
        ParseCase{"stringOfDigits", "\"123\"", true, "123"},
        ParseCase{"stringOfAWord", "\"someword\"", false, "null"},
        ParseCase{"unfinished", "{\"a\":", false, "null"}));

TEST(JsonDocumentTest, StartsAsAnEmptyObject) {
  JsonDocument document;
  EXPECT_EQ(document.ToText(), "{}");
}

TEST(JsonDocumentTest, EachParseStartsANewEngine) {
  JsonDocument document;
  // A path is script text; a comma expression reads a global of the engine.
  ASSERT_TRUE(document.Parse("\"var leftover = 7; 1\""));
  EXPECT_EQ(document.GetNumber("x, leftover"), 7);
  ASSERT_TRUE(document.Parse("{}"));
  EXPECT_EQ(document.GetNumber("x, leftover"), 0);
}

TEST(JsonDocumentTest, ClearAndResetAsReplaceTheRoot) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse("[1, 2]"));
  document.Clear();
  EXPECT_EQ(document.ToText(), "{}");
  document.ResetAs(JsonValueType::Array);
  EXPECT_EQ(document.ToText(), "[]");
  document.ResetAs(static_cast<JsonValueType>(3));
  document.ResetAs(JsonValueType::String);
  EXPECT_EQ(document.ToText(), "[]");
  document.ResetAs(JsonValueType::Null);
  EXPECT_EQ(document.ToText(), "{}");
}

TEST(JsonDocumentTest, CopiesShareOneValue) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse("[1]"));
  JsonDocument copy = document.Copy();
  copy.Clear();
  EXPECT_EQ(document.ToText(), "{}");
  JsonDocument assigned;
  assigned = document;
  document.SetNumber("n", 5);
  EXPECT_EQ(assigned.ToText(), "{\"n\":5}");
}

TEST(JsonDocumentTest, MemberDocumentsAreIndependent) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse("{\"p\":{\"x\":1}}"));
  JsonDocument member = document.GetMember("p");
  member.SetNumber("x", 5);
  EXPECT_EQ(member.ToText(), "{\"x\":5}");
  EXPECT_EQ(document.ToText(), "{\"p\":{\"x\":1}}");
}

// Replies that would hang or exhaust the program: each is cut off by a cap,
// rejected like any bad text, and the document goes on working.
class HostileReplyTest : public testing::TestWithParam<Text> {};

TEST_P(HostileReplyTest, IsRejectedAndTheDocumentStaysUsable) {
  JsonDocument document;
  EXPECT_FALSE(document.Parse(GetParam()));
  EXPECT_EQ(document.ToText(), "null");
  EXPECT_EQ(document.GetText("error_code"), "");
  ASSERT_TRUE(document.Parse("{\"error_code\":0}"));
  EXPECT_EQ(document.GetText("error_code"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HostileReplyTest,
    testing::Values(Text("1);for(;;){}(1"),             // breaks out of the eval call
                    Text("\"for(;;){}\""),                // a string literal holding a loop
                    Text("\"var s='x'; for(;;) s+=s\""),  // builds a gigabyte string
                    Text("1);throw 0;(1")));

TEST(JsonDocumentTest, HostileReadsFailAndTheDocumentStaysUsable) {
  JsonDocument document;
  ASSERT_TRUE(document.Parse("{\"a\":1}"));
  EXPECT_EQ(document.GetNumber("a, (function(){for(;;){}})()"), 0);
  document.SetJson("b", "(function(){var s='x'; for(;;) s+=s})()");
  EXPECT_EQ(document.ToText(), "{\"a\":1}");
}

// Initialisation counting: construction and every Parse initialise the
// thread, every release (copies included) uninitialises it.
class InitializationCountTest : public testing::TestWithParam<bool> {};

TEST_P(InitializationCountTest, MemberDocumentsLeaveTheCountAsTheyFoundIt) {
  const bool engineWorks = GetParam();
  const int before = ThreadInitializationCount();
  {
    std::optional<ScopedEngineCreationFailure> failure;
    if (!engineWorks) failure.emplace();
    JsonDocument reply;
    EXPECT_EQ(ThreadInitializationCount(), before + 1);
    const int loaded = ThreadInitializationCount();
    { JsonDocument member = reply.GetMember("error_code"); }
    { JsonDocument element = reply.GetElement(0, "list"); }
    EXPECT_EQ(ThreadInitializationCount(), loaded);
    reply.Parse("{\"list\":[1,2]}");
    reply.RemoveMemberElement("list[0]");
    EXPECT_GE(ThreadInitializationCount(), loaded);
  }
  EXPECT_GE(ThreadInitializationCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, InitializationCountTest, testing::Values(true, false));

TEST(JsonDocumentTest, ReleaseUninitialisesOnceEvenWithoutAnEngine) {
  const int before = ThreadInitializationCount();
  {
    ScopedEngineCreationFailure failure;
    JsonDocument document;
    document.Release();
    EXPECT_EQ(ThreadInitializationCount(), before);
  }
  EXPECT_EQ(ThreadInitializationCount(), before);
}

TEST(JsonDocumentTest, WithoutAnEngineEveryOperationGivesItsEmptyResult) {
  ScopedEngineCreationFailure failure;
  JsonDocument document;
  EXPECT_FALSE(document.Parse("{\"a\":1}"));
  document.SetNumber("a", 1);
  document.Append("x");
  EXPECT_EQ(document.ToText(), "");
  EXPECT_EQ(document.GetText("a"), "");
  EXPECT_EQ(document.GetText("a", true), "");
  EXPECT_EQ(document.GetNumber("a"), 0);
  EXPECT_EQ(document.GetCount(), 0);
  EXPECT_FALSE(document.HasMember("a"));
  EXPECT_EQ(document.GetType(""), JsonValueType::Other);
  std::vector<Text> keys{"old"};
  EXPECT_EQ(document.GetKeys(keys), 0);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(document.GetMember("a").ToText(), "");
}

TEST(JsonDocumentTest, ParseDoesNotRetryAFailedEngineButStartDoes) {
  JsonDocument document;
  {
    ScopedEngineCreationFailure failure;
    document.Parse("[1]");  // drops the engine and cannot make a new one
  }
  EXPECT_FALSE(document.Parse("[1]"));
  document.Start();
  EXPECT_TRUE(document.Parse("[1]"));
  EXPECT_EQ(document.ToText(), "[1]");
}

}  // namespace
}  // namespace vantorel

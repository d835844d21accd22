#include "platform/script/ScriptEngine.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

std::shared_ptr<ScriptEngine> JavaScriptEngine() {
  auto engine = ScriptEngine::Create();
  if (engine) engine->SetLanguage("JavaScript");
  return engine;
}

TEST(ScriptEngineTest, RunsNothingUntilItsLanguageIsSet) {
  auto engine = ScriptEngine::Create();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalText("'x'"), "");
  EXPECT_FALSE(engine->SetLanguage("VBScript"));
  EXPECT_EQ(engine->EvalText("'x'"), "");
  EXPECT_TRUE(engine->SetLanguage("JavaScript"));
  EXPECT_EQ(engine->EvalText("'x'"), "x");
}

TEST(ScriptEngineTest, CreationFailsWhileATestAsksItTo) {
  {
    ScopedEngineCreationFailure failure;
    EXPECT_EQ(ScriptEngine::Create(), nullptr);
  }
  EXPECT_NE(ScriptEngine::Create(), nullptr);
}

struct TextCase {
  const char* code;
  Text expected;
};

class EvalTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(EvalTextTest, AnswersTheCompletionValueAsText) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalText(GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EvalTextTest,
    testing::Values(TextCase{"'abc'", "abc"}, TextCase{"1+2", "3"}, TextCase{"87.5", "87.5"},
                    TextCase{"true", "true"}, TextCase{"undefined", ""}, TextCase{"[1,2]", "1,2"},
                    TextCase{"({})", "[object Object]"},
                    TextCase{"var y=1; y+1", "2"},                  // the last statement's value
                    TextCase{"var z=1", ""},                        // a declaration has none
                    TextCase{"if (1) {'a'} else {'b'}", "a"},
                    TextCase{"null", ""},                           // null has no text
                    TextCase{"throw 'x'", ""}, TextCase{"this is no script", ""},
                    TextCase{"undefinedName", ""},
                    TextCase{"({toString:function(){throw 1}})", ""},
                    TextCase{"Symbol('s')", ""}));

struct NumberCase {
  const char* code;
  double expected;
};

class EvalNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(EvalNumberTest, AnswersTheCompletionValueAsNumber) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalNumber(GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EvalNumberTest,
    testing::Values(NumberCase{"42", 42}, NumberCase{"-2.5", -2.5}, NumberCase{"'12'", 12},
                    NumberCase{"true", 1}, NumberCase{"undefined", 0}, NumberCase{"'abc'", 0},
                    NumberCase{"null", 0}, NumberCase{"throw 1", 0}, NumberCase{"1e300*1e300", std::numeric_limits<double>::infinity()}));

struct BooleanCase {
  const char* code;
  bool expected;
};

class EvalBooleanTest : public testing::TestWithParam<BooleanCase> {};

TEST_P(EvalBooleanTest, AnswersTheCompletionValueAsBoolean) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalBoolean(GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EvalBooleanTest,
    testing::Values(BooleanCase{"1==1", true}, BooleanCase{"0", false}, BooleanCase{"'x'", true},
                    BooleanCase{"null", false}, BooleanCase{"undefined", false},
                    BooleanCase{"throw true", false}, BooleanCase{"(", false}));

TEST(ScriptEngineTest, KeepsGlobalsAcrossCallsAndRunsNonStrict) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  engine->AddCode("function leak(){ leaked = 7 }");
  engine->Eval("var declared = 5; leak()");
  EXPECT_EQ(engine->EvalNumber("declared + leaked"), 12);
  EXPECT_EQ(engine->EvalNumber("with ({a: 3}) a"), 3);  // a syntax error in strict code
}

TEST(ScriptEngineTest, AFailedCallLeavesEarlierStateAlone) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  engine->Eval("var kept = 'yes'");
  engine->AddCode("kept = 'no'; (");  // a syntax error runs nothing
  EXPECT_EQ(engine->EvalText("kept"), "yes");
  engine->Eval("kept = 'no'; throw 1");
  EXPECT_EQ(engine->EvalText("kept"), "no");  // statements before the throw ran
}

TEST(ScriptEngineTest, TextCrossesInCodePage936) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  const Text face = FromUtf8("人脸");
  EXPECT_EQ(engine->EvalNumber("'" + face + "'.length"), 2);
  EXPECT_EQ(engine->EvalText("'" + face + "'"), face);
  EXPECT_EQ(engine->EvalText("String.fromCharCode(0x4EBA, 0x8138)"), face);
}

TEST(ScriptEngineTest, CharactersCodePage936CannotHoldComeBackAsOneQuestionMark) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalText("'a\\ud83d\\ude00b'"), "a?b");        // a pair of surrogates
  EXPECT_EQ(engine->EvalText("String.fromCharCode(0x1F600)"), "?");  // one code point
  EXPECT_EQ(engine->EvalNumber("'\\ud83d\\ude00'.length"), 2);
}

TEST(ScriptEngineTest, NulsCrossBothWays) {
  auto engine = JavaScriptEngine();
  ASSERT_TRUE(engine);
  EXPECT_EQ(engine->EvalText("'a\\u0000b'"), Text("a\0b", 3));
  EXPECT_EQ(engine->EvalNumber(Text("'a\0b'.length", 12)), 3);
}

}  // namespace
}  // namespace vantorel

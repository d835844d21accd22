// The caps that keep a hostile script from hanging or exhausting the program:
// a call over either fails like a script error, and the engine goes on working.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "platform/script/ScriptEngine.h"

namespace vantorel {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kSmallCap = std::size_t{16} << 20;

std::shared_ptr<ScriptEngine> LimitedEngine() {
  auto engine = ScriptEngine::Create(ScriptLimits{200ms, kSmallCap});
  if (engine) engine->SetLanguage("JavaScript");
  return engine;
}

class RunawayScriptTest : public testing::TestWithParam<const char*> {};

TEST_P(RunawayScriptTest, IsStoppedAndTheEngineStaysUsable) {
  auto engine = LimitedEngine();
  ASSERT_TRUE(engine);
  engine->Eval("var before = 'kept'");
  EXPECT_EQ(engine->EvalText(GetParam()), "");
  engine->AddCode(GetParam());
  EXPECT_EQ(engine->EvalText("before"), "kept");
  EXPECT_EQ(engine->EvalNumber("6*7"), 42);
  EXPECT_LE(engine->MemoryInUse(), kSmallCap);
}

INSTANTIATE_TEST_SUITE_P(
    EndlessLoops, RunawayScriptTest,
    testing::Values("for(;;){}", "while(true){}", "try{for(;;){}}catch(e){}'caught'",
                    "try{for(;;){}}finally{for(;;){}}", "eval('for(;;){}')",
                    "({toString:function(){for(;;){}}})",  // runs while the answer is converted
                    "[3,1,2].sort(function(){for(;;){}})",
                    "function r(){try{r()}catch(e){r()}} r()"));

INSTANTIATE_TEST_SUITE_P(
    MemoryHogs, RunawayScriptTest,
    testing::Values("var s='x'; for(;;) s+=s", "'x'.repeat(1e9)", "var a=[]; for(;;) a.push({})",
                    "new ArrayBuffer(1e9)"));

TEST(ScriptLimitsTest, FinalizersRunUnderTheTimeCapToo) {
  auto engine = LimitedEngine();
  ASSERT_TRUE(engine);
  // Dropped here, finalized at once; kept, finalized when the engine goes.
  engine->Eval("var o={}; Duktape.fin(o, function(){for(;;){}}); o=null; 'x'");
  EXPECT_EQ(engine->EvalText("'alive'"), "alive");
  engine->Eval("var kept={}; Duktape.fin(kept, function(){for(;;){}})");
  engine.reset();  // returns: the finalizer is cut off like any call
}

TEST(ScriptLimitsTest, AnEngineNeedsRoomForItsBuiltIns) {
  EXPECT_EQ(ScriptEngine::Create(ScriptLimits{200ms, 4096}), nullptr);
}

}  // namespace
}  // namespace vantorel

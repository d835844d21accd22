// The JSON script runs in every document's engine. The engine brings its own
// JSON, so the script's stringify and parse are tested in an engine where
// JSON was deleted first, against the engine's own as the reference.
#include "json/JsonScript.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/script/ScriptEngine.h"

namespace vantorel {
namespace {

enum class Json { Native, Script };

std::shared_ptr<ScriptEngine> EngineWith(Json json) {
  auto engine = ScriptEngine::Create();
  if (!engine) return engine;
  engine->SetLanguage("JavaScript");
  if (json == Json::Script) engine->Eval("delete JSON; delete Date.prototype.toJSON");
  engine->AddCode(JsonScript());
  return engine;
}

class JsonScriptTest : public testing::Test {
 protected:
  void SetUp() override {
    native_ = EngineWith(Json::Native);
    script_ = EngineWith(Json::Script);
    ASSERT_TRUE(native_ && script_);
  }
  // The same statement in both engines; answers the engine's own result.
  Text ExpectSameText(const Text& statement) {
    const Text expected = native_->EvalText(statement);
    EXPECT_EQ(script_->EvalText(statement), expected) << statement;
    return expected;
  }

  std::shared_ptr<ScriptEngine> native_;
  std::shared_ptr<ScriptEngine> script_;
};

TEST_F(JsonScriptTest, DefinesJsonOnlyWhereItIsMissing) {
  EXPECT_EQ(native_->EvalText("typeof String.prototype.toJSON"), "undefined");
  EXPECT_EQ(script_->EvalText("typeof String.prototype.toJSON"), "function");
  EXPECT_EQ(script_->EvalText("typeof JSON.stringify + typeof JSON.parse"), "functionfunction");
  EXPECT_NE(native_->EvalText("String(JSON.parse)"), script_->EvalText("String(JSON.parse)"));
}

TEST_F(JsonScriptTest, AddsCountingAndTwoEnumerableMethodsToEveryObject) {
  for (auto* engine : {native_.get(), script_.get()}) {
    EXPECT_EQ(engine->EvalText("var r=''; for (var k in {}) r+=k+','; r"), "toJSONString,parseJSON,");
    EXPECT_EQ(engine->EvalNumber("get__count([7,8,9])"), 3);
    EXPECT_EQ(engine->EvalNumber("get__count({a:1})"), 1);
    EXPECT_EQ(engine->EvalText("({a:[1]}).toJSONString()"), "{\"a\":[1]}");
    EXPECT_EQ(engine->EvalNumber("'[5]'.parseJSON()[0]"), 5);
  }
}

TEST_F(JsonScriptTest, StringifyWritesWhatTheEngineWrites) {
  const char* values[] = {
      "{b:1,a:[1,'x',null,true,false]}",
      "'q\" b\\\\ t\\t n\\n r\\r b\\b f\\f nul\\u0000 us\\u001f sep\\u2028\\u2029 \\u4eba'",
      "[undefined, function(){}, NaN, Infinity, -0, 1e21, 0.1+0.2, -5e-7]",
      "{u:undefined, f:function(){}, n:null, nested:{deeper:{deepest:[[[]]]}}, e:{}, ea:[]}",
      "new Date(Date.UTC(2024,0,2,3,4,5,6))",
      "[new Number(3), new String('s'), new Boolean(false)]",
      "{toJSON:function(k){return 'custom'+k}}",
      "'\\ud83d\\ude00'",
      "undefined",
      "function(){}",
      "Object.create({inherited:1})",
  };
  for (const char* value : values) ExpectSameText("JSON.stringify(" + Text(value) + ")");
  ExpectSameText("JSON.stringify({a:1,b:[1,{c:2}],e:[],o:{}}, null, 2)");
  ExpectSameText("JSON.stringify([1,{a:[]}], null, '--')");
  ExpectSameText("JSON.stringify({a:1,b:2,c:3}, ['c','a'])");
  ExpectSameText("JSON.stringify({a:1,b:'x',c:[2]}, function(k,v){return typeof v==='number'?v*10:v})");
}

TEST_F(JsonScriptTest, StringifyRefusesCycles) {
  EXPECT_EQ(script_->EvalText("var o={}; o.self=o; JSON.stringify(o)"), "");
  EXPECT_EQ(script_->EvalText("try{JSON.stringify(o)}catch(e){e.name}"), "TypeError");
}

TEST_F(JsonScriptTest, ParseReadsWhatTheEngineReads) {
  const char* texts[] = {
      R"({"b":1,"a":[1,"x",null,true,false]})",
      " \t\r\n[ 1 , -2.5e3 , 0 , -0 , 1E+2 , {\"\":\"\"} ] ",
      R"("esc \" \\ \/ \b \f \n \r \t \u4eba \ud83d\ude00")",
      R"({"__proto__":1,"a":{"a":{"a":[]}}})",
      R"({"dup":1,"dup":2})",
      "true",
  };
  for (const char* text : texts) {
    EXPECT_NE(ExpectSameText("JSON.stringify(JSON.parse(" + ScriptLiteral(text) + "))"), "") << text;
  }
  ExpectSameText("JSON.stringify(JSON.parse('{\"a\":1,\"b\":[2,3],\"c\":4}', "
                 "function(k,v){return k==='c'?undefined:typeof v==='number'?v+1:v}))");
}

TEST_F(JsonScriptTest, ParseRejectsWhatIsNotJson) {
  const char* texts[] = {"",      "{",       "[1,]",  "{\"a\":1,}", "{'a':1}", "01",     "1.",
                         ".5",    "\"\t\"",  "\"\\x41\"", "undefined", "NaN",  "[1] x", "{\"a\" 1}",
                         "tru",   "\"open",  "\"\\u12\"", "-",         "1e",   "{\"a\":1 \"b\":2}"};
  for (const char* text : texts) {
    const Text statement = "try{JSON.parse(" + ScriptLiteral(text) + ");'parsed'}catch(e){e.name}";
    EXPECT_EQ(native_->EvalText(statement), "SyntaxError") << text;
    EXPECT_EQ(script_->EvalText(statement), "SyntaxError") << text;
  }
}

}  // namespace
}  // namespace vantorel

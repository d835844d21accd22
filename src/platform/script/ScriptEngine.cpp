#include "platform/script/ScriptEngine.h"

#include <cmath>
#include <string>
#include <string_view>

#include "base/TextOps.h"
#include "duktape.h"
#include "platform/script/EngineText.h"

namespace vantorel {
namespace {

thread_local bool engineCreationFails = false;

// The conversions below run inside the protected call; a value that does not
// convert raises a script error there, which the caller sees as a failure.
void ConvertToText(duk_context* context) {
  if (duk_is_undefined(context, -1)) {
    duk_pop(context);
    duk_push_string(context, "");
  } else if (duk_is_null(context, -1)) {
    duk_type_error(context, "null has no text");
  } else {
    duk_to_string(context, -1);
  }
}

void ConvertToNumber(duk_context* context) {
  if (duk_is_number(context, -1)) return;
  if (duk_is_undefined(context, -1)) {
    duk_pop(context);
    duk_push_number(context, 0);
  } else if (duk_is_null(context, -1) || std::isnan(duk_to_number(context, -1))) {
    duk_type_error(context, "no number");
  }
}

}  // namespace

struct ScriptEngine::Call {
  std::string_view source;  // in the engine's form
  CodeKind kind;
  Answer answer;
};

std::shared_ptr<ScriptEngine> ScriptEngine::Create(const ScriptLimits& limits) {
  if (engineCreationFails) return nullptr;
  std::shared_ptr<ScriptEngine> engine(new ScriptEngine(limits));
  if (engine->context_ == nullptr) return nullptr;
  return engine;
}

ScriptEngine::ScriptEngine(const ScriptLimits& limits) : timePerCall_(limits.timePerCall) {
  budget_.memoryCap = limits.memoryBytes;
  context_ = duk_create_heap(BudgetAllocate, BudgetReallocate, BudgetFree, &budget_, nullptr);
}

ScriptEngine::~ScriptEngine() {
  if (context_ == nullptr) return;
  // Tearing the heap down runs the script's pending finalizers: bound them too.
  budget_.StartCall(timePerCall_);
  duk_destroy_heap(context_);
}

bool ScriptEngine::SetLanguage(const Text& language) {
  languageSet_ = EqualsIgnoreCase(language, "JavaScript") || EqualsIgnoreCase(language, "JScript");
  return languageSet_;
}

bool ScriptEngine::AddCode(const Text& code) {
  if (!Run(code, CodeKind::Global, Answer::None)) return false;
  duk_pop(context_);
  return true;
}

Text ScriptEngine::EvalText(const Text& code) {
  if (!Run(code, CodeKind::Eval, Answer::Text)) return {};
  duk_size_t length = 0;
  const char* bytes = duk_get_lstring(context_, -1, &length);
  Text text = EngineToText(std::string_view(bytes, length));
  duk_pop(context_);
  return text;
}

double ScriptEngine::EvalNumber(const Text& code) {
  if (!Run(code, CodeKind::Eval, Answer::Number)) return 0;
  const double number = duk_get_number(context_, -1);
  duk_pop(context_);
  return number;
}

bool ScriptEngine::EvalBoolean(const Text& code) {
  if (!Run(code, CodeKind::Eval, Answer::Boolean)) return false;
  const bool value = duk_get_boolean(context_, -1) != 0;
  duk_pop(context_);
  return value;
}

void ScriptEngine::Eval(const Text& code) {
  if (Run(code, CodeKind::Eval, Answer::None)) duk_pop(context_);
}

bool ScriptEngine::Run(const Text& code, CodeKind kind, Answer answer) {
  if (!languageSet_) return false;
  const std::string source = TextToEngine(code);
  Call call{source, kind, answer};
  budget_.StartCall(timePerCall_);
  if (duk_safe_call(context_, RunProtected, &call, 0, 1) == DUK_EXEC_SUCCESS) return true;
  duk_pop(context_);  // the error
  return false;
}

// Runs under the engine's protected call, which unwinds by longjmp: nothing
// here may need destroying.
int ScriptEngine::RunProtected(duk_context* context, void* data) {
  const Call& call = *static_cast<const Call*>(data);
  if (call.kind == CodeKind::Global) {
    duk_compile_lstring(context, 0, call.source.data(), call.source.size());
    duk_call(context, 0);
  } else {
    duk_eval_lstring(context, call.source.data(), call.source.size());
  }
  switch (call.answer) {
    case Answer::Text: ConvertToText(context); break;
    case Answer::Number: ConvertToNumber(context); break;
    case Answer::Boolean: duk_to_boolean(context, -1); break;
    case Answer::None: break;
  }
  return 1;
}

ScopedEngineCreationFailure::ScopedEngineCreationFailure() : previous_(engineCreationFails) {
  engineCreationFails = true;
}

ScopedEngineCreationFailure::~ScopedEngineCreationFailure() { engineCreationFails = previous_; }

}  // namespace vantorel

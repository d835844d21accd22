#pragma once
// The script-engine host: an embedded JavaScript engine (Duktape) reached the
// way a script control is: set "Language", then "AddCode" and "Eval" texts in
// code page 936. Code runs non-strict in the global scope; Eval answers the
// completion value of the last statement, converted to the kind asked for.
//
// Every failure gives the empty result of that kind ("" / 0 / false): a syntax
// or run-time error, a language never set, an answer that does not convert
// (null as text or number), and a call that goes past the engine's memory cap
// or its time cap per call (processor time of the calling thread). After any
// of these the engine stays usable.
#include <chrono>
#include <cstddef>
#include <memory>

#include "base/Text.h"
#include "platform/script/EngineBudget.h"

struct duk_hthread;

namespace vantorel {

struct ScriptLimits {
  std::chrono::milliseconds timePerCall{2000};
  std::size_t memoryBytes = std::size_t{256} << 20;
};

class ScriptEngine {
 public:
  // Empty when the engine cannot be created. Documents share an engine by
  // holding the same pointer, as they would share a reference to it.
  static std::shared_ptr<ScriptEngine> Create(const ScriptLimits& limits = {});

  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // "JavaScript" and "JScript" select the engine's language; anything else
  // fails and leaves the engine unable to run code until a known name is set.
  bool SetLanguage(const Text& language);

  // Runs `code` as global code; the result is dropped. False when the code
  // did not run to its end.
  bool AddCode(const Text& code);

  // Runs `code` as eval code in the global scope. Text: strings as they are,
  // undefined as "", numbers, booleans and objects by the script's ToString.
  // Number: numbers as they are, undefined as 0, other values by ToNumber
  // with NaN counted as a failure. Boolean: the script's ToBoolean.
  Text EvalText(const Text& code);
  double EvalNumber(const Text& code);
  bool EvalBoolean(const Text& code);
  void Eval(const Text& code);

  // Bytes the engine holds right now, for tests of the memory cap.
  std::size_t MemoryInUse() const { return budget_.memoryInUse; }

 private:
  enum class Answer { Text, Number, Boolean, None };
  enum class CodeKind { Global, Eval };
  struct Call;

  explicit ScriptEngine(const ScriptLimits& limits);
  // Runs the code under the time cap; true with the converted answer on top
  // of the engine's stack, false (nothing pushed) on any failure.
  bool Run(const Text& code, CodeKind kind, Answer answer);
  static int RunProtected(duk_hthread* context, void* call);

  EngineBudget budget_;
  std::chrono::milliseconds timePerCall_;
  duk_hthread* context_ = nullptr;
  bool languageSet_ = false;
};

// Test seam: while one of these lives, creating an engine fails on this thread.
class ScopedEngineCreationFailure {
 public:
  ScopedEngineCreationFailure();
  ~ScopedEngineCreationFailure();
  ScopedEngineCreationFailure(const ScopedEngineCreationFailure&) = delete;
  ScopedEngineCreationFailure& operator=(const ScopedEngineCreationFailure&) = delete;

 private:
  bool previous_;
};

}  // namespace vantorel

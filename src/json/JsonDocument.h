#pragma once
// A JSON value held in a JavaScript engine of its own, in the global script
// variable "da". Every operation joins a short statement from fixed pieces,
// the variable's name and the caller's path or value, and has the engine run
// it. Paths are script text continuing a member access ("result.face_token",
// "result['user_list'][0]['score']", "[0]") and go in unchanged; a path or
// value the engine rejects gives the operation's empty result ("" / 0 / false)
// and changes nothing.
//
// Parse evaluates its text as script through eval: the text is trusted to be
// a service reply, and each call into the engine is bounded in time and
// memory so that a hostile one fails instead of hanging the program.
#include <memory>
#include <vector>

#include "base/Text.h"

namespace vantorel {

class ScriptEngine;

enum class JsonValueType : int {
  Other = -1,  // any other kind, or the query failed
  Null = 0,    // null, undefined or missing
  Boolean = 1,
  Number = 2,
  Object = 4,
  Array = 5,
  String = 6,
};

class JsonDocument {
 public:
  // Starts with an engine of its own holding an empty object. When no engine
  // can be created, every operation gives its empty result.
  JsonDocument();
  ~JsonDocument();
  // A copy shares the engine, and so the value: a change through either shows
  // through both.
  JsonDocument(const JsonDocument& other);
  JsonDocument& operator=(const JsonDocument& other);
  JsonDocument(JsonDocument&& other) noexcept;
  JsonDocument& operator=(JsonDocument&& other) noexcept;

  // Lets go of the engine and uninitialises the thread once; the destructor
  // does this unless it was done already.
  void Release();
  JsonDocument Copy() const;
  // Initialises the thread, creates a new engine when possible and loads the
  // JSON script into it; the value becomes an empty object.
  void Start();
  // Loads `text` through eval in a new engine. True when the value is neither
  // null nor undefined. An empty text gives undefined, a rejected text null.
  bool Parse(const Text& text);
  Text ToText() const;
  // The member becomes the quoted value, or with `isObject` the value of the
  // value evaluated as script (empty counts as {}).
  void SetValue(const Text& path, const Text& value, bool isObject = false);
  void SetJson(const Text& path, const Text& json);
  void SetNumber(const Text& path, double number);
  double GetNumber(const Text& path) const;
  Text GetJson(const Text& path) const;
  // A string without quotes, a number in "%.13g" form; with `asJson` the
  // member's JSON text.
  Text GetText(const Text& path, bool asJson = false) const;
  // The member as an independent document (read through its JSON text).
  JsonDocument GetMember(const Text& path) const;
  int GetCount(const Text& path = {}) const;
  // Pushes the value, quoted unless `raw`, making the target an array first.
  void Append(const Text& value, const Text& path = {}, bool raw = false);
  JsonDocument GetElement(int index, const Text& path = {}) const;
  Text GetElementText(int index, const Text& path = {}, bool asJson = false) const;
  void SetElement(int index, const Text& value, bool raw = false);
  void RemoveElement(int index);
  // `path` of the form member[index]: only the first bracket pair counts.
  void RemoveMemberElement(const Text& path);
  // Null and Object give an empty object, Array an empty array; other codes do nothing.
  void ResetAs(JsonValueType type);
  void SetRoot(const Text& value, bool raw = false);
  bool HasMember(const Text& path) const;
  // Replaces `keys` with the member names (array indexes as digits) and
  // answers their count.
  int GetKeys(std::vector<Text>& keys, const Text& path = {}) const;
  JsonValueType GetType(const Text& path) const;
  void Clear();

 private:
  enum class PathRule { Dot, Bracket };
  enum class EmptyPath { Fails, Whole };

  // The expression that addresses the member at `path`.
  Text MemberExpression(const Text& path, PathRule rule, EmptyPath emptyPath) const;
  static JsonDocument DocumentFromJson(const Text& json);

  void Eval(const Text& statement) const;
  Text EvalText(const Text& statement) const;
  double EvalNumber(const Text& statement) const;
  bool EvalBoolean(const Text& statement) const;

  Text variableName_ = "da";
  std::shared_ptr<ScriptEngine> engine_;
  bool released_ = false;
};

}  // namespace vantorel

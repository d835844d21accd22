#include "json/JsonDocument.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/TextOps.h"
#include "json/JsonScript.h"
#include "json/TextMarkers.h"
#include "platform/script/ScriptEngine.h"
#include "platform/script/ThreadInitialization.h"

namespace vantorel {
namespace {

// Quoted values go in between single quotes, unescaped: callers keep quotes,
// backslashes and line breaks out of them.
Text Quoted(const Text& value) { return "'" + value + "'"; }

Text Stringify(const Text& expression) { return "JSON.stringify(" + expression + ")"; }

Text Indexed(const Text& expression, int index) {
  return expression + "[" + NumberToText(index) + "]";
}

}  // namespace

JsonDocument::JsonDocument() { Start(); }

JsonDocument::~JsonDocument() {
  if (!released_) Release();
}

JsonDocument::JsonDocument(const JsonDocument& other)
    : variableName_(other.variableName_), engine_(other.engine_), released_(other.released_) {}

JsonDocument& JsonDocument::operator=(const JsonDocument& other) {
  if (this != &other) *this = JsonDocument(other);
  return *this;
}

// A moved-from document has handed over its engine and its release.
JsonDocument::JsonDocument(JsonDocument&& other) noexcept
    : variableName_(std::move(other.variableName_)),
      engine_(std::move(other.engine_)),
      released_(std::exchange(other.released_, true)) {}

JsonDocument& JsonDocument::operator=(JsonDocument&& other) noexcept {
  if (this != &other) {
    if (!released_) Release();
    variableName_ = std::move(other.variableName_);
    engine_ = std::move(other.engine_);
    released_ = std::exchange(other.released_, true);
  }
  return *this;
}

void JsonDocument::Release() {
  engine_.reset();
  if (!released_) UninitializeThread();
  released_ = true;
}

JsonDocument JsonDocument::Copy() const { return JsonDocument(*this); }

void JsonDocument::Start() {
  InitializeThread();
  if (auto created = ScriptEngine::Create()) engine_ = std::move(created);
  if (!engine_) return;
  engine_->SetLanguage("JavaScript");
  engine_->AddCode(JsonScript());
  Eval("var " + variableName_ + "={}");
}

bool JsonDocument::Parse(const Text& text) {
  if (engine_) {
    engine_.reset();
    Start();
  } else if (!released_) {
    // Without an engine Start is not run, but the thread is initialised all
    // the same, so that member documents (constructed, parsed, copied and
    // released twice) keep the count balanced either way.
    InitializeThread();
  }
  if (!engine_) return false;
  const Text nullValue = "var " + variableName_ + "=null";
  Eval(nullValue);
  // A text that stops part-way (an error, or a cap reached after the
  // assignment, as in `1);for(;;){}(1`) is rejected as a whole.
  if (!engine_->AddCode("var " + variableName_ + "=eval(" + text + ")")) Eval(nullValue);
  return EvalBoolean("null !=" + variableName_);
}

Text JsonDocument::ToText() const { return EvalText(Stringify(variableName_)); }

void JsonDocument::SetValue(const Text& path, const Text& value, bool isObject) {
  const Text member = MemberExpression(path, PathRule::Dot, EmptyPath::Fails);
  if (isObject) {
    Eval(member + "= eval(" + (value.empty() ? Text("{}") : value) + ")");
  } else {
    Eval(member + "=" + Quoted(value));
  }
}

void JsonDocument::SetJson(const Text& path, const Text& json) {
  Eval(MemberExpression(path, PathRule::Dot, EmptyPath::Fails) + "= eval(" + json + ")");
}

void JsonDocument::SetNumber(const Text& path, double number) {
  // Infinities and NaN have no JSON form; the member stays as it is.
  if (!std::isfinite(number)) return;
  Eval(MemberExpression(path, PathRule::Dot, EmptyPath::Fails) + "=" + NumberToText(number));
}

double JsonDocument::GetNumber(const Text& path) const {
  return EvalNumber(MemberExpression(path, PathRule::Dot, EmptyPath::Fails));
}

Text JsonDocument::GetJson(const Text& path) const {
  return EvalText(Stringify(MemberExpression(path, PathRule::Dot, EmptyPath::Fails)));
}

Text JsonDocument::GetText(const Text& path, bool asJson) const {
  const Text member = MemberExpression(path, PathRule::Bracket, EmptyPath::Fails);
  if (asJson) return EvalText(Stringify(member));
  if (!engine_) return {};
  if (GetType(path) == JsonValueType::Number) return NumberToText(GetNumber(path));
  return EvalText(member);
}

JsonDocument JsonDocument::GetMember(const Text& path) const {
  return DocumentFromJson(
      EvalText(Stringify(MemberExpression(path, PathRule::Bracket, EmptyPath::Fails))));
}

int JsonDocument::GetCount(const Text& path) const {
  const Text member = MemberExpression(path, PathRule::Bracket, EmptyPath::Whole);
  // Null, undefined and missing members visit nothing and count -2: none.
  return std::max(0, TruncateToInteger(EvalNumber("get__count(" + member + ")")));
}

void JsonDocument::Append(const Text& value, const Text& path, bool raw) {
  const Text target = MemberExpression(path, PathRule::Dot, EmptyPath::Whole);
  Eval("if (Object.prototype.toString.call(" + target + ") != '[object Array]') { " + target +
       "=new Array();} " + target + ".push(" + (raw ? value : Quoted(value)) + ")");
}

JsonDocument JsonDocument::GetElement(int index, const Text& path) const {
  const Text member = MemberExpression(path, PathRule::Dot, EmptyPath::Whole);
  return DocumentFromJson(EvalText(Stringify(Indexed(member, index))));
}

Text JsonDocument::GetElementText(int index, const Text& path, bool asJson) const {
  const Text element = Indexed(MemberExpression(path, PathRule::Dot, EmptyPath::Whole), index);
  return EvalText(asJson ? Stringify(element) : element);
}

void JsonDocument::SetElement(int index, const Text& value, bool raw) {
  Eval(Indexed(variableName_, index) + "=" + (raw ? value : Quoted(value)));
}

void JsonDocument::RemoveElement(int index) {
  Eval(variableName_ + ".splice(" + NumberToText(index) + ",1)");
}

void JsonDocument::RemoveMemberElement(const Text& path) {
  const Text arrayPath = TextBefore(path, "[");
  const Text indexText = TextBetween(path, "[", "]");
  JsonDocument array;
  array.Parse(GetText(arrayPath, true));
  array.RemoveElement(TextToInteger(indexText));
  SetJson(arrayPath, array.ToText());
}

void JsonDocument::ResetAs(JsonValueType type) {
  switch (type) {
    case JsonValueType::Null:
    case JsonValueType::Object: Eval("var " + variableName_ + "={}"); break;
    case JsonValueType::Array: Eval("var " + variableName_ + "=new Array()"); break;
    default: break;
  }
}

void JsonDocument::SetRoot(const Text& value, bool raw) {
  Eval(variableName_ + "=" + (raw ? value : Quoted(value)));
}

bool JsonDocument::HasMember(const Text& path) const {
  return EvalBoolean(MemberExpression(path, PathRule::Dot, EmptyPath::Fails) + " !=null");
}

int JsonDocument::GetKeys(std::vector<Text>& keys, const Text& path) const {
  const Text member = MemberExpression(path, PathRule::Bracket, EmptyPath::Whole);
  Text listed = EvalText("var ary=''; for (var key in " + member + ") {ary=ary+ key+','; }");
  // Every object also enumerates the two methods the JSON script adds.
  listed = Replace(Replace(listed, "toJSONString,", ""), "parseJSON,", "");
  Eval("ary=null");
  keys = Split(listed, ",");
  return static_cast<int>(keys.size());
}

JsonValueType JsonDocument::GetType(const Text& path) const {
  const Text member = MemberExpression(path, PathRule::Dot, EmptyPath::Whole);
  if (EvalBoolean(member + "==null")) return JsonValueType::Null;
  const Text type = EvalText("typeof (" + member + ")");
  if (type == "string") return JsonValueType::String;
  if (type == "number") return JsonValueType::Number;
  if (type == "boolean") return JsonValueType::Boolean;
  if (type == "object") {
    // Stringify the expression just tested, so that the whole value (empty
    // path) is told apart as well as a member.
    return Left(EvalText(Stringify(member)), 1) == "[" ? JsonValueType::Array : JsonValueType::Object;
  }
  return JsonValueType::Other;
}

void JsonDocument::Clear() { Eval(variableName_ + "={}"); }

Text JsonDocument::MemberExpression(const Text& path, PathRule rule, EmptyPath emptyPath) const {
  if (path.empty() && emptyPath == EmptyPath::Whole) return variableName_;
  if (rule == PathRule::Bracket && !path.empty() && path.front() == '[') return variableName_ + path;
  return variableName_ + "." + path;
}

// A short-lived document loads the JSON text; the caller gets a copy of it.
JsonDocument JsonDocument::DocumentFromJson(const Text& json) {
  JsonDocument member;
  member.Parse(json);
  return member.Copy();
}

void JsonDocument::Eval(const Text& statement) const {
  if (engine_) engine_->Eval(statement);
}

Text JsonDocument::EvalText(const Text& statement) const {
  return engine_ ? engine_->EvalText(statement) : Text{};
}

double JsonDocument::EvalNumber(const Text& statement) const {
  return engine_ ? engine_->EvalNumber(statement) : 0;
}

bool JsonDocument::EvalBoolean(const Text& statement) const {
  return engine_ ? engine_->EvalBoolean(statement) : false;
}

}  // namespace vantorel

#pragma once
// A parsed JSON value. Request bodies are small documents, so a plain tree is
// enough; objects keep their members in the order they were written.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorel::service {

enum class JsonType { Null, Boolean, Number, String, Array, Object };

class JsonValue {
 public:
  JsonType type() const { return type_; }
  bool isString() const { return type_ == JsonType::String; }
  bool isObject() const { return type_ == JsonType::Object; }
  bool isNumber() const { return type_ == JsonType::Number; }

  // Strings hold UTF-8.
  const std::string& text() const { return text_; }
  double number() const { return number_; }
  bool boolean() const { return boolean_; }
  const std::vector<JsonValue>& items() const { return items_; }
  const std::vector<std::pair<std::string, JsonValue>>& members() const { return members_; }

  // The object member called `name` (the last one when it repeats), or null.
  const JsonValue* Find(std::string_view name) const;

  static JsonValue MakeNull() { return JsonValue(JsonType::Null); }
  static JsonValue MakeBoolean(bool value);
  static JsonValue MakeNumber(double value);
  static JsonValue MakeString(std::string value);
  static JsonValue MakeArray(std::vector<JsonValue> items);
  static JsonValue MakeObject(std::vector<std::pair<std::string, JsonValue>> members);

 private:
  explicit JsonValue(JsonType type) : type_(type) {}

  JsonType type_;
  bool boolean_ = false;
  double number_ = 0;
  std::string text_;
  std::vector<JsonValue> items_;
  std::vector<std::pair<std::string, JsonValue>> members_;
};

// Nesting deeper than this is refused rather than followed.
inline constexpr std::size_t kMaxJsonDepth = 64;

// Strict JSON (RFC 8259) in UTF-8, one value with optional white space around
// it. Anything else, including invalid UTF-8, gives nothing.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace vantorel::service

#include "service/JsonValue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "service/Utf8.h"

namespace vantorel::service {

const JsonValue* JsonValue::Find(std::string_view name) const {
  const JsonValue* found = nullptr;
  for (const auto& [key, value] : members_)
    if (key == name) found = &value;
  return found;
}

JsonValue JsonValue::MakeBoolean(bool value) {
  JsonValue result(JsonType::Boolean);
  result.boolean_ = value;
  return result;
}

JsonValue JsonValue::MakeNumber(double value) {
  JsonValue result(JsonType::Number);
  result.number_ = value;
  return result;
}

JsonValue JsonValue::MakeString(std::string value) {
  JsonValue result(JsonType::String);
  result.text_ = std::move(value);
  return result;
}

JsonValue JsonValue::MakeArray(std::vector<JsonValue> items) {
  JsonValue result(JsonType::Array);
  result.items_ = std::move(items);
  return result;
}

JsonValue JsonValue::MakeObject(std::vector<std::pair<std::string, JsonValue>> members) {
  JsonValue result(JsonType::Object);
  result.members_ = std::move(members);
  return result;
}

namespace {

class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> ParseDocument() {
    SkipSpace();
    auto value = ParseValue(0);
    SkipSpace();
    if (!value || pos_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++pos_;
  }

  bool Consume(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  std::optional<JsonValue> ParseValue(std::size_t depth) {
    if (depth >= kMaxJsonDepth) return std::nullopt;
    switch (Peek()) {
      case '{': return ParseObject(depth);
      case '[': return ParseArray(depth);
      case '"': {
        auto text = ParseString();
        if (!text) return std::nullopt;
        return JsonValue::MakeString(std::move(*text));
      }
      case 't': return Consume("true") ? std::optional(JsonValue::MakeBoolean(true)) : std::nullopt;
      case 'f': return Consume("false") ? std::optional(JsonValue::MakeBoolean(false)) : std::nullopt;
      case 'n': return Consume("null") ? std::optional(JsonValue::MakeNull()) : std::nullopt;
      default: return ParseNumber();
    }
  }

  std::optional<JsonValue> ParseObject(std::size_t depth) {
    ++pos_;  // '{'
    std::vector<std::pair<std::string, JsonValue>> members;
    SkipSpace();
    if (Consume("}")) return JsonValue::MakeObject(std::move(members));
    while (true) {
      SkipSpace();
      if (Peek() != '"') return std::nullopt;
      auto key = ParseString();
      SkipSpace();
      if (!key || !Consume(":")) return std::nullopt;
      SkipSpace();
      auto value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      members.emplace_back(std::move(*key), std::move(*value));
      SkipSpace();
      if (Consume("}")) return JsonValue::MakeObject(std::move(members));
      if (!Consume(",")) return std::nullopt;
    }
  }

  std::optional<JsonValue> ParseArray(std::size_t depth) {
    ++pos_;  // '['
    std::vector<JsonValue> items;
    SkipSpace();
    if (Consume("]")) return JsonValue::MakeArray(std::move(items));
    while (true) {
      SkipSpace();
      auto value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      items.push_back(std::move(*value));
      SkipSpace();
      if (Consume("]")) return JsonValue::MakeArray(std::move(items));
      if (!Consume(",")) return std::nullopt;
    }
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  std::size_t SkipDigits() {
    std::size_t count = 0;
    while (IsDigit(Peek())) ++pos_, ++count;
    return count;
  }

  std::optional<JsonValue> ParseNumber() {
    const std::size_t start = pos_;
    Consume("-");
    if (Peek() == '0') {
      ++pos_;
    } else if (SkipDigits() == 0) {
      return std::nullopt;
    }
    if (Consume(".") && SkipDigits() == 0) return std::nullopt;
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (SkipDigits() == 0) return std::nullopt;
    }
    const std::string literal(text_.substr(start, pos_ - start));
    errno = 0;
    const double value = std::strtod(literal.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    return JsonValue::MakeNumber(value);
  }

  std::optional<unsigned> ParseHex4() {
    if (text_.size() - pos_ < 4) return std::nullopt;
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9') value |= c - '0';
      else if (c >= 'a' && c <= 'f') value |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') value |= c - 'A' + 10;
      else return std::nullopt;
    }
    return value;
  }

  // The code point of a \u escape, pairing surrogates; lone halves are refused.
  std::optional<char32_t> ParseUnicodeEscape() {
    auto first = ParseHex4();
    if (!first) return std::nullopt;
    if (*first >= 0xDC00 && *first <= 0xDFFF) return std::nullopt;
    if (*first < 0xD800 || *first > 0xDBFF) return static_cast<char32_t>(*first);
    if (!Consume("\\u")) return std::nullopt;
    auto second = ParseHex4();
    if (!second || *second < 0xDC00 || *second > 0xDFFF) return std::nullopt;
    return static_cast<char32_t>(0x10000 + ((*first - 0xD800) << 10) + (*second - 0xDC00));
  }

  bool ParseEscape(std::string& out) {
    const char c = Peek();
    ++pos_;
    switch (c) {
      case '"': out += '"'; return true;
      case '\\': out += '\\'; return true;
      case '/': out += '/'; return true;
      case 'b': out += '\b'; return true;
      case 'f': out += '\f'; return true;
      case 'n': out += '\n'; return true;
      case 'r': out += '\r'; return true;
      case 't': out += '\t'; return true;
      case 'u': {
        auto codePoint = ParseUnicodeEscape();
        if (!codePoint) return false;
        AppendUtf8(out, *codePoint);
        return true;
      }
      default: return false;
    }
  }

  std::optional<std::string> ParseString() {
    ++pos_;  // '"'
    std::string out;
    while (true) {
      const std::size_t runStart = pos_;
      while (!AtEnd() && Peek() != '"' && Peek() != '\\' && static_cast<unsigned char>(Peek()) >= 0x20) ++pos_;
      const std::string_view run = text_.substr(runStart, pos_ - runStart);
      if (!IsValidUtf8(run)) return std::nullopt;
      out += run;
      if (AtEnd()) return std::nullopt;
      if (Peek() == '"') {
        ++pos_;
        return out;
      }
      if (Peek() != '\\') return std::nullopt;  // an unescaped control character
      ++pos_;
      if (!ParseEscape(out)) return std::nullopt;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<JsonValue> ParseJson(std::string_view text) { return JsonParser(text).ParseDocument(); }

}  // namespace vantorel::service

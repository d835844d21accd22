#include "service/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace vantorel::service {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasValue_.empty()) {
    if (hasValue_.back()) out_ += ',';
    hasValue_.back() = true;
  }
}

JsonWriter& JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  hasValue_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  out_ += bracket;
  hasValue_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::BeginObject() { return Open('{'); }
JsonWriter& JsonWriter::EndObject() { return Close('}'); }
JsonWriter& JsonWriter::BeginArray() { return Open('['); }
JsonWriter& JsonWriter::EndArray() { return Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view name) {
  String(name);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  out_ += '"';
  for (char c : utf8) {
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out_ += escaped;
        } else {
          out_ += c;
        }
    }
  }
  out_ += '"';
  return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Number(double value, int decimals) {
  if (!std::isfinite(value)) return Null();
  BeforeValue();
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string number(text);
  if (number.find('.') != std::string::npos) {
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
  }
  if (number == "-0") number = "0";
  out_ += number;
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

}  // namespace vantorel::service

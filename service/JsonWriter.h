#pragma once
// Writes compact JSON with members in the order they are added.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::service {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // Names the next value inside an object.
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Integer(std::int64_t value);
  // Finite numbers with up to `decimals` digits after the point, no trailing zeros.
  JsonWriter& Number(double value, int decimals = 2);
  JsonWriter& Null();

  const std::string& text() const { return out_; }

 private:
  void BeforeValue();
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);

  std::string out_;
  // One entry per open container: whether it holds a value already.
  std::vector<bool> hasValue_;
  bool afterKey_ = false;
};

}  // namespace vantorel::service

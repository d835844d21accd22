// Arbitrary bytes as a service reply: loaded the way the flows load replies,
// then read by the paths they read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "json/JsonDocument.h"

namespace {

// One long-lived document, as the program keeps one.
vantorel::JsonDocument& ReplyDocument() {
  static vantorel::JsonDocument document;
  return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vantorel::Text;
  const Text reply(reinterpret_cast<const char*>(data), size);
  vantorel::JsonDocument& document = ReplyDocument();
  document.Parse(reply);
  (void)document.GetMember("error_code").ToText();
  (void)document.GetText("error_msg");
  (void)document.GetText("result['user_list'][0]['score']");
  (void)document.GetText("result.face_token", true);
  (void)document.GetType("result");
  (void)document.GetCount();
  std::vector<Text> keys;
  (void)document.GetKeys(keys);
  return 0;
}

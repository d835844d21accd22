#include <gtest/gtest.h>

#include "service/Base64Decoder.h"

namespace vantorel::service {
namespace {

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(Base64Decoder, DecodesPaddedText) {
  const std::pair<std::string_view, Bytes> cases[] = {
      {"", {}},
      {"YQ==", B("a")},
      {"YWI=", B("ab")},
      {"YWJj", B("abc")},
      {"/w==", {0xFF}},
      {"+/8=", {0xFB, 0xFF}},
      {"AAECAwQF", {0, 1, 2, 3, 4, 5}},
  };
  for (const auto& [text, bytes] : cases) {
    const auto decoded = DecodeBase64(text);
    ASSERT_TRUE(decoded) << text;
    EXPECT_EQ(*decoded, bytes) << text;
  }
}

TEST(Base64Decoder, RefusesAnythingButStrictBase64) {
  const std::string_view cases[] = {
      "YQ",        // unpadded
      "YQ=",       // short padding
      "Y===",      // too much padding
      "====",
      "YQ==YQ==",  // padding inside
      "YW=j",
      "YWJj\n",    // white space
      "YW Jj",
      "YWJ-",      // URL-safe alphabet
      "YWJ_",
      "YR==",      // non-zero bits after the data
      "YWJ=",
      "\xC3\xA9\xC3\xA9",
  };
  for (std::string_view text : cases) EXPECT_FALSE(DecodeBase64(text)) << text;
}

}  // namespace
}  // namespace vantorel::service

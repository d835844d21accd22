#include "face/Base64.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

Bytes B(std::initializer_list<int> values) {
  Bytes bytes;
  for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

TEST(EncodeBase64Test, MatchesTheKnownVectors) {
  struct Case {
    Bytes input;
    Text expected;
  } cases[] = {
      {{}, ""},
      {ToBytes("f"), "Zg=="},
      {ToBytes("fo"), "Zm8="},
      {ToBytes("foo"), "Zm9v"},
      {ToBytes("foob"), "Zm9vYg=="},
      {ToBytes("fooba"), "Zm9vYmE="},
      {ToBytes("foobar"), "Zm9vYmFy"},
      {ToBytes("abc"), "YWJj"},
      {ToBytes("ab"), "YWI="},
      {ToBytes("a"), "YQ=="},
      {B({0xFF}), "/w=="},
      {B({0xFB, 0xFF}), "+/8="},
      {B({0, 0, 0}), "AAAA"},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeBase64(c.input), c.expected) << c.expected;
}

TEST(EncodeBase64Test, OutputLengthIsFourPerThreeBytesRoundedUp) {
  for (std::size_t n : {1u, 2u, 3u, 4u, 2047999u}) {
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    const Text text = EncodeBase64(data);
    EXPECT_EQ(text.size(), 4 * ((n + 2) / 3)) << n;
    EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              Text::npos);
  }
}

}  // namespace
}  // namespace vantorel

#include "face/Base64.h"

#include <array>
#include <cstring>

namespace vantorel {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters for every 12-bit half of a group, so a group of
// three bytes costs two lookups instead of four.
constexpr std::array<std::array<char, 2>, 4096> MakePairTable() {
  std::array<std::array<char, 2>, 4096> table{};
  for (int i = 0; i < 4096; ++i) table[i] = {kAlphabet[i >> 6], kAlphabet[i & 63]};
  return table;
}
constexpr auto kPairs = MakePairTable();

// Characters b0 >> 2, ((b0 & 3) << 4) + (b1 >> 4), ((b1 & 15) << 2) + (b2 >> 6)
// and b2 & 63 are the four 6-bit fields of the 24-bit group b0 b1 b2.
inline void EncodeGroup(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, char* out) {
  const std::uint32_t group = (std::uint32_t{b0} << 16) | (std::uint32_t{b1} << 8) | b2;
  std::memcpy(out, kPairs[group >> 12].data(), 2);
  std::memcpy(out + 2, kPairs[group & 0xFFF].data(), 2);
}

}  // namespace

Text EncodeBase64(const Bytes& data) {
  const std::size_t n = data.size();
  if (n == 0) return {};
  const std::size_t remainder = n % 3;
  Text out((n + 2) / 3 * 4, '\0');  // the only allocation
  char* cursor = out.data();
  const std::uint8_t* in = data.data();
  const std::uint8_t* const fullEnd = in + (n - remainder);
  for (; in != fullEnd; in += 3, cursor += 4) EncodeGroup(in[0], in[1], in[2], cursor);
  if (remainder > 0) {
    // The last group as if zero bytes had been appended, then its padding.
    EncodeGroup(in[0], remainder == 2 ? in[1] : 0, 0, cursor);
    cursor[3] = '=';
    if (remainder == 1) cursor[2] = '=';
  }
  return out;
}

}  // namespace vantorel

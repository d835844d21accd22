#include "face/Base64.h"

namespace vantorel {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

inline void EncodeGroup(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, char* out) {
  out[0] = kAlphabet[b0 >> 2];
  out[1] = kAlphabet[((b0 & 3) << 4) + (b1 >> 4)];
  out[2] = kAlphabet[((b1 & 15) << 2) + (b2 >> 6)];
  out[3] = kAlphabet[b2 & 63];
}

}  // namespace

Text EncodeBase64(const Bytes& data) {
  const std::size_t n = data.size();
  if (n == 0) return {};
  const std::size_t remainder = n % 3;
  const std::size_t groups = (n + 2) / 3;
  Text out(groups * 4, '\0');  // the only allocation
  char* cursor = out.data();
  const std::uint8_t* in = data.data();
  const std::size_t fullGroups = n / 3;
  for (std::size_t g = 0; g < fullGroups; ++g, in += 3, cursor += 4) EncodeGroup(in[0], in[1], in[2], cursor);
  if (remainder > 0) {
    // The last group as if zero bytes had been appended, then its padding.
    const std::uint8_t b1 = remainder == 2 ? in[1] : 0;
    EncodeGroup(in[0], b1, 0, cursor);
    cursor[3] = '=';
    if (remainder == 1) cursor[2] = '=';
  }
  return out;
}

}  // namespace vantorel

#include "service/Base64Decoder.h"

#include <array>

namespace vantorel::service {
namespace {

constexpr int kInvalid = -1;

constexpr std::array<int, 256> MakeDecodeTable() {
  std::array<int, 256> table{};
  table.fill(kInvalid);
  constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < alphabet.size(); ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<int>(i);
  return table;
}

constexpr std::array<int, 256> kDecodeTable = MakeDecodeTable();

int SextetOf(char c) { return kDecodeTable[static_cast<unsigned char>(c)]; }

}  // namespace

std::optional<Bytes> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  Bytes out;
  out.reserve(text.size() / 4 * 3);
  const std::size_t dataChars = text.size() - padding;
  std::uint32_t buffer = 0;
  int bits = 0;
  for (std::size_t i = 0; i < dataChars; ++i) {
    const int sextet = SextetOf(text[i]);
    if (sextet == kInvalid) return std::nullopt;
    buffer = (buffer << 6) | static_cast<std::uint32_t>(sextet);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<std::uint8_t>(buffer >> bits));
      buffer &= (1u << bits) - 1;
    }
  }
  // Bits left over by a padded group must be zero, or two texts would decode alike.
  if (buffer != 0) return std::nullopt;
  return out;
}

}  // namespace vantorel::service

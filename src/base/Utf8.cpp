#include "base/Utf8.h"

#include <optional>

namespace vantorel {
namespace {

// The number of continuation bytes after `lead` and the smallest code point
// that many may encode, or nothing for a byte that cannot start a character.
struct Utf8Lead {
  int continuations;
  char32_t minimum;
  char32_t value;
};

std::optional<Utf8Lead> ReadLead(unsigned char lead) {
  if (lead < 0x80) return Utf8Lead{0, 0, lead};
  if ((lead & 0xE0) == 0xC0) return Utf8Lead{1, 0x80, static_cast<char32_t>(lead & 0x1F)};
  if ((lead & 0xF0) == 0xE0) return Utf8Lead{2, 0x800, static_cast<char32_t>(lead & 0x0F)};
  if ((lead & 0xF8) == 0xF0) return Utf8Lead{3, 0x10000, static_cast<char32_t>(lead & 0x07)};
  return std::nullopt;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = ReadLead(static_cast<unsigned char>(text[i++]));
    if (!lead || text.size() - i < static_cast<std::size_t>(lead->continuations)) return false;
    char32_t codePoint = lead->value;
    for (int k = 0; k < lead->continuations; ++k) {
      const auto byte = static_cast<unsigned char>(text[i++]);
      if ((byte & 0xC0) != 0x80) return false;
      codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < lead->minimum || codePoint > 0x10FFFF) return false;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace vantorel

#include "platform/script/EngineText.h"

#include <cstdint>

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendUnit(std::string& out, char16_t unit) {
  if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | (unit >> 6));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {  // surrogates too: each half is encoded on its own
    out += static_cast<char>(0xE0 | (unit >> 12));
    out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
}

void AppendCodePoint(std::u16string& out, std::uint32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else if (codePoint <= 0x10FFFF) {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
  } else {
    out += kReplacement;
  }
}

// Number of continuation bytes a lead byte announces, or -1 for a byte that
// cannot start a sequence. The engine may hold up to 4-byte forms (code points
// made by its 32-bit String.fromCharCode).
int ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC0 && lead < 0xE0) return 1;
  if (lead >= 0xE0 && lead < 0xF0) return 2;
  if (lead >= 0xF0 && lead < 0xF8) return 3;
  return -1;
}

}  // namespace

std::string WideToEngine(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (char16_t unit : wide) AppendUnit(out, unit);
  return out;
}

std::u16string EngineToWide(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[at++]);
    const int count = ContinuationCount(lead);
    if (count < 0) {
      out += kReplacement;
      continue;
    }
    std::uint32_t codePoint = count == 0 ? lead : lead & (0x3F >> count);
    int taken = 0;
    while (taken < count && at < bytes.size() &&
           (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[at++]) & 0x3F);
      ++taken;
    }
    if (taken < count) {
      out += kReplacement;
    } else {
      AppendCodePoint(out, codePoint);
    }
  }
  return out;
}

std::string TextToEngine(const Text& text) {
  return WideToEngine(MultiByteToWide(kCodePage936, text));
}

Text EngineToText(std::string_view engineBytes) {
  return WideToMultiByte(kCodePage936, EngineToWide(engineBytes));
}

}  // namespace vantorel

#include "platform/codepage/CodePage.h"

#include "base/Utf8.h"
#include "platform/codepage/Cp936Table.h"

namespace vantorel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char kDefaultChar = '?';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::u16string DecodeCp936(std::string_view bytes) {
  const Cp936Table& table = Cp936();
  std::u16string wide;
  wide.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
      wide += static_cast<char16_t>(lead);
      ++pos;
    } else if (lead == 0x80) {
      wide += u'\u20AC';
      ++pos;
    } else if (lead == 0xFF || pos + 1 == bytes.size()) {
      wide += kReplacement;
      ++pos;
    } else {
      const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
      const char16_t unit = table.doubleByte[lead << 8 | trail];
      if (unit != 0) {
        wide += unit;
        pos += 2;
      } else {
        // A byte that cannot follow the lead is read again on its own.
        const bool pairShaped = trail >= 0x40 && trail != 0x7F && trail != 0xFF;
        wide += kReplacement;
        pos += pairShaped ? 2 : 1;
      }
    }
  }
  return wide;
}

std::string EncodeCp936(std::u16string_view wide) {
  const Cp936Table& table = Cp936();
  std::string bytes;
  bytes.reserve(wide.size() * 2);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    if (unit == 0) {
      bytes += '\0';
      continue;
    }
    if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) ++i;
    const std::uint16_t code = table.fromUnit[unit];
    if (code == 0 || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      bytes += kDefaultChar;
    } else if (code < 0x100) {
      bytes += static_cast<char>(code);
    } else {
      bytes += static_cast<char>(code >> 8);
      bytes += static_cast<char>(code & 0xFF);
    }
  }
  return bytes;
}

// How many continuation bytes follow `lead`, and the range the first of
// them must lie in (which rules out overlong forms and surrogates).
struct Utf8Lead { int continuations; unsigned char low, high; };

Utf8Lead ClassifyUtf8Lead(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
  if (lead == 0xE0) return {2, 0xA0, 0xBF};
  if (lead == 0xED) return {2, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
  if (lead == 0xF0) return {3, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
  if (lead == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

void AppendCodePoint(std::u16string& wide, char32_t cp) {
  if (cp < 0x10000) {
    wide += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    wide += static_cast<char16_t>(0xD800 + (cp >> 10));
    wide += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Invalid sequences become one U+FFFD per maximal invalid part.
std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[pos++]);
    if (lead < 0x80) {
      wide += static_cast<char16_t>(lead);
      continue;
    }
    const Utf8Lead kind = ClassifyUtf8Lead(lead);
    char32_t cp = lead & (0x3F >> kind.continuations);
    int taken = 0;
    for (; taken < kind.continuations && pos < bytes.size(); ++taken, ++pos) {
      const auto byte = static_cast<unsigned char>(bytes[pos]);
      const unsigned char low = taken == 0 ? kind.low : 0x80;
      const unsigned char high = taken == 0 ? kind.high : 0xBF;
      if (byte < low || byte > high) break;
      cp = (cp << 6) | (byte & 0x3F);
    }
    if (kind.continuations == 0 || taken < kind.continuations)
      wide += kReplacement;
    else
      AppendCodePoint(wide, cp);
  }
  return wide;
}

std::string EncodeUtf8(std::u16string_view wide) {
  std::string bytes;
  bytes.reserve(wide.size() * 3);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = wide[i];
    if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (IsHighSurrogate(wide[i]) || IsLowSurrogate(wide[i])) {
      cp = kReplacement;
    }
    AppendUtf8(bytes, cp);
  }
  return bytes;
}

}  // namespace

std::u16string MultiByteToWide(int codePage, std::string_view bytes) {
  if (codePage == kCodePage936) return DecodeCp936(bytes);
  if (codePage == kCodePageUtf8) return DecodeUtf8(bytes);
  return {};
}

std::string WideToMultiByte(int codePage, std::u16string_view wide) {
  if (codePage == kCodePage936) return EncodeCp936(wide);
  if (codePage == kCodePageUtf8) return EncodeUtf8(wide);
  return {};
}

Text FromUtf8(std::string_view utf8) { return EncodeCp936(DecodeUtf8(utf8)); }

std::string ToUtf8(const Text& text) { return EncodeUtf8(DecodeCp936(text)); }

}  // namespace vantorel

#include "platform/codepage/WideText.h"

namespace vantorel {
namespace {

Text UpToFirstNul(std::string text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::string_view AsChars(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

Bytes WideText::AsBytes() const {
  Bytes bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

WideText TextToWide(const Text& text, int codePage) {
  if (text.empty()) return {};
  // The terminator is converted along with the text, as the platform does.
  WideText wide;
  wide.units = MultiByteToWide(codePage, std::string_view(text.c_str(), text.size() + 1));
  if (wide.units.empty()) return {};
  wide.length = static_cast<int>(wide.units.size()) - 1;
  return wide;
}

Text WideToText(std::u16string_view wide, int codePage) {
  if (wide.empty()) return {};
  return UpToFirstNul(WideToMultiByte(codePage, wide));
}

Text WideToText(const Bytes& utf16le, int codePage) {
  std::u16string wide(utf16le.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(utf16le[2 * i] | (utf16le[2 * i + 1] << 8));
  return WideToText(wide, codePage);
}

Text Utf8ToText(const Bytes& utf8, int codePage) {
  if (utf8.empty()) return {};
  const std::u16string wide = MultiByteToWide(kCodePageUtf8, AsChars(utf8));
  if (wide.empty()) return {};
  return UpToFirstNul(WideToMultiByte(codePage, wide));
}

}  // namespace vantorel

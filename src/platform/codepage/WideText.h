#pragma once
// The conversions the HTTP session uses at the platform boundary: Text to
// NUL-ended UTF-16 and back, and UTF-8 response bodies to Text.
#include <string>
#include <string_view>

#include "base/Text.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {

struct WideText {
  std::u16string units;  // the converted units with their ending NUL; empty for ""
  int length = 0;        // UTF-16 units without the ending NUL
  // A NUL-ended string; "" when empty.
  const char16_t* c_str() const { return units.empty() ? u"" : units.c_str(); }
  // Two little-endian bytes per unit, the ending NUL included.
  Bytes AsBytes() const;
};

WideText TextToWide(const Text& text, int codePage = kCodePage936);
// The result ends at the first NUL.
Text WideToText(std::u16string_view wide, int codePage = kCodePage936);
Text WideToText(const Bytes& utf16le, int codePage = kCodePage936);
Text Utf8ToText(const Bytes& utf8, int codePage = kCodePage936);

}  // namespace vantorel

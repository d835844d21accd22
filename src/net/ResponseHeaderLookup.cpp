#include "net/ResponseHeaderLookup.h"

#include "base/TextOps.h"
#include "net/CookieText.h"
#include "net/SetCookieScan.h"

namespace vantorel {

namespace {

const Text kLineEnd = "\r\n";

// The bytes after the first occurrence of `key` (any case) up to `terminator`;
// none when either is missing.
std::optional<Text> TextAfterKey(const Text& headers, const Text& key, const Text& terminator) {
  const int keyAt = Find(headers, key, 1, Case::Ignore);
  if (keyAt == -1) return std::nullopt;
  const int valueStart = keyAt + static_cast<int>(key.size());
  const int valueEnd = Find(headers, terminator, valueStart);
  if (valueEnd == -1) return std::nullopt;
  return Mid(headers, valueStart, valueEnd - valueStart);
}

}  // namespace

Text ResponseHeaderValue(const Text& headers, const Text& name) {
  // Starting the key with a line end keeps "Content-Location:" from
  // answering for "Location" and the status line out of reach.
  return TrimLeft(TextAfterKey(headers, kLineEnd + name + ":", kLineEnd).value_or(Text()));
}

Text ResponseCookiesText(const Text& headers) {
  Text cookies;
  for (const Text& pair : ScanSetCookiePairs(headers, LaterSetCookies::IgnoreCase)) {
    if (!IsDeletedPair(pair)) cookies += pair + " ";
  }
  // Drop the final "; " so the text reads like a Cookie header value.
  return Left(cookies, static_cast<int>(cookies.size()) - 2);
}

Text ResponseCookieValue(const Text& headers, const Text& name) {
  for (const char* prefix : {"Set-Cookie: ", "Set-Cookie:"}) {
    if (std::optional<Text> value = TextAfterKey(headers, prefix + name + "=", ";")) return *value;
  }
  return {};
}

}  // namespace vantorel

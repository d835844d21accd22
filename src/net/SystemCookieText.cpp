#include "net/SystemCookieText.h"

#include "base/TextOps.h"
#include "net/CookieText.h"
#include "net/SetCookieScan.h"

namespace vantorel {

std::vector<CookieAssignment> ResponseCookiesForStore(const Text& headers, bool ignoreEmptyCookies) {
  std::vector<CookieAssignment> cookies;
  for (const Text& pair : ScanSetCookiePairs(headers, LaterSetCookies::ExactCase)) {
    std::optional<Text> name = CookieName(pair);
    if (!name) continue;
    // The store keeps no expiry, so a deleted cookie is emptied instead.
    if (IsDeletedPair(pair)) {
      cookies.push_back({std::move(*name), {}});
    } else if (!(ignoreEmptyCookies && HasBlankValue(pair))) {
      cookies.push_back({std::move(*name), PairValue(pair)});
    }
  }
  return cookies;
}

std::vector<CookieAssignment> CookieListAssignments(const Text& list) {
  std::vector<CookieAssignment> cookies;
  for (const Text& piece : CookieListPieces(list)) {
    std::optional<Text> name = CookieName(piece);
    if (!name) continue;
    const int valueStart = static_cast<int>(name->size()) + 2;
    cookies.push_back({std::move(*name), Mid(piece, valueStart, static_cast<int>(piece.size()))});
  }
  return cookies;
}

}  // namespace vantorel

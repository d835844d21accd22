#include "net/SetCookieScan.h"

#include "base/TextOps.h"

namespace vantorel {

namespace {
const Text kSetCookie = "Set-Cookie:";
}

std::vector<Text> ScanSetCookiePairs(const Text& headers, LaterSetCookies later) {
  const Case laterCase = later == LaterSetCookies::IgnoreCase ? Case::Ignore : Case::Sensitive;
  std::vector<Text> pairs;
  int entry = Find(headers, kSetCookie, 1, Case::Ignore);
  while (entry != -1) {
    const int pairStart = entry + static_cast<int>(kSetCookie.size());
    // The ";" is searched across line ends: an entry without one runs on.
    const int semicolon = Find(headers, ";", pairStart);
    if (semicolon == -1) break;
    pairs.push_back(TrimLeft(Mid(headers, pairStart, semicolon - pairStart + 1)));
    entry = Find(headers, kSetCookie, semicolon + 1, laterCase);
  }
  return pairs;
}

}  // namespace vantorel

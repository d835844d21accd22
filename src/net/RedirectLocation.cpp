#include "net/RedirectLocation.h"

#include <algorithm>

#include "base/TextOps.h"

namespace vantorel {

namespace {

const Text kLocation = "Location:";
const Text kLineEnd = "\r\n";

bool IsAsciiLetter(unsigned char byte) { return (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z'; }

bool IsSchemeByte(unsigned char byte) {
  return IsAsciiLetter(byte) || (byte >= '0' && byte <= '9') || byte == '+' || byte == '-' ||
         byte == '.';
}

// A location that begins with a scheme ("ftp:", "mailto:") names its own
// target; resolving it against the current url would invent a path there.
bool HasScheme(const Text& location) {
  const int colon = Find(location, ":");
  if (colon < 2 || !IsAsciiLetter(static_cast<unsigned char>(location[0]))) return false;
  return std::all_of(location.begin(), location.begin() + colon - 1,
                     [](char byte) { return IsSchemeByte(static_cast<unsigned char>(byte)); });
}

bool IsHttpUrl(const Text& location) {
  const Text start = AsciiLower(Left(location, 8));
  return Left(start, 7) == "http://" || start == "https://";
}

bool HasControlByte(const Text& location) {
  return std::any_of(location.begin(), location.end(), [](char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
  });
}

}  // namespace

Text FindRedirectLocation(const Text& headers) {
  const int keyAt = Find(headers, kLocation, 1, Case::Ignore);
  if (keyAt == -1) return {};
  const int valueStart = keyAt + static_cast<int>(kLocation.size());
  const int valueEnd = Find(headers, kLineEnd, valueStart);
  if (valueEnd == -1) return {};
  return Trim(Mid(headers, valueStart, valueEnd - valueStart));
}

Text AbsoluteLocation(const Text& location, const CurrentRequest& request) {
  if (location.empty()) return {};
  if (location.front() == '/') {
    const Text scheme = request.scheme == 2 ? "https://" : "http://";
    return scheme + request.hostName + ":" + NumberToText(request.port) + location;
  }
  if (IsHttpUrl(location) || HasScheme(location)) return location;
  // Without a path the last "/" is the second one of "scheme://".
  return Left(request.url, FindLast(request.url, "/")) + location;
}

Text RedirectLocation(const Text& headers, bool absolute, const CurrentRequest& request) {
  const Text location = FindRedirectLocation(headers);
  return absolute ? AbsoluteLocation(location, request) : location;
}

bool ShouldFollowRedirect(int cookieMode, int redirectsDisabled, const Text& absoluteLocation,
                          std::int32_t& redirectCount) {
  if (cookieMode == 0 || redirectsDisabled == 1) return false;
  const bool followable = IsHttpUrl(absoluteLocation) && !HasControlByte(absoluteLocation);
  if (!followable || redirectCount >= kMaxRedirectsInARow) {
    redirectCount = 0;
    return false;
  }
  ++redirectCount;
  return true;
}

}  // namespace vantorel

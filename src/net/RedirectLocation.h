#pragma once
// The target of a redirect, read from a raw response header block, and the
// decision whether the session follows it.
#include <cstdint>

#include "base/Text.h"

namespace vantorel {

// The request a relative location is resolved against.
struct CurrentRequest {
  Text url;        // always with a scheme
  int scheme = 0;  // 1 HTTP, 2 HTTPS
  Text hostName;
  int port = 0;
};

// The value of the first "Location:" (any case, anywhere, so a leading
// "Content-Location:" counts) up to the next CR LF, blanks trimmed at both
// ends; "" when there is none, no CR LF follows or only blanks remain.
Text FindRedirectLocation(const Text& headers);

// Makes a location absolute: ‹/x› becomes scheme://host:port/x (port always
// written), a location with a scheme of its own is kept as it stands, and
// anything else replaces what follows the last "/" of the current url.
Text AbsoluteLocation(const Text& location, const CurrentRequest& request);

// FindRedirectLocation, made absolute when asked; "" stays "".
Text RedirectLocation(const Text& headers, bool absolute, const CurrentRequest& request);

inline constexpr std::int32_t kMaxRedirectsInARow = 10;

// Decides whether the session opens the next hop to `absoluteLocation` and
// counts it in redirectCount. In cookie mode 0 or with redirectsDisabled 1
// the session never follows and the count is left alone. Otherwise an empty
// location, one that is not http or https, one holding control bytes, or an
// eleventh hop in a row ends the chain and sets the count back to 0.
// A hop whose Open or Send then fails should end the chain the same way.
bool ShouldFollowRedirect(int cookieMode, int redirectsDisabled, const Text& absoluteLocation,
                          std::int32_t& redirectCount);

}  // namespace vantorel

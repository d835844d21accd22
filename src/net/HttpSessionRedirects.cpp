// Redirects the session follows itself (cookie modes 1 and 2): every hop is
// an ordinary Open and Send on this session, so each carries the cookies of
// the chosen mode and its Set-Cookie entries are collected.
#include "net/HttpSession.h"
#include "net/RedirectLocation.h"

namespace vantorel {

void HttpSession::FollowRedirect(bool ignoreEmptyCookies) {
  if (state_.cookieMode == kCookiesByPlatform || state_.redirectsDisabled == 1) return;
  Text location = GetRedirectLocation(true);
  if (!ShouldFollowRedirect(state_.cookieMode, state_.redirectsDisabled, location, state_.redirectCount)) return;
  // The method stays omitted: a GET that keeps isPost as it was. A hop that
  // fails ends the chain, and the count goes back to 0 so the next chain
  // gets its full ten hops.
  if (!Open(std::nullopt, location) || !SendText({}, ignoreEmptyCookies)) state_.redirectCount = 0;
}

Text HttpSession::GetRedirectLocation(bool absolute) const {
  CurrentRequest current{state_.url, state_.scheme, state_.hostName, state_.port};
  return RedirectLocation(state_.responseHeaders, absolute, current);
}

}  // namespace vantorel

// Read-only lookups in the last response's raw headers.
#include "net/HttpSession.h"
#include "net/ResponseHeaderLookup.h"

namespace vantorel {

Text HttpSession::GetResponseHeader(const Text& name) const {
  return ResponseHeaderValue(state_.responseHeaders, name);
}

Text HttpSession::GetResponseCookies() const { return ResponseCookiesText(state_.responseHeaders); }

Text HttpSession::GetResponseCookie(const Text& name) const {
  return ResponseCookieValue(state_.responseHeaders, name);
}

}  // namespace vantorel

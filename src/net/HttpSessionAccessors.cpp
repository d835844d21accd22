// Reading and replacing the session's handles and switches, restarting it,
// and the status of the last response.
#include "base/TextOps.h"
#include "net/HttpSession.h"

namespace vantorel {

namespace {

// A given handle replaces the member; the session owns it from then on.
http::HttpHandle GetOrReplace(http::HttpHandle& member, std::optional<http::HttpHandle> replacement) {
  if (replacement) member = *replacement;
  return member;
}

}  // namespace

http::HttpHandle HttpSession::SessionHandle(std::optional<http::HttpHandle> replacement) {
  return GetOrReplace(state_.sessionHandle, replacement);
}

http::HttpHandle HttpSession::ConnectionHandle(std::optional<http::HttpHandle> replacement) {
  return GetOrReplace(state_.connectionHandle, replacement);
}

http::HttpHandle HttpSession::RequestHandle(std::optional<http::HttpHandle> replacement) {
  return GetOrReplace(state_.requestHandle, replacement);
}

void HttpSession::SetDefaultHeaders(bool enabled) { state_.defaultHeadersEnabled = enabled ? 1 : 0; }

void HttpSession::SetCookieMode(int mode) {
  state_.cookieMode = (mode >= kCookiesByPlatform && mode <= kCookiesInSystemStore) ? mode : kCookiesByPlatform;
}

void HttpSession::Restart(const std::optional<Text>& userAgent) {
  Close();
  Start(userAgent);
  ApplyDefaults();
}

int HttpSession::GetStatusCode() const {
  if (state_.requestHandle == 0) return 0;
  std::optional<Text> code = QueryHeaderText(http::kQueryStatusCode);
  return code ? TextToInteger(*code) : 0;
}

Text HttpSession::GetStatusText() const {
  if (state_.requestHandle == 0) return {};
  return QueryHeaderText(http::kQueryStatusText).value_or(Text());
}

Text HttpSession::GetResponseHeaders() const { return state_.responseHeaders; }

}  // namespace vantorel

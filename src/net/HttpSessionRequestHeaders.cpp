// Request headers on the open request: the default block that Send adds,
// setting and removing one header, the common setters and the
// client-address headers.
#include "base/TextOps.h"
#include "net/HttpSession.h"

namespace vantorel {

namespace {

constexpr char kDefaultHeaders[] = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache";
constexpr char kFormContentType[] = "\r\nContent-Type:application/x-www-form-urlencoded";

}  // namespace

bool HttpSession::AddDefaultHeaders(bool hasBody) {
  Text block = kDefaultHeaders;
  if (state_.isPost == 1 || hasBody) block += kFormContentType;
  return AddHeaderText(block, http::kAddIfNew);
}

bool HttpSession::SetRequestHeader(const Text& name, const Text& value, std::uint32_t modifiers) {
  if (state_.requestHandle == 0 || name.empty()) return false;
  KeepPlatformCookiesAwayFrom(name);
  return AddHeaderText(name + ":" + value, modifiers);
}

bool HttpSession::RemoveRequestHeader(const Text& name) {
  if (state_.requestHandle == 0 || name.empty()) return false;
  KeepPlatformCookiesAwayFrom(name);
  return AddHeaderText(name + ":", http::kReplace);
}

void HttpSession::KeepPlatformCookiesAwayFrom(const Text& headerName) {
  // A caller's own Cookie header must not meet the platform's cookies.
  if (state_.cookieMode == kCookiesByPlatform && AsciiLower(headerName) == "cookie") {
    SetRequestFlags(http::kOptionDisableFeature, http::kDisableCookies);
  }
}

bool HttpSession::SetUserAgent(const Text& value) { return SetRequestHeader("User-Agent", value); }

bool HttpSession::SetReferer(const std::optional<Text>& value) {
  return SetRequestHeader("Referer", value.value_or(state_.url));
}

bool HttpSession::SetAccept(const Text& value) { return SetRequestHeader("Accept", value); }

bool HttpSession::SetAcceptLanguage(const Text& value) { return SetRequestHeader("Accept-Language", value); }

bool HttpSession::SetContentType(const Text& value) { return SetRequestHeader("Content-Type", value); }

bool HttpSession::SetRequestedWith() { return SetRequestHeader("x-requested-with", "XMLHttpRequest"); }

bool HttpSession::SetClientAddress(const Text& address) {
  if (state_.requestHandle == 0) return false;
  return AddHeaderText("X-Forwarded-For:" + address + "\r\nCLIENT_IP:" + address + "\r\nVIA:" + address +
                           "\r\nREMOTE_ADDR:" + address,
                       http::kAddOrReplace);
}

}  // namespace vantorel

// Turning the session's settings into platform options: the per-request
// options of every Send, time-outs, proxy, credentials, raw options, the
// redirect switch and the cookies of the next request.
#include "net/HttpSession.h"
#include "platform/codepage/WideText.h"

namespace vantorel {

namespace {
constexpr std::uint32_t kIgnoreCertificateErrors = http::kIgnoreUnknownCa | http::kIgnoreWrongUsage |
                                                   http::kIgnoreCommonNameInvalid | http::kIgnoreDateInvalid;
}

void HttpSession::ApplyRequestOptions() {
  if (state_.proxyCredentialsPending == 1) {
    SetRequestText(http::kOptionProxyUserName, state_.proxyUserName);
    SetRequestText(http::kOptionProxyPassword, state_.proxyPassword);
    state_.proxyCredentialsPending = 0;
    state_.proxyUserName.clear();
    state_.proxyPassword.clear();
  }
  if (state_.redirectsDisabled == 1 || state_.cookieMode > kCookiesByPlatform) {
    SetRequestFlags(http::kOptionDisableFeature, http::kDisableRedirects);
  }
  if (state_.ignoreCertificateErrors == 1) {
    SetRequestFlags(http::kOptionSecurityFlags, kIgnoreCertificateErrors);
    state_.ignoreCertificateErrors = 0;
  }
  if (state_.cookieMode != kCookiesByPlatform) {
    SetRequestFlags(http::kOptionDisableFeature, http::kDisableCookies);
    if (state_.cookieMode == kCookiesInJar) AddJarCookieHeader();
    if (state_.cookieMode == kCookiesInSystemStore) AddSystemCookieHeader();
  }
}

bool HttpSession::SetTimeouts(int resolve, int connect, int send, int receive) {
  if (state_.sessionHandle == 0) return false;
  return http::HttpSetTimeouts(state_.sessionHandle, resolve, connect, send, receive);
}

bool HttpSession::SetProxy(const Text& address, const Text& userName, const Text& password) {
  if (state_.sessionHandle == 0) return false;
  http::ProxyInfo info;
  WideText wideAddress = TextToWide(address);
  if (!address.empty()) {
    if (state_.requestHandle != 0) {
      SetRequestText(http::kOptionProxyUserName, userName);
      SetRequestText(http::kOptionProxyPassword, password);
    } else {
      state_.proxyCredentialsPending = 1;
      state_.proxyUserName = userName;
      state_.proxyPassword = password;
    }
    info.accessType = http::kAccessNamedProxy;
    info.proxy = wideAddress.c_str();
  }
  return http::HttpSetOption(state_.sessionHandle, http::kOptionProxy, &info, sizeof info);
}

bool HttpSession::SetCredentials(const Text& userName, const Text& password, int target, int scheme) {
  if (state_.requestHandle == 0) return false;
  WideText wideUser = TextToWide(userName);
  WideText widePassword = TextToWide(password);
  return http::HttpSetCredentials(state_.requestHandle, static_cast<std::uint32_t>(target),
                                  static_cast<std::uint32_t>(scheme), std::u16string_view(wideUser.c_str()),
                                  std::u16string_view(widePassword.c_str()));
}

bool HttpSession::SetOption(std::optional<int> handleKind, std::uint32_t option, std::int32_t value, int length) {
  http::HttpHandle handle = handleKind == 1   ? state_.connectionHandle
                            : handleKind == 2 ? state_.requestHandle
                                              : state_.sessionHandle;
  // A 32-bit value is no text: the text options would read past it.
  bool textOption = option == http::kOptionProxyUserName || option == http::kOptionProxyPassword;
  if (handle == 0 || length < 0 || length > 4 || textOption) return false;
  return http::HttpSetOption(handle, option, &value, static_cast<std::size_t>(length));
}

void HttpSession::SetFollowRedirects(bool follow) { state_.redirectsDisabled = follow ? 0 : 1; }

bool HttpSession::SetRequestCookies(const Text& cookies) {
  switch (state_.cookieMode) {
    case kCookiesByPlatform:
      if (state_.requestHandle == 0) return false;
      SetRequestFlags(http::kOptionDisableFeature, http::kDisableCookies);
      return SetRequestHeader("Cookie", cookies);
    case kCookiesInJar:
      return MergeCookies(cookies);
    case kCookiesInSystemStore:
      return SetSystemCookies(cookies);
    default:
      return false;
  }
}

}  // namespace vantorel

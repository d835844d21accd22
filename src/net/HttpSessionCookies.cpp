// Cookies kept by the session: the jar of cookie mode 1 and the system
// cookie store of cookie mode 2. The texts are worked on by the jar and
// scan functions; here they meet the session's members and its request.
#include <vector>

#include "net/CookieJar.h"
#include "net/HttpSession.h"
#include "net/SystemCookieText.h"
#include "platform/cookies/SystemCookieStore.h"

namespace vantorel {

void HttpSession::MergeResponseCookies(bool ignoreEmptyCookies) {
  MergeResponseCookiesIntoJar(state_.cookieJar, state_.cookieJarLength, state_.responseHeaders, ignoreEmptyCookies);
}

void HttpSession::StoreResponseCookies(bool ignoreEmptyCookies) {
  for (const CookieAssignment& cookie : ResponseCookiesForStore(state_.responseHeaders, ignoreEmptyCookies)) {
    SetSystemCookie(state_.url, cookie.name, cookie.value);
  }
}

bool HttpSession::SetSystemCookies(const Text& text) {
  std::vector<CookieAssignment> cookies = CookieListAssignments(text);
  for (const CookieAssignment& cookie : cookies) SetSystemCookie(state_.url, cookie.name, cookie.value);
  return !cookies.empty();
}

bool HttpSession::AddJarCookieHeader() {
  return AddHeaderText(JarCookieHeader(state_.cookieJar), http::kAddOrReplace);
}

bool HttpSession::AddSystemCookieHeader() {
  std::size_t size = GetSystemCookies(state_.url, {});
  if (size == 0) return false;
  std::vector<char> buffer(size + 1, ' ');
  buffer.back() = '\0';
  GetSystemCookies(state_.url, buffer);
  return AddHeaderText("Cookie:" + Text(buffer.data()), http::kAddOrReplace);
}

Text HttpSession::Cookies(const std::optional<Text>& text) {
  if (!text) return JarCookies(state_.cookieJar);
  return ReplaceJarCookies(state_.cookieJar, state_.cookieJarLength, *text);
}

Text HttpSession::GetCookie(const Text& name, bool withName) const {
  return JarCookie(state_.cookieJar, name, withName);
}

bool HttpSession::MergeCookies(const Text& text) {
  return MergeJarCookies(state_.cookieJar, state_.cookieJarLength, text);
}

bool HttpSession::RemoveCookies(const Text& names) {
  return RemoveJarCookies(state_.cookieJar, state_.cookieJarLength, names);
}

}  // namespace vantorel

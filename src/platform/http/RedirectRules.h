#pragma once
// When the HTTP layer follows a redirect, where to, and with which method.
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::http {

constexpr int kMaxRedirects = 10;

bool IsRedirectStatus(int statusCode);  // 301, 302, 303, 307, 308

struct RedirectTarget {
  std::string url;
  std::string host;
  bool secure = false;
};

// The location resolved against the current URL; nothing when it does not
// parse, names a scheme other than http or https, or leaves https for http.
std::optional<RedirectTarget> ResolveRedirect(const std::string& currentUrl, std::string_view location);

// 301 and 302 turn a POST into a GET; 303 turns everything but HEAD into a
// GET; the body is dropped whenever the method changes.
std::string MethodAfterRedirect(int statusCode, const std::string& method);

}  // namespace vantorel::http

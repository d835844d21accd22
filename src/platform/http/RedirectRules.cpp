#include "platform/http/RedirectRules.h"

#include "base/TextOps.h"
#include "platform/http/CurlHandles.h"

namespace vantorel::http {

namespace {

std::optional<std::string> UrlPart(CURLU* url, CURLUPart part) {
  char* value = nullptr;
  if (curl_url_get(url, part, &value, 0) != CURLUE_OK || value == nullptr) return std::nullopt;
  std::string result(value);
  curl_free(value);
  return result;
}

}  // namespace

bool IsRedirectStatus(int statusCode) {
  return statusCode == 301 || statusCode == 302 || statusCode == 303 || statusCode == 307 ||
         statusCode == 308;
}

std::optional<RedirectTarget> ResolveRedirect(const std::string& currentUrl, std::string_view location) {
  if (location.empty() || location.find('\0') != std::string_view::npos) return std::nullopt;
  CurlUrl url(curl_url());
  if (!url || curl_url_set(url.get(), CURLUPART_URL, currentUrl.c_str(), 0) != CURLUE_OK) return std::nullopt;
  bool fromHttps = AsciiLower(UrlPart(url.get(), CURLUPART_SCHEME).value_or("")) == "https";
  if (curl_url_set(url.get(), CURLUPART_URL, std::string(location).c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  std::string scheme = AsciiLower(UrlPart(url.get(), CURLUPART_SCHEME).value_or(""));
  if (scheme != "http" && scheme != "https") return std::nullopt;
  if (fromHttps && scheme == "http") return std::nullopt;
  std::optional<std::string> resolved = UrlPart(url.get(), CURLUPART_URL);
  std::optional<std::string> host = UrlPart(url.get(), CURLUPART_HOST);
  if (!resolved || !host) return std::nullopt;
  return RedirectTarget{*resolved, *host, scheme == "https"};
}

std::string MethodAfterRedirect(int statusCode, const std::string& method) {
  if ((statusCode == 301 || statusCode == 302) && method == "POST") return "GET";
  if (statusCode == 303 && method != "HEAD") return "GET";
  return method;
}

}  // namespace vantorel::http

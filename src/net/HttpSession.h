#pragma once
// The system's HTTP and HTTPS client: one platform session, at most one
// connection and one open request, the last response's headers and body,
// and the settings that shape the next request. Every operation runs to
// completion and reports failure by its result only.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/Text.h"
#include "platform/http/HttpApi.h"
#include "platform/http/ProcessHeap.h"

namespace vantorel {

inline constexpr char kDefaultUserAgent[] = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)";

// Who keeps cookies (and so who follows redirects).
enum CookieMode : std::int32_t {
  kCookiesByPlatform = 0,
  kCookiesInJar = 1,
  kCookiesInSystemStore = 2,
};

// The record's members. Flags hold 0 or 1 and count as set only when 1.
struct HttpSessionState {
  http::HttpHandle sessionHandle = 0;
  http::HttpHandle connectionHandle = 0;
  http::HttpHandle requestHandle = 0;
  Text hostName;
  std::int32_t port = 0;
  Text url;
  std::int32_t scheme = 0;  // 1 HTTP, 2 HTTPS
  std::int32_t isPost = 0;
  std::size_t receivedLength = 0;  // body bytes in the receive buffer; 0 while unread
  std::int32_t contentLength = 0;  // -1: none announced or headers unreadable
  Text responseHeaders;
  std::int32_t defaultHeadersEnabled = 1;
  std::int32_t cookieMode = kCookiesByPlatform;
  Text cookieJar = "; ";
  std::int32_t cookieJarLength = 2;
  std::int32_t redirectsDisabled = 0;
  std::int32_t redirectCount = 0;
  std::int32_t proxyCredentialsPending = 0;
  Text proxyUserName;
  Text proxyPassword;
  std::int32_t ignoreCertificateErrors = 0;  // one-shot; nothing turns it on by default
};

class HttpSession {
 public:
  // Creation: Start without a user agent, then ApplyDefaults.
  HttpSession();

  // The operations in table order; the first two are Release and Copy.
  ~HttpSession();
  // A copy takes the settings, texts and cookie jar but no platform
  // resources: it behaves like a closed session until Start.
  HttpSession(const HttpSession& other);
  HttpSession& operator=(const HttpSession& other);
  void Start(const std::optional<Text>& userAgent = std::nullopt);
  void Close();
  void ApplyDefaults();
  void MergeResponseCookies(bool ignoreEmptyCookies);
  void StoreResponseCookies(bool ignoreEmptyCookies);
  bool SetSystemCookies(const Text& text);
  bool AddJarCookieHeader();
  bool AddSystemCookieHeader();
  bool AddDefaultHeaders(bool hasBody);
  void ApplyRequestOptions();
  bool ReadResponseHeaders(bool ignoreEmptyCookies = false);
  void FollowRedirect(bool ignoreEmptyCookies);
  http::HttpHandle SessionHandle(std::optional<http::HttpHandle> replacement = std::nullopt);
  http::HttpHandle ConnectionHandle(std::optional<http::HttpHandle> replacement = std::nullopt);
  http::HttpHandle RequestHandle(std::optional<http::HttpHandle> replacement = std::nullopt);
  void SetDefaultHeaders(bool enabled = true);
  void SetCookieMode(int mode = kCookiesInJar);
  void Restart(const std::optional<Text>& userAgent = std::nullopt);
  bool Open(const std::optional<Text>& method, const Text& url);
  bool Send(const Bytes& body = {}, bool ignoreEmptyCookies = false);
  bool SendText(const Text& body = {}, bool ignoreEmptyCookies = false);
  Bytes GetResponseBytes();
  Text GetResponseRawText();
  Text GetResponseText();
  int GetStatusCode() const;
  Text GetStatusText() const;
  Text GetResponseHeaders() const;
  Text GetResponseHeader(const Text& name) const;
  Text GetResponseCookies() const;
  Text GetResponseCookie(const Text& name) const;
  Text GetRedirectLocation(bool absolute = false) const;
  bool SetTimeouts(int resolve = 10000, int connect = 20000, int send = 300000, int receive = 600000);
  bool SetProxy(const Text& address, const Text& userName = {}, const Text& password = {});
  // target 0 server, 1 proxy; scheme 1 basic, other platform values passed through.
  bool SetCredentials(const Text& userName, const Text& password, int target = 0, int scheme = 1);
  // handleKind 1 the connection, 2 the request, anything else the session.
  bool SetOption(std::optional<int> handleKind, std::uint32_t option, std::int32_t value, int length);
  void SetFollowRedirects(bool follow = true);
  bool SetRequestHeader(const Text& name, const Text& value, std::uint32_t modifiers = http::kAddOrReplace);
  bool RemoveRequestHeader(const Text& name);
  bool SetRequestCookies(const Text& cookies);
  bool SetUserAgent(const Text& value = kDefaultUserAgent);
  bool SetReferer(const std::optional<Text>& value = std::nullopt);  // omitted: the current url
  bool SetAccept(const Text& value = "*/*");
  bool SetAcceptLanguage(const Text& value = "zh-cn");
  bool SetContentType(const Text& value = "application/x-www-form-urlencoded");
  bool SetRequestedWith();
  bool SetClientAddress(const Text& address);
  Text Cookies(const std::optional<Text>& text = std::nullopt);
  Text GetCookie(const Text& name, bool withName = false) const;
  bool MergeCookies(const Text& text);
  bool RemoveCookies(const Text& names);

  // The members, for inspection.
  const HttpSessionState& State() const { return state_; }

 private:
  void DropPlatformResources();
  bool SendBody(const void* body, std::size_t length, bool ignoreEmptyCookies);
  bool AddHeaderText(const Text& headers, std::uint32_t modifiers);
  void KeepPlatformCookiesAwayFrom(const Text& headerName);
  bool SetRequestFlags(std::uint32_t option, std::uint32_t value);
  bool SetRequestText(std::uint32_t option, const Text& text);
  std::optional<Text> QueryHeaderText(std::uint32_t level) const;
  bool ReceiveBody();

  HttpSessionState state_;
  http::HeapBlock receiveBuffer_;
};

}  // namespace vantorel

// The session's life cycle and request cycle: Start, Close, ApplyDefaults,
// Open, Send and SendText, with the helpers the other parts share.
#include "net/HttpSession.h"

#include "base/TextOps.h"
#include "platform/codepage/WideText.h"

namespace vantorel {

namespace {

constexpr std::size_t kReceiveBufferStart = 10240;

std::u16string_view View(const WideText& wide) { return std::u16string_view(wide.c_str(), wide.length); }

// "http://" goes in front of a URL that names neither http nor https, and of
// any URL shorter than 8 bytes.
Text WithScheme(const Text& url) {
  bool hasScheme = url.size() >= 8 &&
                   (AsciiLower(Left(url, 8)) == "https://" || AsciiLower(Left(url, 7)) == "http://");
  return hasScheme ? url : "http://" + url;
}

void CloseIfOpen(http::HttpHandle& handle) {
  if (handle != 0) http::HttpCloseHandle(handle);
  handle = 0;
}

}  // namespace

HttpSession::HttpSession() {
  Start();
  ApplyDefaults();
}

HttpSession::~HttpSession() { Close(); }

HttpSession::HttpSession(const HttpSession& other) : state_(other.state_) { DropPlatformResources(); }

HttpSession& HttpSession::operator=(const HttpSession& other) {
  if (this != &other) {
    Close();
    state_ = other.state_;
    DropPlatformResources();
  }
  return *this;
}

void HttpSession::Start(const std::optional<Text>& userAgent) {
  // An earlier session handle nobody closed would otherwise be lost for good.
  CloseIfOpen(state_.sessionHandle);
  WideText agent = TextToWide(userAgent.value_or(kDefaultUserAgent));
  state_.sessionHandle = http::HttpOpenSession(View(agent), http::kAccessNoProxy);
  receiveBuffer_.Allocate(kReceiveBufferStart);
}

void HttpSession::Close() {
  CloseIfOpen(state_.requestHandle);
  CloseIfOpen(state_.connectionHandle);
  CloseIfOpen(state_.sessionHandle);
  receiveBuffer_.Free();
  DropPlatformResources();
  state_.port = 0;
  state_.redirectsDisabled = 0;
  state_.proxyCredentialsPending = 0;
  state_.responseHeaders.clear();
  state_.proxyUserName.clear();
  state_.proxyPassword.clear();
  state_.hostName.clear();
  state_.url.clear();
}

void HttpSession::DropPlatformResources() {
  state_.sessionHandle = 0;
  state_.connectionHandle = 0;
  state_.requestHandle = 0;
  state_.receivedLength = 0;
  state_.contentLength = 0;
}

void HttpSession::ApplyDefaults() {
  state_.defaultHeadersEnabled = 1;
  state_.cookieMode = kCookiesByPlatform;
  state_.ignoreCertificateErrors = 0;
  state_.cookieJar = "; ";
  state_.cookieJarLength = 2;
}

bool HttpSession::Open(const std::optional<Text>& method, const Text& url) {
  if (state_.sessionHandle == 0) return false;
  state_.url = WithScheme(url);
  WideText wideUrl = TextToWide(state_.url);
  http::UrlComponents parts;
  if (!http::HttpCrackUrl(View(wideUrl), parts)) return false;

  state_.receivedLength = 0;
  state_.contentLength = 0;
  state_.responseHeaders.clear();
  CloseIfOpen(state_.requestHandle);

  Text host = WideToText(parts.host);
  bool sameConnection = state_.connectionHandle != 0 && host == state_.hostName && parts.port == state_.port;
  if (!sameConnection) {
    CloseIfOpen(state_.connectionHandle);
    state_.connectionHandle = http::HttpConnect(state_.sessionHandle, parts.host, parts.port);
    if (state_.connectionHandle == 0) return false;
    state_.hostName = host;
    state_.port = parts.port;
  }

  WideText verb = TextToWide("GET");
  if (method && !method->empty()) {
    Text upper = AsciiUpper(*method);
    verb = TextToWide(upper);
    if (state_.defaultHeadersEnabled == 1) state_.isPost = upper == "POST" ? 1 : 0;
  }
  std::u16string objectName = parts.path.empty() ? std::u16string(u"/") : std::u16string(parts.path);
  if (!parts.path.empty()) objectName += parts.extraInfo;
  state_.scheme = parts.scheme;
  std::uint32_t flags = parts.scheme == http::kSchemeHttps ? http::kRequestSecure : 0;
  state_.requestHandle = http::HttpOpenRequest(state_.connectionHandle, View(verb), objectName, flags);
  return state_.requestHandle != 0;
}

bool HttpSession::Send(const Bytes& body, bool ignoreEmptyCookies) {
  return SendBody(body.data(), body.size(), ignoreEmptyCookies);
}

bool HttpSession::SendText(const Text& body, bool ignoreEmptyCookies) {
  return SendBody(body.data(), body.size(), ignoreEmptyCookies);
}

// Send's steps; SendText uses them on the text's bytes without copying them first.
bool HttpSession::SendBody(const void* body, std::size_t length, bool ignoreEmptyCookies) {
  if (state_.requestHandle == 0) return false;
  ApplyRequestOptions();
  if (state_.defaultHeadersEnabled == 1) AddDefaultHeaders(length > 0);
  if (!http::HttpSendRequest(state_.requestHandle, body, length)) return false;
  if (!http::HttpReceiveResponse(state_.requestHandle)) return false;
  ReadResponseHeaders(ignoreEmptyCookies);
  FollowRedirect(ignoreEmptyCookies);
  return true;
}

bool HttpSession::AddHeaderText(const Text& headers, std::uint32_t modifiers) {
  WideText wide = TextToWide(headers);
  return http::HttpAddRequestHeaders(state_.requestHandle, View(wide), modifiers);
}

bool HttpSession::SetRequestFlags(std::uint32_t option, std::uint32_t value) {
  return http::HttpSetOption(state_.requestHandle, option, &value, sizeof value);
}

bool HttpSession::SetRequestText(std::uint32_t option, const Text& text) {
  WideText wide = TextToWide(text);
  return http::HttpSetOption(state_.requestHandle, option, wide.c_str(), static_cast<std::size_t>(wide.length));
}

std::optional<Text> HttpSession::QueryHeaderText(std::uint32_t level) const {
  std::size_t byteLength = 0;
  http::HttpQueryHeaders(state_.requestHandle, level, nullptr, byteLength);
  if (byteLength < 1) return std::nullopt;
  std::u16string buffer((byteLength + 1) / 2, u'\0');
  if (!http::HttpQueryHeaders(state_.requestHandle, level, buffer.data(), byteLength)) return std::nullopt;
  return WideToText(std::u16string_view(buffer));
}

}  // namespace vantorel

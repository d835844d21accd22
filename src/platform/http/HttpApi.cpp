// The handle-based functions: each finds the object behind its handle and
// converts between UTF-16 and the bytes that go on the wire.
#include "platform/http/HttpApi.h"

#include <cstring>
#include <mutex>

#include "platform/codepage/CodePage.h"
#include "platform/http/HttpRequest.h"

namespace vantorel::http {

namespace {

struct SessionObject : HandleObject {
  std::shared_ptr<SessionState> state = std::make_shared<SessionState>();
};

struct ConnectionObject : HandleObject {
  explicit ConnectionObject(ConnectionTarget t) : target(std::move(t)) {}
  ConnectionTarget target;
};

std::string ToWireBytes(std::u16string_view text) { return WideToMultiByte(kCodePage936, text); }

void InitialiseLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The first entry of a proxy list ("host:port", "http=host:port;..."), as host:port.
std::string FirstProxy(std::u16string_view list) {
  std::string text = ToWireBytes(list);
  std::size_t start = text.find_first_not_of("; ");
  if (start == std::string::npos) return {};
  std::string entry = text.substr(start, text.find_first_of("; ", start) - start);
  if (std::size_t equals = entry.find('='); equals != std::string::npos) entry.erase(0, equals + 1);
  if (std::size_t schemeEnd = entry.find("://"); schemeEnd != std::string::npos) entry.erase(0, schemeEnd + 3);
  return entry;
}

// The path and query in UTF-8, with bytes that may not stand in a request line escaped.
std::string EscapeTarget(std::u16string_view objectName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string utf8 = WideToMultiByte(kCodePageUtf8, objectName);
  std::string target;
  if (utf8.empty() || utf8.front() != '/') target = "/";
  for (unsigned char byte : utf8) {
    if (byte <= 0x20 || byte >= 0x7F) {
      target += '%';
      target += kHex[byte >> 4];
      target += kHex[byte & 0x0F];
    } else {
      target += static_cast<char>(byte);
    }
  }
  return target;
}

std::optional<std::uint32_t> Read32(const void* value, std::size_t size) {
  if (value == nullptr || size != sizeof(std::uint32_t)) return std::nullopt;
  std::uint32_t result = 0;
  std::memcpy(&result, value, sizeof result);
  return result;
}

long CurlAuthFor(std::uint32_t scheme) {
  switch (scheme) {
    case kAuthSchemeBasic: return CURLAUTH_BASIC;
    case kAuthSchemeNtlm: return CURLAUTH_NTLM;
    case kAuthSchemeDigest: return CURLAUTH_DIGEST;
    case kAuthSchemeNegotiate: return CURLAUTH_NEGOTIATE;
    default: return 0;
  }
}

bool SetProxyOption(HttpHandle handle, const void* value, std::size_t size) {
  auto* session = FindHandle<SessionObject>(handle);
  if (session == nullptr || value == nullptr || size < sizeof(ProxyInfo)) return false;
  const auto& info = *static_cast<const ProxyInfo*>(value);
  if (info.accessType == kAccessNoProxy) {
    session->state->proxy.clear();
    return true;
  }
  if (info.accessType != kAccessNamedProxy || info.proxy == nullptr) return false;
  std::string proxy = FirstProxy(info.proxy);
  if (proxy.empty()) return false;
  session->state->proxy = proxy;
  return true;
}

bool SetRequestOption(HttpRequest& request, std::uint32_t option, const void* value, std::size_t size) {
  switch (option) {
    case kOptionDisableFeature: {
      std::optional<std::uint32_t> features = Read32(value, size);
      if (!features || (*features & ~(kDisableCookies | kDisableRedirects)) != 0) return false;
      request.disabledFeatures |= *features;
      return true;
    }
    case kOptionSecurityFlags: {
      std::optional<std::uint32_t> flags = Read32(value, size);
      if (!flags) return false;
      request.securityFlags = *flags;
      return true;
    }
    case kOptionProxyUserName:
    case kOptionProxyPassword: {
      if (value == nullptr && size > 0) return false;
      std::string text = ToWireBytes(std::u16string_view(static_cast<const char16_t*>(value), size));
      Credentials& credentials = request.proxyCredentials;
      (option == kOptionProxyUserName ? credentials.userName : credentials.password) = text;
      if (credentials.curlAuth == 0) credentials.curlAuth = CURLAUTH_BASIC;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

HttpHandle HttpOpenSession(std::u16string_view userAgent, std::uint32_t accessType, std::u16string_view proxy) {
  InitialiseLibraryOnce();
  auto session = std::make_unique<SessionObject>();
  if (!session->state->share) return 0;
  session->state->userAgent = ToWireBytes(userAgent);
  if (accessType == kAccessNamedProxy) {
    session->state->proxy = FirstProxy(proxy);
  } else if (accessType != kAccessNoProxy) {
    return 0;
  }
  return RegisterHandle(std::move(session));
}

HttpHandle HttpConnect(HttpHandle session, std::u16string_view host, std::uint16_t port) {
  auto* owner = FindHandle<SessionObject>(session);
  if (owner == nullptr || host.empty() || port == 0) return 0;
  return RegisterHandle(std::make_unique<ConnectionObject>(ConnectionTarget{owner->state, ToWireBytes(host), port}));
}

HttpHandle HttpOpenRequest(HttpHandle connection, std::u16string_view verb, std::u16string_view objectName,
                           std::uint32_t flags) {
  auto* owner = FindHandle<ConnectionObject>(connection);
  if (owner == nullptr) return 0;
  std::string method = verb.empty() ? std::string("GET") : ToWireBytes(verb);
  bool secure = (flags & kRequestSecure) != 0;
  return RegisterHandle(std::make_unique<HttpRequest>(owner->target, method, EscapeTarget(objectName), secure));
}

bool HttpAddRequestHeaders(HttpHandle request, std::u16string_view headers, std::uint32_t modifiers) {
  auto* owner = FindHandle<HttpRequest>(request);
  return owner != nullptr && owner->headers().Apply(ToWireBytes(headers), modifiers);
}

bool HttpSetOption(HttpHandle handle, std::uint32_t option, const void* value, std::size_t size) {
  if (option == kOptionProxy) return SetProxyOption(handle, value, size);
  auto* request = FindHandle<HttpRequest>(handle);
  return request != nullptr && SetRequestOption(*request, option, value, size);
}

bool HttpSetTimeouts(HttpHandle session, int resolve, int connect, int send, int receive) {
  auto* owner = FindHandle<SessionObject>(session);
  if (owner == nullptr) return false;
  owner->state->timeouts = Timeouts{resolve, connect, send, receive};
  return true;
}

bool HttpSetCredentials(HttpHandle request, std::uint32_t target, std::uint32_t scheme,
                        std::u16string_view userName, std::u16string_view password) {
  auto* owner = FindHandle<HttpRequest>(request);
  long curlAuth = CurlAuthFor(scheme);
  if (owner == nullptr || curlAuth == 0) return false;
  Credentials credentials{ToWireBytes(userName), ToWireBytes(password), curlAuth};
  if (target == kAuthTargetServer) {
    owner->serverCredentials = credentials;
  } else if (target == kAuthTargetProxy) {
    owner->proxyCredentials = credentials;
  } else {
    return false;
  }
  return true;
}

bool HttpSendRequest(HttpHandle request, const void* body, std::size_t length) {
  auto* owner = FindHandle<HttpRequest>(request);
  return owner != nullptr && owner->Send(body, length);
}

bool HttpReceiveResponse(HttpHandle request) {
  auto* owner = FindHandle<HttpRequest>(request);
  return owner != nullptr && owner->HasResponse();
}

bool HttpQueryHeaders(HttpHandle request, std::uint32_t level, char16_t* buffer, std::size_t& byteLength) {
  auto* owner = FindHandle<HttpRequest>(request);
  std::string text;
  if (owner == nullptr || !owner->QueryText(level, text)) {
    byteLength = 0;
    return false;
  }
  std::u16string wide = MultiByteToWide(kCodePage936, text);
  std::size_t needed = (wide.size() + 1) * sizeof(char16_t);
  if (buffer == nullptr || byteLength < needed) {
    byteLength = needed;
    return false;
  }
  std::memcpy(buffer, wide.c_str(), needed);
  byteLength = needed - sizeof(char16_t);
  return true;
}

bool HttpQueryDataAvailable(HttpHandle request, std::size_t& available) {
  available = 0;
  auto* owner = FindHandle<HttpRequest>(request);
  return owner != nullptr && owner->WaitForBody(available);
}

bool HttpReadData(HttpHandle request, void* buffer, std::size_t size, std::size_t& read) {
  read = 0;
  auto* owner = FindHandle<HttpRequest>(request);
  return owner != nullptr && buffer != nullptr && owner->ReadBody(buffer, size, read);
}

bool HttpCloseHandle(HttpHandle handle) { return CloseHandleObject(handle); }

}  // namespace vantorel::http

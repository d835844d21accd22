#pragma once
// A synchronous HTTP(S) client interface with integer handles: a session
// (user agent, proxy, time-outs, shared connections and cookies), a
// connection (host and port) and a request (one exchange). Strings are
// UTF-16; header bytes on the wire are code page 936. Every call reports
// failure by its result only.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantorel::http {

using HttpHandle = std::int64_t;  // 0 is never a valid handle

enum AccessType : std::uint32_t { kAccessNoProxy = 1, kAccessNamedProxy = 3 };
enum UrlScheme : int { kSchemeHttp = 1, kSchemeHttps = 2 };

constexpr std::uint32_t kRequestSecure = 0x00800000;  // HttpOpenRequest flag: use TLS

// HttpAddRequestHeaders modifiers.
constexpr std::uint32_t kAddIfNew = 0x10000000;  // only where no header of the name exists
constexpr std::uint32_t kAdd = 0x20000000;
constexpr std::uint32_t kReplace = 0x80000000;  // alone with an empty value: remove
constexpr std::uint32_t kAddOrReplace = kAdd | kReplace;

// HttpSetOption options.
enum Option : std::uint32_t {
  kOptionSecurityFlags = 31,    // request, 32-bit flags below
  kOptionProxy = 38,            // session, a ProxyInfo
  kOptionDisableFeature = 63,   // request, 32-bit feature bits below
  kOptionProxyUserName = 0x1002,  // request, UTF-16 text, size in characters
  kOptionProxyPassword = 0x1003,
};
constexpr std::uint32_t kDisableCookies = 1;
constexpr std::uint32_t kDisableRedirects = 2;
constexpr std::uint32_t kIgnoreUnknownCa = 0x100;
constexpr std::uint32_t kIgnoreWrongUsage = 0x200;
constexpr std::uint32_t kIgnoreCommonNameInvalid = 0x1000;
constexpr std::uint32_t kIgnoreDateInvalid = 0x2000;

struct ProxyInfo {
  std::uint32_t accessType = kAccessNoProxy;
  const char16_t* proxy = nullptr;   // "host:port"; may be null for no proxy
  const char16_t* bypass = nullptr;  // not supported: must be null or empty
};

// HttpQueryHeaders levels.
enum QueryLevel : std::uint32_t {
  kQueryStatusCode = 19,
  kQueryStatusText = 20,
  kQueryRawHeadersCrlf = 22,
};

enum AuthTarget : std::uint32_t { kAuthTargetServer = 0, kAuthTargetProxy = 1 };
enum AuthScheme : std::uint32_t {
  kAuthSchemeBasic = 1,
  kAuthSchemeNtlm = 2,
  kAuthSchemeDigest = 8,
  kAuthSchemeNegotiate = 0x10,
};

// The parts of a URL as views into it.
struct UrlComponents {
  int scheme = 0;  // kSchemeHttp or kSchemeHttps
  std::u16string_view host;
  std::uint16_t port = 0;  // the scheme's default when the URL names none
  std::u16string_view path;       // from the first "/" up to "?" or "#"; may be empty
  std::u16string_view extraInfo;  // "?query" and/or "#fragment"; may be empty
};

HttpHandle HttpOpenSession(std::u16string_view userAgent, std::uint32_t accessType,
                           std::u16string_view proxy = {});
bool HttpCrackUrl(std::u16string_view url, UrlComponents& components);
HttpHandle HttpConnect(HttpHandle session, std::u16string_view host, std::uint16_t port);
HttpHandle HttpOpenRequest(HttpHandle connection, std::u16string_view verb,
                           std::u16string_view objectName, std::uint32_t flags);
// Several header lines may be given, joined by CR LF.
bool HttpAddRequestHeaders(HttpHandle request, std::u16string_view headers,
                           std::uint32_t modifiers);
// Text options take the UTF-16 text and its length in characters as size;
// 32-bit options take the value and size 4.
bool HttpSetOption(HttpHandle handle, std::uint32_t option, const void* value, std::size_t size);
// Milliseconds; 0 or less means no limit.
bool HttpSetTimeouts(HttpHandle session, int resolve, int connect, int send, int receive);
bool HttpSetCredentials(HttpHandle request, std::uint32_t target, std::uint32_t scheme,
                        std::u16string_view userName, std::u16string_view password);
// Sends the request and waits for the response headers, following
// redirects unless disabled. The body is copied.
bool HttpSendRequest(HttpHandle request, const void* body, std::size_t length);
bool HttpReceiveResponse(HttpHandle request);
// With too small a buffer (or none) the call fails and sets byteLength to the
// bytes needed, the UTF-16 NUL included; on success byteLength is the bytes
// written without the NUL.
bool HttpQueryHeaders(HttpHandle request, std::uint32_t level, char16_t* buffer,
                      std::size_t& byteLength);
// Waits for body bytes; available is 0 at the end of the body.
bool HttpQueryDataAvailable(HttpHandle request, std::size_t& available);
bool HttpReadData(HttpHandle request, void* buffer, std::size_t size, std::size_t& read);
bool HttpCloseHandle(HttpHandle handle);

}  // namespace vantorel::http

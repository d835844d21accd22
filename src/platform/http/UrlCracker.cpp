// HttpCrackUrl: splits an absolute http or https URL into views of its parts.
#include <algorithm>

#include "platform/http/HttpApi.h"

namespace vantorel::http {

namespace {

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsAllowedHostCharacter(char16_t c) {
  if (c <= 0x20 || c == 0x7F) return false;
  return std::u16string_view(u"<>\"\\^`{|}/?#@").find(c) == std::u16string_view::npos;
}

bool ParsePort(std::u16string_view digits, std::uint16_t& port) {
  if (digits.empty() || digits.size() > 5) return false;
  unsigned value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  if (value == 0 || value > 65535) return false;
  port = static_cast<std::uint16_t>(value);
  return true;
}

// host, [v6 address] or either with ":port"; user information already removed.
bool SplitHostAndPort(std::u16string_view hostPort, UrlComponents& components) {
  std::u16string_view host = hostPort;
  std::u16string_view portText;
  bool hasPort = false;
  if (!hostPort.empty() && hostPort.front() == u'[') {
    std::size_t close = hostPort.find(u']');
    if (close == std::u16string_view::npos) return false;
    host = hostPort.substr(1, close - 1);
    std::u16string_view rest = hostPort.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != u':') return false;
      hasPort = true;
      portText = rest.substr(1);
    }
  } else if (std::size_t colon = hostPort.find(u':'); colon != std::u16string_view::npos) {
    host = hostPort.substr(0, colon);
    hasPort = true;
    portText = hostPort.substr(colon + 1);
  }
  if (host.empty() || !std::all_of(host.begin(), host.end(), IsAllowedHostCharacter)) return false;
  if (hasPort && !ParsePort(portText, components.port)) return false;
  components.host = host;
  return true;
}

}  // namespace

bool HttpCrackUrl(std::u16string_view url, UrlComponents& components) {
  UrlComponents cracked;
  std::size_t schemeEnd = url.find(u"://");
  if (schemeEnd == std::u16string_view::npos) return false;
  std::u16string_view scheme = url.substr(0, schemeEnd);
  if (EqualsIgnoreAsciiCase(scheme, u"http")) {
    cracked.scheme = kSchemeHttp;
    cracked.port = 80;
  } else if (EqualsIgnoreAsciiCase(scheme, u"https")) {
    cracked.scheme = kSchemeHttps;
    cracked.port = 443;
  } else {
    return false;
  }

  std::u16string_view rest = url.substr(schemeEnd + 3);
  std::size_t authorityEnd = std::min(rest.find_first_of(u"/?#"), rest.size());
  std::u16string_view authority = rest.substr(0, authorityEnd);
  if (std::size_t at = authority.rfind(u'@'); at != std::u16string_view::npos) authority = authority.substr(at + 1);
  if (!SplitHostAndPort(authority, cracked)) return false;

  std::u16string_view pathAndExtra = rest.substr(authorityEnd);
  std::size_t extraStart = std::min(pathAndExtra.find_first_of(u"?#"), pathAndExtra.size());
  cracked.path = pathAndExtra.substr(0, extraStart);
  cracked.extraInfo = pathAndExtra.substr(extraStart);
  components = cracked;
  return true;
}

}  // namespace vantorel::http

#include "platform/cookies/SystemCookieStore.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <vector>

#include "base/TextOps.h"

namespace vantorel {

namespace {

// Host (lower case) and path of a URL, the two things a cookie is scoped by.
struct UrlScope {
  Text host;
  Text path;
};

struct StoredCookie {
  Text host;
  Text path;
  Text name;
  Text value;
};

// Position of the first of `bytes` at or after `start`, or the text's end + 1.
int FindFirstOf(const Text& text, std::initializer_list<const char*> bytes, int start) {
  int first = static_cast<int>(text.size()) + 1;
  for (const char* sought : bytes) {
    const int at = Find(text, sought, start);
    if (at != -1) first = std::min(first, at);
  }
  return first;
}

Text HostOfAuthority(const Text& authority) {
  const int at = FindLast(authority, "@");
  const Text hostAndPort = at == -1 ? authority : Mid(authority, at + 1, static_cast<int>(authority.size()));
  if (Left(hostAndPort, 1) == "[") {
    const int closing = Find(hostAndPort, "]");
    return closing == -1 ? Text() : Left(hostAndPort, closing);
  }
  const int colon = Find(hostAndPort, ":");
  return colon == -1 ? hostAndPort : Left(hostAndPort, colon - 1);
}

std::optional<UrlScope> ScopeOf(const Text& url) {
  const int schemeEnd = Find(url, "://");
  if (schemeEnd < 2) return std::nullopt;
  const int authorityStart = schemeEnd + 3;
  const int authorityEnd = FindFirstOf(url, {"/", "?", "#"}, authorityStart);
  Text host = AsciiLower(HostOfAuthority(Mid(url, authorityStart, authorityEnd - authorityStart)));
  if (host.empty()) return std::nullopt;
  Text path = "/";
  if (Mid(url, authorityEnd, 1) == "/") {
    const int pathEnd = FindFirstOf(url, {"?", "#"}, authorityEnd);
    path = Mid(url, authorityEnd, pathEnd - authorityEnd);
  }
  return UrlScope{std::move(host), std::move(path)};
}

// The directory of a request path, which a cookie without a path attribute gets.
Text DirectoryOf(const Text& path) {
  const int lastSlash = FindLast(path, "/");
  return lastSlash <= 1 ? Text("/") : Left(path, lastSlash - 1);
}

// "/a" covers "/a", "/a/" and "/a/b" but not "/ab".
bool PathCovers(const Text& cookiePath, const Text& requestPath) {
  if (requestPath.rfind(cookiePath, 0) != 0) return false;
  return requestPath.size() == cookiePath.size() || cookiePath.back() == '/' ||
         requestPath[cookiePath.size()] == '/';
}

// Control bytes would break the Cookie header line the text ends up in.
bool IsStorable(const Text& text) {
  return std::none_of(text.begin(), text.end(), [](char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return (value < 0x20 && value != '\t') || value == 0x7F;
  });
}

class CookieStore {
 public:
  void Set(UrlScope scope, const Text& name, const Text& value) {
    Text path = DirectoryOf(scope.path);
    std::lock_guard lock(mutex_);
    const auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const StoredCookie& cookie) {
      return cookie.name == name && cookie.host == scope.host && cookie.path == path;
    });
    if (same != cookies_.end()) {
      same->value = value;
    } else {
      cookies_.push_back({std::move(scope.host), std::move(path), name, value});
    }
  }

  Text CookieText(const UrlScope& scope) const {
    std::vector<const StoredCookie*> matching;
    std::lock_guard lock(mutex_);
    for (const StoredCookie& cookie : cookies_) {
      if (cookie.host == scope.host && PathCovers(cookie.path, scope.path)) matching.push_back(&cookie);
    }
    // Browsers send the more specific paths first, older cookies first among equals.
    std::stable_sort(matching.begin(), matching.end(), [](const StoredCookie* a, const StoredCookie* b) {
      return a->path.size() > b->path.size();
    });
    Text text;
    for (const StoredCookie* cookie : matching) {
      if (!text.empty()) text += "; ";
      text += cookie->name + "=" + cookie->value;
    }
    return text;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<StoredCookie> cookies_;  // oldest first; a replaced value keeps its place
};

CookieStore& ProcessCookieStore() {
  static CookieStore store;
  return store;
}

}  // namespace

bool SetSystemCookie(const Text& url, const Text& name, const Text& value) {
  std::optional<UrlScope> scope = ScopeOf(url);
  if (!scope || !IsStorable(name) || !IsStorable(value)) return false;
  ProcessCookieStore().Set(std::move(*scope), name, value);
  return true;
}

std::size_t GetSystemCookies(const Text& url, std::span<char> buffer) {
  const std::optional<UrlScope> scope = ScopeOf(url);
  if (!scope) return 0;
  const Text text = ProcessCookieStore().CookieText(*scope);
  if (text.empty()) return 0;
  const std::size_t needed = text.size() + 1;
  if (buffer.size() >= needed) {
    std::copy(text.begin(), text.end(), buffer.begin());
    buffer[text.size()] = '\0';
  } else if (!buffer.empty()) {
    // Cookies may have been added since the size was asked for; an empty
    // text is safer for the caller than a buffer without its NUL.
    buffer[0] = '\0';
  }
  return needed;
}

}  // namespace vantorel

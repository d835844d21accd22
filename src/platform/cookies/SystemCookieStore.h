#pragma once
// The per-process cookie store that cookie mode 2 uses. Cookies are session
// cookies without attributes: scoped to the URL's host (compared ignoring
// case) and to the directory of the URL's path, sent to every URL of that
// host whose path lies under that directory. Safe to use from any thread.
#include <cstddef>
#include <span>

#include "base/Text.h"

namespace vantorel {

// Stores `name`=`value` for the URL's scope, replacing a cookie of the same
// name, host and path. An empty value is kept and sent as "name=".
// False, storing nothing, when the URL has no "scheme://host" or the name or
// value holds control bytes (tabs aside) that would break the Cookie header.
bool SetSystemCookie(const Text& url, const Text& name, const Text& value);

// The cookie text for a URL, ‹name=value; name=value›, longer paths first.
// Returns the bytes it needs including the ending NUL, 0 when no cookie
// applies. Writes the NUL-ended text only when `buffer` holds that many bytes,
// so a first call with an empty buffer just reports the size; a buffer that
// is too small (cookies added in between) gets an empty text.
std::size_t GetSystemCookies(const Text& url, std::span<char> buffer);

}  // namespace vantorel

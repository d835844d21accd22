#pragma once
// What the session hands to the system cookie store: name and value pairs
// taken from a response's Set-Cookie entries or from a caller's cookie list.
#include <vector>

#include "base/Text.h"

namespace vantorel {

struct CookieAssignment {
  Text name;
  Text value;
  bool operator==(const CookieAssignment&) const = default;
};

// The cookies a response sets, in header order. A deleted cookie is stored
// with an empty value; with ignoreEmptyCookies other blank values are skipped.
std::vector<CookieAssignment> ResponseCookiesForStore(const Text& headers, bool ignoreEmptyCookies);

// The ‹name=value› pieces of a cookie list; the value is everything after the
// first "=", trailing blanks included. Pieces without "=" are skipped.
std::vector<CookieAssignment> CookieListAssignments(const Text& list);

}  // namespace vantorel

#pragma once
// The session's own cookie jar: "; " followed by entries "name=value; ".
// The empty jar is "; ". Names are case-sensitive; attributes are never kept.
//
// Operations that change the jar take the jar and its recorded length
// together and set the length to the jar's new byte length whenever they
// change it. Readers use the text's own size.
#include <cstdint>

#include "base/Text.h"

namespace vantorel {

inline constexpr char kEmptyCookieJar[] = "; ";

// Merges the Set-Cookie pairs of a raw header block: new names are appended
// in response order, known names are replaced in place, "=deleted" removes.
// With ignoreEmptyCookies a blank value leaves a known entry unchanged.
void MergeResponseCookiesIntoJar(Text& jar, std::int32_t& jarLength, const Text& headers,
                                 bool ignoreEmptyCookies);

// The jar without its leading and final "; ": ‹a=1; b=2›, "" when empty.
Text JarCookies(const Text& jar);

// The request header line for the jar: "Cookie:" + JarCookies(jar).
Text JarCookieHeader(const Text& jar);

// Replaces the whole jar with a cookie list (‹a=1› becomes ‹; a=1; ›) and
// returns the given text.
Text ReplaceJarCookies(Text& jar, std::int32_t& jarLength, const Text& text);

// One cookie's value, or ‹name=value› with withName; "" when missing.
Text JarCookie(const Text& jar, const Text& name, bool withName = false);

// Merges a cookie list (‹a=5; c=3›) into the jar. True when it changed.
bool MergeJarCookies(Text& jar, std::int32_t& jarLength, const Text& text);

// Removes the named cookies (‹a; b=ignored›). True when it changed.
bool RemoveJarCookies(Text& jar, std::int32_t& jarLength, const Text& names);

}  // namespace vantorel

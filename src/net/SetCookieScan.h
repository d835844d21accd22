#pragma once
// Reads the "Set-Cookie:" entries out of a raw response header block.
#include <vector>

#include "base/Text.h"

namespace vantorel {

// The first "Set-Cookie:" is always found ignoring case; this says how the
// later ones are searched. The collectors that fill a jar or the system store
// use ExactCase, the read-only lookup uses IgnoreCase.
enum class LaterSetCookies { ExactCase, IgnoreCase };

// Each pair in header order: the text after "Set-Cookie:" up to and including
// the next ";", leading blanks removed (‹Set-Cookie: sid=abc; path=/› gives
// ‹sid=abc;›). The ";" may lie on a later line; an entry with no ";" after
// it ends the scan.
std::vector<Text> ScanSetCookiePairs(const Text& headers, LaterSetCookies later);

}  // namespace vantorel

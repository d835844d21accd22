#pragma once
// Read-only lookups in a raw response header block (status line and header
// lines, each ended by CR LF). Every miss yields "".
#include "base/Text.h"

namespace vantorel {

// The value of the first header line named `name` (any case), leading blanks
// removed, trailing ones kept. The name must begin a line.
Text ResponseHeaderValue(const Text& headers, const Text& name);

// Every cookie the response sets, deleted ones left out: ‹a=1; b=2›.
Text ResponseCookiesText(const Text& headers);

// The value of the first Set-Cookie entry for `name` (any case), returned
// unchanged, "deleted" included.
Text ResponseCookieValue(const Text& headers, const Text& name);

}  // namespace vantorel

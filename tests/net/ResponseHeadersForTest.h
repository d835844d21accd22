#pragma once
// Builds raw response header blocks the way the session keeps them.
#include <string>
#include <vector>

#include "base/Text.h"

namespace vantorel::test {

// A status line and the given header lines, each ended by CR LF, plus the
// empty line that ends the block.
inline Text ResponseHeaders(const std::vector<Text>& lines, const Text& status = "HTTP/1.1 200 OK") {
  Text headers = status + "\r\n";
  for (const Text& line : lines) headers += line + "\r\n";
  return headers + "\r\n";
}

// `count` Set-Cookie lines for the cookies c0 .. c<count-1>, each with `value`.
inline Text ManySetCookieLines(int count, const Text& value) {
  std::vector<Text> lines;
  for (int i = 0; i < count; ++i) lines.push_back("Set-Cookie: c" + std::to_string(i) + "=" + value + "; path=/");
  return ResponseHeaders(lines);
}

}  // namespace vantorel::test

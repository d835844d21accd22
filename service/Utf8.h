#pragma once
// UTF-8 checks and conversions for request bodies.
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::service {

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

// Request bodies arrive in UTF-8, but a client that sends its text in the
// Chinese ANSI code page (GBK/GB18030) is understood too. Nothing when the
// bytes are neither.
std::optional<std::string> BodyToUtf8(std::string_view body);

}  // namespace vantorel::service

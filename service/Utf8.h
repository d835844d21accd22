#pragma once
// Request bodies as UTF-8.
#include <optional>
#include <string>
#include <string_view>

#include "base/Utf8.h"

namespace vantorel::service {

// Request bodies arrive in UTF-8, but a client that sends its text in the
// Chinese ANSI code page (GBK/GB18030) is understood too. Nothing when the
// bytes are neither.
std::optional<std::string> BodyToUtf8(std::string_view body);

}  // namespace vantorel::service

#pragma once
// Strict Base64 (RFC 4648, section 4): the standard alphabet, padding to a
// multiple of four characters, no white space, and zero bits after the data.
#include <optional>
#include <string_view>

#include "base/Text.h"

namespace vantorel::service {

// Nothing for any text that is not exactly such an encoding.
std::optional<Bytes> DecodeBase64(std::string_view text);

}  // namespace vantorel::service

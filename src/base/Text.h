#pragma once
// Text is a byte string in code page 936; Bytes is raw data. Absent and empty
// are the same for both.
#include <cstdint>
#include <string>
#include <vector>

namespace vantorel {

using Text = std::string;
using Bytes = std::vector<std::uint8_t>;

// Bytes of a Text without its terminator, and back.
Bytes ToBytes(const Text& text);
Text ToText(const Bytes& bytes);

}  // namespace vantorel

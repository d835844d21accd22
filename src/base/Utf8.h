#pragma once
// UTF-8 building blocks shared by the code-page layer and the local service.
#include <string>
#include <string_view>

namespace vantorel {

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace vantorel

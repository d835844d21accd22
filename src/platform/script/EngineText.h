#pragma once
// Texts cross into the engine as code page 936 -> UTF-16 -> the engine's own
// form and back. The engine keeps strings as extended UTF-8 over UTF-16 units
// (CESU-8: a character outside the BMP is two encoded surrogates), so every
// conversion goes unit by unit through UTF-16.
#include <string>
#include <string_view>

#include "base/Text.h"

namespace vantorel {

std::string TextToEngine(const Text& text);
// Malformed engine bytes become U+FFFD before the code-page conversion.
Text EngineToText(std::string_view engineBytes);

// The two halves, exposed for tests.
std::string WideToEngine(std::u16string_view wide);
std::u16string EngineToWide(std::string_view engineBytes);

}  // namespace vantorel

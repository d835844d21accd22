#pragma once
// Conversions between code page 936, UTF-8 and UTF-16 with the platform's
// usual handling of bad input: invalid bytes become U+FFFD, characters the
// target cannot hold become '?'. Nothing is ever truncated.
#include <string>
#include <string_view>

#include "base/Text.h"

namespace vantorel {

enum : int { kCodePage936 = 936, kCodePageUtf8 = 65001 };

// Converts every byte given (NULs included). An unknown code page gives "".
std::u16string MultiByteToWide(int codePage, std::string_view bytes);
std::string WideToMultiByte(int codePage, std::u16string_view wide);

// Program texts are written as UTF-8 in the sources and used as CP936 at run
// time; the toolkit takes UTF-8 again.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(const Text& text);

}  // namespace vantorel

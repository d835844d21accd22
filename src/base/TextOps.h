#pragma once
// The text operations shared across the code base. Positions are 1-based byte
// positions, -1 means "not found". A byte of 0x80 or more starts a two-byte
// character, and no match may begin on the second byte of one.
#include <concepts>
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace vantorel {

enum class Case { Sensitive, Ignore };  // Ignore folds the ASCII letters only.

int Find(const Text& text, const Text& sought, int start = 1, Case mode = Case::Sensitive);
int FindLast(const Text& text, const Text& sought, Case mode = Case::Sensitive);

Text Left(const Text& text, int n);
Text Right(const Text& text, int n);
Text Mid(const Text& text, int start, int n);

Text Replace(const Text& text, const Text& oldText, const Text& newText);
std::vector<Text> Split(const Text& text, const Text& delimiter);

// Blanks are the ASCII space and the full-width space (0xA1 0xA1).
Text TrimLeft(const Text& text);
Text TrimRight(const Text& text);
Text Trim(const Text& text);

Text AsciiLower(const Text& text);
Text AsciiUpper(const Text& text);
bool EqualsIgnoreCase(const Text& a, const Text& b);

// Full-width digits and signs count as ASCII ones; "87.53" gives 87.
// Out-of-range values saturate at the 32-bit limits.
int TextToInteger(const Text& text);
// Truncates toward zero; saturates at the 32-bit limits, NaN gives 0.
int TruncateToInteger(double value);

Text IntegerToText(std::int64_t value);
template <std::integral T>
Text NumberToText(T value) { return IntegerToText(static_cast<std::int64_t>(value)); }
// "%.13g" with at least three exponent digits: 1e20 gives "1e+020".
Text NumberToText(double value);

}  // namespace vantorel

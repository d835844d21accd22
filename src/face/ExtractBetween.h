#pragma once
#include <optional>

#include "base/Text.h"

namespace vantorel {

// The text between the first `left` (searched from `start`) and the first
// `right` after it; empty, or the whole text when asked, if either is missing.
Text ExtractBetween(const Text& text, const Text& left, const Text& right, std::optional<int> start = std::nullopt,
                    bool includeDelimiters = false, bool wholeTextWhenMissing = false,
                    bool caseInsensitive = false);

}  // namespace vantorel

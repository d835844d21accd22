#pragma once
// Cutting a text at markers; RemoveMemberElement takes a path apart with these.
#include "base/Text.h"
#include "base/TextOps.h"

namespace vantorel {

enum class MarkerEdge { Exclude, Include };
enum class WhenMissing { Empty, Whole };

// The text before the first marker. A marker that is missing, or that opens
// the text, gives the empty text or the whole text as `whenMissing` says; an
// empty marker gives the whole text.
Text TextBefore(const Text& text, const Text& marker, MarkerEdge edge = MarkerEdge::Exclude,
                WhenMissing whenMissing = WhenMissing::Empty, Case mode = Case::Sensitive);

// The text between the first left marker at or after `start` (1-based; below 1
// means the first byte) and the next right marker; empty when either is
// missing. "#引号" in a marker stands for a double quote.
Text TextBetween(const Text& text, const Text& left, const Text& right, int start = 0,
                 Case mode = Case::Sensitive);

}  // namespace vantorel

#include "json/TextMarkers.h"

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

Text WithQuotes(const Text& marker) {
  static const Text quoteMarker = FromUtf8("#引号");
  return Replace(marker, quoteMarker, "\"");
}

}  // namespace

Text TextBefore(const Text& text, const Text& marker, MarkerEdge edge, WhenMissing whenMissing,
                Case mode) {
  if (marker.empty()) return text;
  const int at = Find(text, marker, 1, mode);
  if (at <= 1) return whenMissing == WhenMissing::Whole ? text : Text{};
  const int markerBytes = edge == MarkerEdge::Include ? static_cast<int>(marker.size()) : 0;
  return Left(text, at - 1 + markerBytes);
}

Text TextBetween(const Text& text, const Text& left, const Text& right, int start, Case mode) {
  const Text leftMarker = WithQuotes(left);
  const Text rightMarker = WithQuotes(right);
  const int leftAt = Find(text, leftMarker, start, mode);
  if (leftAt < 1) return {};
  const int contentStart = leftAt + static_cast<int>(leftMarker.size());
  const int rightAt = Find(text, rightMarker, contentStart, mode);
  if (rightAt < 1) return {};
  return Mid(text, contentStart, rightAt - contentStart);
}

}  // namespace vantorel

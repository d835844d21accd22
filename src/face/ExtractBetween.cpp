#include "face/ExtractBetween.h"

#include "base/TextOps.h"

namespace vantorel {

Text ExtractBetween(const Text& text, const Text& left, const Text& right, std::optional<int> start,
                    bool includeDelimiters, bool wholeTextWhenMissing, bool caseInsensitive) {
  const Case mode = caseInsensitive ? Case::Ignore : Case::Sensitive;
  const Text missing = wholeTextWhenMissing ? text : Text();
  const int leftPos = Find(text, left, start.value_or(1), mode);
  if (leftPos < 1) return missing;
  const int afterLeft = leftPos + static_cast<int>(left.size());
  const int rightPos = Find(text, right, afterLeft, mode);
  if (rightPos <= leftPos) return missing;
  if (includeDelimiters) return Mid(text, leftPos, rightPos + static_cast<int>(right.size()) - leftPos);
  return Mid(text, afterLeft, rightPos - afterLeft);
}

}  // namespace vantorel

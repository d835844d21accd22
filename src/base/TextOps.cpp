#include "base/TextOps.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vantorel {
namespace {

constexpr unsigned char kFullWidthSpaceByte = 0xA1;

bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// Bytes the character starting at `pos` takes (a lone lead byte at the end takes one).
std::size_t CharWidth(const Text& text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesAt(const Text& text, std::size_t pos, const Text& sought, Case mode) {
  if (pos + sought.size() > text.size()) return false;
  if (mode == Case::Sensitive) return text.compare(pos, sought.size(), sought) == 0;
  for (std::size_t i = 0; i < sought.size(); ++i)
    if (FoldAscii(text[pos + i]) != FoldAscii(sought[i])) return false;
  return true;
}

// Whether a character starts at `pos`, looking only backwards: the bytes of
// 0x80 and more just before it pair up as lead and second byte, so an odd run
// of them means `pos` is a second byte.
bool IsCharacterStart(const Text& text, std::size_t pos) {
  std::size_t highBytes = 0;
  while (highBytes < pos && IsLeadByte(static_cast<unsigned char>(text[pos - highBytes - 1]))) ++highBytes;
  return highBytes % 2 == 0;
}

// The next position at or after `pos` where `sought` matches, or npos.
std::size_t NextCandidate(const Text& text, const Text& sought, std::size_t pos, Case mode) {
  if (mode == Case::Sensitive) return text.find(sought, pos);
  for (; pos + sought.size() <= text.size(); ++pos)
    if (MatchesAt(text, pos, sought, mode)) return pos;
  return Text::npos;
}

int ToPosition(std::size_t index) { return static_cast<int>(index) + 1; }

bool IsBlankAt(const Text& text, std::size_t pos) {
  if (text[pos] == ' ') return true;
  return static_cast<unsigned char>(text[pos]) == kFullWidthSpaceByte && pos + 1 < text.size() &&
         static_cast<unsigned char>(text[pos + 1]) == kFullWidthSpaceByte;
}

}  // namespace

int Find(const Text& text, const Text& sought, int start, Case mode) {
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > text.size()) return -1;
  if (sought.empty()) return 1;
  for (std::size_t pos = static_cast<std::size_t>(start) - 1; pos + sought.size() <= text.size(); ++pos) {
    pos = NextCandidate(text, sought, pos, mode);
    if (pos == Text::npos) return -1;
    if (IsCharacterStart(text, pos)) return ToPosition(pos);
  }
  return -1;
}

int FindLast(const Text& text, const Text& sought, Case mode) {
  if (text.empty()) return -1;
  if (sought.empty()) return 1;
  if (sought.size() > text.size()) return -1;
  std::size_t pos = text.size() - sought.size();
  for (;; --pos) {
    if (MatchesAt(text, pos, sought, mode) && IsCharacterStart(text, pos)) return ToPosition(pos);
    if (pos == 0) return -1;
  }
}

Text Left(const Text& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(n));
}

Text Right(const Text& text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
  return text.substr(text.size() - count);
}

Text Mid(const Text& text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return {};
  return text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n));
}

Text Replace(const Text& text, const Text& oldText, const Text& newText) {
  if (oldText.empty()) return text;
  Text result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (MatchesAt(text, pos, oldText, Case::Sensitive)) {
      result += newText;
      pos += oldText.size();
    } else {
      const std::size_t width = CharWidth(text, pos);
      result.append(text, pos, width);
      pos += width;
    }
  }
  return result;
}

std::vector<Text> Split(const Text& text, const Text& delimiter) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) return {text};
  std::size_t pieceStart = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (MatchesAt(text, pos, delimiter, Case::Sensitive)) {
      pieces.push_back(text.substr(pieceStart, pos - pieceStart));
      pos += delimiter.size();
      pieceStart = pos;
    } else {
      pos += CharWidth(text, pos);
    }
  }
  if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
  return pieces;
}

Text TrimLeft(const Text& text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlankAt(text, pos)) pos += text[pos] == ' ' ? 1 : 2;
  return text.substr(pos);
}

Text TrimRight(const Text& text) {
  // Walk whole characters so that a trailing 0xA1 0xA1 is only a blank when
  // it really is one character.
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidth(text, pos))
    if (!IsBlankAt(text, pos)) end = pos + CharWidth(text, pos);
  return text.substr(0, end);
}

Text Trim(const Text& text) { return TrimRight(TrimLeft(text)); }

Text AsciiLower(const Text& text) {
  Text result = text;
  for (char& c : result) c = FoldAscii(c);
  return result;
}

Text AsciiUpper(const Text& text) {
  Text result = text;
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

bool EqualsIgnoreCase(const Text& a, const Text& b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, Case::Ignore);
}

namespace {

// Full-width digits (0xA3 0xB0..0xB9) and signs (0xA3 0xAB, 0xA3 0xAD) as ASCII.
Text NarrowDigitsAndSigns(const Text& text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidth(text, pos)) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto trail = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
    if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9)
      result += static_cast<char>('0' + (trail - 0xB0));
    else if (lead == 0xA3 && trail == 0xAB)
      result += '+';
    else if (lead == 0xA3 && trail == 0xAD)
      result += '-';
    else
      result.append(text, pos, CharWidth(text, pos));
  }
  return result;
}

int Saturate(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace

int TextToInteger(const Text& text) {
  const Text ascii = NarrowDigitsAndSigns(text);
  std::size_t pos = 0;
  while (pos < ascii.size() && std::isspace(static_cast<unsigned char>(ascii[pos]))) ++pos;
  bool negative = false;
  if (pos < ascii.size() && (ascii[pos] == '+' || ascii[pos] == '-')) negative = ascii[pos++] == '-';
  std::int64_t magnitude = 0;
  constexpr std::int64_t kCap = std::int64_t{1} << 40;  // well past the 32-bit range
  for (; pos < ascii.size() && ascii[pos] >= '0' && ascii[pos] <= '9'; ++pos)
    magnitude = std::min(kCap, magnitude * 10 + (ascii[pos] - '0'));
  return Saturate(negative ? -magnitude : magnitude);
}

int TruncateToInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

Text IntegerToText(std::int64_t value) { return std::to_string(value); }

Text NumberToText(double value) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.13g", value);
  Text text(buffer, static_cast<std::size_t>(n));
  // The C library writes at least two exponent digits; this program's texts
  // carry at least three.
  const std::size_t e = text.find('e');
  if (e == Text::npos) return text;
  const std::size_t digits = e + 2;  // after 'e' and its sign
  const std::size_t count = text.size() - digits;
  if (count < 3) text.insert(digits, 3 - count, '0');
  return text;
}

}  // namespace vantorel

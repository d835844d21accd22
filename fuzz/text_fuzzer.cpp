// Feeds arbitrary bytes to the text operations and the code-page conversions
// and checks them against plain reference versions written the slow way.
#include <iconv.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/TextOps.h"
#include "platform/codepage/CodePage.h"
#include "platform/codepage/WideText.h"

using namespace vantorel;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Where each character starts, decided up front from the first byte.
std::vector<bool> CharacterStarts(const Text& text) {
  std::vector<bool> starts(text.size(), false);
  for (std::size_t i = 0; i < text.size(); i += (static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1))
    starts[i] = true;
  return starts;
}

int ReferenceFind(const Text& text, const Text& sought, int start, bool ignoreCase) {
  if (start < 1) start = 1;
  if (start > static_cast<int>(text.size())) return -1;
  if (sought.empty()) return 1;
  const auto starts = CharacterStarts(text);
  const Text hay = ignoreCase ? AsciiLower(text) : text;
  const Text needle = ignoreCase ? AsciiLower(sought) : sought;
  for (std::size_t p = static_cast<std::size_t>(start) - 1; p + needle.size() <= hay.size(); ++p)
    if (starts[p] && hay.substr(p, needle.size()) == needle) return static_cast<int>(p) + 1;
  return -1;
}

// Replacing is finding again and again, each search starting after the
// previous match.
Text ReferenceReplace(const Text& text, const Text& oldText, const Text& newText) {
  if (oldText.empty()) return text;
  Text out;
  int from = 1;
  for (int p; from <= static_cast<int>(text.size()) && (p = ReferenceFind(text, oldText, from, false)) > 0;) {
    out += text.substr(static_cast<std::size_t>(from) - 1, static_cast<std::size_t>(p - from)) + newText;
    from = p + static_cast<int>(oldText.size());
  }
  if (from <= static_cast<int>(text.size())) out += text.substr(static_cast<std::size_t>(from) - 1);
  return out;
}

// True when the text ends on a character boundary (no lone lead byte).
bool WholeCharacters(const Text& text) {
  std::size_t i = 0;
  while (i < text.size()) i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  return i == text.size();
}

std::u16string IconvDecode(const char* from, const std::string& bytes, bool& ok) {
  iconv_t cd = iconv_open("UTF-16LE", from);
  std::string in = bytes;
  std::string out(bytes.size() * 4 + 8, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  std::u16string wide((out.size() - outLeft) / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) | (static_cast<unsigned char>(out[2 * i + 1]) << 8));
  return wide;
}

void CheckTextOperations(const Text& text, const Text& sought, int start) {
  for (bool ignoreCase : {false, true}) {
    const Case mode = ignoreCase ? Case::Ignore : Case::Sensitive;
    Check(Find(text, sought, start, mode) == ReferenceFind(text, sought, start, ignoreCase));
  }
  if (WholeCharacters(sought)) Check(Replace(text, sought, "#") == ReferenceReplace(text, sought, "#"));
  const auto pieces = Split(text, sought);
  Text joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) joined += (i ? sought : Text()) + pieces[i];
  // Joining the pieces gives the text back, short of a dropped last empty piece.
  Check(sought.empty() || joined == text || joined + sought == text);
  const Text trimmed = Trim(text);
  Check(trimmed.size() <= text.size() && text.find(trimmed) != Text::npos);
  Check(Mid(text, start, 3).size() <= 3);
  TextToInteger(text);
}

void CheckConversions(const std::string& bytes) {
  const std::u16string fromGbk = MultiByteToWide(kCodePage936, bytes);
  Check(fromGbk.size() <= bytes.size());
  bool ok = false;
  const std::u16string expected = IconvDecode("CP936", bytes, ok);
  // Where the C library reads the whole text, both readings agree, except in
  // the user-defined areas that it leaves out.
  if (ok) Check(fromGbk == expected);
  const std::string back = WideToMultiByte(kCodePage936, fromGbk);
  if (fromGbk.find(u'\uFFFD') == std::u16string::npos) Check(back == bytes);

  const std::u16string fromUtf8 = MultiByteToWide(kCodePageUtf8, bytes);
  const std::u16string expectedUtf8 = IconvDecode("UTF-8", bytes, ok);
  if (ok) Check(fromUtf8 == expectedUtf8);
  if (ok) Check(WideToMultiByte(kCodePageUtf8, fromUtf8) == bytes);

  const WideText wide = TextToWide(bytes);
  Check(bytes.empty() ? wide.length == 0 : wide.length + 1 == static_cast<int>(wide.units.size()));
  const Text text = Utf8ToText(Bytes(bytes.begin(), bytes.end()));
  Check(text.find('\0') == Text::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int start = static_cast<int>(data[0] % 16) - 2;
  const std::size_t split = 1 + data[1] % 8;
  const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const Text sought = rest.substr(0, std::min(split, rest.size()));
  const Text text = rest.substr(std::min(split, rest.size()));
  CheckTextOperations(text, sought, start);
  CheckConversions(rest);
  return 0;
}

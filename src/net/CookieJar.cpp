#include "net/CookieJar.h"

#include <utility>

#include "base/TextOps.h"
#include "net/CookieText.h"
#include "net/SetCookieScan.h"

namespace vantorel {

namespace {

const Text kSeparator = "; ";

// Where an entry sits in the jar. Positions are 1-based like the text
// operations: `key` is the "; " before the name, `end` the "; " after the value.
struct JarEntry {
  int key;
  int end;
  int NameStart() const { return key + 2; }
};

Text JarKey(const Text& name) { return kSeparator + name + "="; }

// The entry for `name`, when the jar holds its key and a "; " after it.
std::optional<JarEntry> FindEntry(const Text& jar, const Text& name) {
  const Text key = JarKey(name);
  const int keyAt = Find(jar, key);
  if (keyAt == -1) return std::nullopt;
  const int end = Find(jar, kSeparator, keyAt + static_cast<int>(key.size()));
  if (end == -1) return std::nullopt;
  return JarEntry{keyAt, end};
}

// Replaces the 1-based, inclusive byte range [first, last] of the jar.
void ReplaceRange(Text& jar, int first, int last, const Text& replacement) {
  jar.replace(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1),
              replacement);
}

void RecordLength(const Text& jar, std::int32_t& jarLength) {
  jarLength = static_cast<std::int32_t>(jar.size());
}

// Applies one Set-Cookie pair; true when the jar changed.
bool MergeResponsePair(Text& jar, const Text& pair, bool ignoreEmptyCookies) {
  const std::optional<Text> name = CookieName(pair);
  if (!name) return false;
  const bool deleted = IsDeletedPair(pair);
  if (Find(jar, JarKey(*name)) == -1) {
    if (deleted) return false;
    jar += pair + " ";
    return true;
  }
  const std::optional<JarEntry> entry = FindEntry(jar, *name);
  if (!entry) return false;
  if (ignoreEmptyCookies && HasBlankValue(pair)) return false;
  if (deleted) {
    // From the blank before the name through the ";" that ends the entry.
    ReplaceRange(jar, entry->key + 1, entry->end, "");
  } else {
    ReplaceRange(jar, entry->NameStart(), entry->end, pair);
  }
  return true;
}

// Applies one caller's piece ‹name=value›; true when the jar changed.
bool MergeListPiece(Text& jar, const Text& piece) {
  const std::optional<Text> name = CookieName(piece);
  if (!name) return false;
  if (Find(jar, JarKey(*name)) == -1) {
    jar += piece + kSeparator;
    return true;
  }
  const std::optional<JarEntry> entry = FindEntry(jar, *name);
  if (!entry) return false;
  ReplaceRange(jar, entry->NameStart(), entry->end - 1, piece);
  return true;
}

// Removes the cookie a piece names (‹name› or ‹name=anything›).
bool RemoveListPiece(Text& jar, const Text& piece) {
  // An empty piece between two ";" names nothing.
  if (piece.empty()) return false;
  const std::optional<JarEntry> entry = FindEntry(jar, CookieName(piece).value_or(piece));
  if (!entry) return false;
  ReplaceRange(jar, entry->key, entry->end - 1, "");
  return true;
}

}  // namespace

void MergeResponseCookiesIntoJar(Text& jar, std::int32_t& jarLength, const Text& headers,
                                 bool ignoreEmptyCookies) {
  bool changed = false;
  for (const Text& pair : ScanSetCookiePairs(headers, LaterSetCookies::ExactCase)) {
    changed |= MergeResponsePair(jar, pair, ignoreEmptyCookies);
  }
  if (changed) RecordLength(jar, jarLength);
}

Text JarCookies(const Text& jar) { return Mid(jar, 3, static_cast<int>(jar.size()) - 4); }

Text JarCookieHeader(const Text& jar) { return "Cookie:" + JarCookies(jar); }

Text ReplaceJarCookies(Text& jar, std::int32_t& jarLength, const Text& text) {
  Text newJar = Left(text, 2) == kSeparator ? text : kSeparator + text;
  if (Right(newJar, 2) != kSeparator) {
    const char last = newJar.back();
    if (last != ';') newJar += ';';
    // A text ending in a blank keeps that blank in front of the ";".
    if (last != ' ') newJar += ' ';
  }
  jar = std::move(newJar);
  RecordLength(jar, jarLength);
  return text;
}

Text JarCookie(const Text& jar, const Text& name, bool withName) {
  if (name.empty()) return {};
  const Text key = JarKey(name);
  const int keyAt = Find(jar, key);
  if (keyAt == -1) return {};
  const int equals = keyAt + static_cast<int>(key.size()) - 1;
  const int semicolon = Find(jar, ";", equals);
  if (semicolon == -1) return {};
  const int first = withName ? keyAt + 2 : equals + 1;
  return Mid(jar, first, semicolon - first);
}

bool MergeJarCookies(Text& jar, std::int32_t& jarLength, const Text& text) {
  bool changed = false;
  for (const Text& piece : CookieListPieces(text)) changed |= MergeListPiece(jar, piece);
  if (changed) RecordLength(jar, jarLength);
  return changed;
}

bool RemoveJarCookies(Text& jar, std::int32_t& jarLength, const Text& names) {
  bool changed = false;
  for (const Text& piece : CookieListPieces(names)) changed |= RemoveListPiece(jar, piece);
  if (changed) RecordLength(jar, jarLength);
  return changed;
}

}  // namespace vantorel

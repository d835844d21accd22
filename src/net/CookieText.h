#pragma once
// The shapes a cookie takes in header texts: a Set-Cookie pair ("sid=abc;")
// and the pieces of a ";"-separated cookie list ("a=1; b=2").
#include <optional>
#include <vector>

#include "base/Text.h"

namespace vantorel {

// The bytes before the first "="; none when the text holds no "=".
std::optional<Text> CookieName(const Text& pairOrPiece);

// A pair's value: the bytes between its first "=" and its final ";".
// A pair without "=" has no value ("").
Text PairValue(const Text& pair);

// The pair ends in exactly "=deleted;", "=DELETED;" or "=Deleted;".
bool IsDeletedPair(const Text& pair);

// The value is empty once leading blanks are removed.
bool HasBlankValue(const Text& pair);

// A cookie list split at every ";" with each piece's leading blanks removed.
// Empty inner pieces stay, an empty last piece is dropped, "" gives none.
std::vector<Text> CookieListPieces(const Text& list);

}  // namespace vantorel

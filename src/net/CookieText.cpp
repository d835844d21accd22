#include "net/CookieText.h"

#include "base/TextOps.h"

namespace vantorel {

std::optional<Text> CookieName(const Text& pairOrPiece) {
  const int equals = Find(pairOrPiece, "=");
  if (equals == -1) return std::nullopt;
  return Left(pairOrPiece, equals - 1);
}

Text PairValue(const Text& pair) {
  const int equals = Find(pair, "=");
  if (equals == -1) return {};
  // The pair's last byte is the ";" that ended it.
  return Mid(pair, equals + 1, static_cast<int>(pair.size()) - equals - 1);
}

bool IsDeletedPair(const Text& pair) {
  // Only these three spellings mark a cookie the server deletes.
  const Text ending = Right(pair, 9);
  return ending == "=deleted;" || ending == "=DELETED;" || ending == "=Deleted;";
}

bool HasBlankValue(const Text& pair) { return TrimLeft(PairValue(pair)).empty(); }

std::vector<Text> CookieListPieces(const Text& list) {
  std::vector<Text> pieces = Split(list, ";");
  for (Text& piece : pieces) piece = TrimLeft(piece);
  return pieces;
}

}  // namespace vantorel

#include "service/TokenStore.h"

#include "service/Crypto.h"

namespace vantorel::service {
namespace {

// Run-out tokens are remembered this long, so their holders hear "expired"
// rather than "invalid".
constexpr std::int64_t kExpiredTokenMemorySeconds = kTokenLifetimeSeconds;

}  // namespace

std::optional<std::string> TokenStore::Issue(std::int64_t now) {
  std::string token = RandomHex(32);
  {
    std::lock_guard lock(db_.mutex());
    db_.Prepare("DELETE FROM tokens WHERE expires < ?").Bind(1, now - kExpiredTokenMemorySeconds).Run();
  }
  if (!Store(token, now + kTokenLifetimeSeconds)) return std::nullopt;
  return token;
}

bool TokenStore::Store(std::string_view token, std::int64_t expires) {
  std::lock_guard lock(db_.mutex());
  return db_.Prepare("INSERT OR REPLACE INTO tokens(token_hash, expires) VALUES(?, ?)")
      .Bind(1, Sha256Hex(token))
      .Bind(2, expires)
      .Run();
}

TokenState TokenStore::Check(std::string_view token, std::int64_t now) {
  if (token.empty()) return TokenState::Unknown;
  std::lock_guard lock(db_.mutex());
  auto query = db_.Prepare("SELECT expires FROM tokens WHERE token_hash = ?");
  query.Bind(1, Sha256Hex(token));
  if (!query.Step()) return TokenState::Unknown;
  return query.Integer(0) > now ? TokenState::Valid : TokenState::Expired;
}

}  // namespace vantorel::service

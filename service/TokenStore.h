#pragma once
// Access tokens: random, kept only as digests, valid for 30 days.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "service/Database.h"

namespace vantorel::service {

inline constexpr std::int64_t kTokenLifetimeSeconds = 30 * 24 * 60 * 60;

enum class TokenState { Valid, Unknown, Expired };

class TokenStore {
 public:
  explicit TokenStore(Database& db) : db_(db) {}

  // A new token valid from `now` (seconds since the epoch); nothing when it
  // could not be stored.
  std::optional<std::string> Issue(std::int64_t now);
  // Stores a token with the given expiry. Issue uses it; tests use it to
  // plant tokens that have run out.
  bool Store(std::string_view token, std::int64_t expires);
  TokenState Check(std::string_view token, std::int64_t now);

 private:
  Database& db_;
};

}  // namespace vantorel::service

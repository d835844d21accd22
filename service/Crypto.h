#pragma once
// Random values and digests from OpenSSL.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantorel::service {

// `bytes` random bytes from the system generator, as lower-case hex.
std::string RandomHex(std::size_t bytes);
// A random integer that a JSON number holds exactly (below 2^53).
std::int64_t RandomJsonSafeInteger();
std::string Sha256Hex(std::string_view data);
// Compares in time independent of where the texts differ.
bool SecretsEqual(std::string_view a, std::string_view b);

}  // namespace vantorel::service

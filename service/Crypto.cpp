#include "service/Crypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cstdlib>
#include <vector>

namespace vantorel::service {
namespace {

std::string ToHex(const unsigned char* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    hex += kDigits[data[i] >> 4];
    hex += kDigits[data[i] & 15];
  }
  return hex;
}

void FillRandom(unsigned char* data, std::size_t size) {
  // Without randomness every token would be guessable; better not to run.
  if (RAND_bytes(data, static_cast<int>(size)) != 1) std::abort();
}

}  // namespace

std::string RandomHex(std::size_t bytes) {
  std::vector<unsigned char> data(bytes);
  FillRandom(data.data(), data.size());
  return ToHex(data.data(), data.size());
}

std::int64_t RandomJsonSafeInteger() {
  unsigned char data[8];
  FillRandom(data, sizeof data);
  std::uint64_t value = 0;
  for (unsigned char byte : data) value = (value << 8) | byte;
  return static_cast<std::int64_t>(value >> 11);
}

std::string Sha256Hex(std::string_view data) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(data.data(), data.size(), digest, &size, EVP_sha256(), nullptr);
  return ToHex(digest, size);
}

bool SecretsEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace vantorel::service

#include "crypto/PasswordHash.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <charconv>
#include <optional>
#include <stdexcept>

#include "base/Bytes.h"
#include "base/Text.h"
#include "crypto/Cipher.h"

namespace zidezo {
namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;
// Stored texts come from a database file; a huge count there must not stall the login.
constexpr int kMaxIterations = 10'000'000;

struct StoredHash {
  int iterations = 0;
  Bytes salt;
  Bytes hash;
};

std::string Normalised(std::string_view password) { return ToLowerAscii(Trim(password)); }

Bytes Derive(const std::string& password, const Bytes& salt, int iterations, std::size_t length) {
  Bytes hash(length);
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(),
                        static_cast<int>(salt.size()), iterations, EVP_sha256(), static_cast<int>(hash.size()),
                        hash.data()) != 1) {
    throw std::runtime_error("PBKDF2 failure");
  }
  return hash;
}

std::optional<Bytes> StrictHex(std::string_view text, std::size_t minBytes, std::size_t maxBytes) {
  if (text.size() % 2 != 0 || text.size() < 2 * minBytes || text.size() > 2 * maxBytes) return std::nullopt;
  try {
    return HexToBytes(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<int> Iterations(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxIterations) {
    return std::nullopt;
  }
  return value;
}

std::optional<StoredHash> Parse(std::string_view stored) {
  const std::vector<std::string> parts = Split(stored, '$');
  if (parts.size() != 4 || parts[0] != kScheme) return std::nullopt;
  const auto iterations = Iterations(parts[1]);
  auto salt = StrictHex(parts[2], 1, 64);
  auto hash = StrictHex(parts[3], 16, 64);
  if (!iterations || !salt || !hash) return std::nullopt;
  return StoredHash{*iterations, std::move(*salt), std::move(*hash)};
}

}  // namespace

std::string HashPassword(std::string_view password) {
  Bytes salt(kSaltBytes);
  if (RAND_bytes(salt.data(), static_cast<int>(salt.size())) != 1) throw std::runtime_error("No random salt available");
  const Bytes hash = Derive(Normalised(password), salt, kPasswordHashIterations, kHashBytes);
  return std::string(kScheme) + "$" + std::to_string(kPasswordHashIterations) + "$" +
         ToLowerAscii(BytesToHex(salt)) + "$" + ToLowerAscii(BytesToHex(hash));
}

bool VerifyPassword(std::string_view password, std::string_view stored) {
  const std::string normalised = Normalised(password);
  if (stored.empty()) return normalised.empty();
  const auto parsed = Parse(stored);
  if (!parsed) return false;
  const Bytes hash = Derive(normalised, parsed->salt, parsed->iterations, parsed->hash.size());
  return CRYPTO_memcmp(hash.data(), parsed->hash.data(), hash.size()) == 0;
}

}  // namespace zidezo

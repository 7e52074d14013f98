#include "crypto/Cipher.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <memory>

namespace zidezo {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

const EVP_CIPHER* EcbCipherFor(std::size_t keyBytes) {
  switch (keyBytes) {
    case 16: return EVP_aes_128_ecb();
    case 24: return EVP_aes_192_ecb();
    case 32: return EVP_aes_256_ecb();
    default: throw EAESError("Invalid key size: " + std::to_string(keyBytes) + " bytes");
  }
}

// ECB over whole blocks; without padding, since both padding rules are handled by the callers.
Bytes RunEcb(const Bytes& input, const Bytes& key, bool encipher) {
  const EVP_CIPHER* cipher = EcbCipherFor(key.size());
  std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                          &EVP_CIPHER_CTX_free);
  Bytes output(input.size() + kAesBlockSize);
  int written = 0;
  int finalWritten = 0;
  const bool ok = context &&
                  EVP_CipherInit_ex(context.get(), cipher, nullptr, key.data(), nullptr, encipher ? 1 : 0) == 1 &&
                  EVP_CIPHER_CTX_set_padding(context.get(), 0) == 1 &&
                  EVP_CipherUpdate(context.get(), output.data(), &written, input.data(),
                                   static_cast<int>(input.size())) == 1 &&
                  EVP_CipherFinal_ex(context.get(), output.data() + written, &finalWritten) == 1;
  if (!ok) throw EAESError("AES engine failure");
  output.resize(static_cast<std::size_t>(written + finalWritten));
  return output;
}

void RequireKeySize(const Bytes& key) { EcbCipherFor(key.size()); }

// The count rule shared by both stream helpers.
std::size_t TakeCount(TStream& source, std::size_t count) {
  if (count == 0) {
    source.Seek(0);
    return source.Size();
  }
  return std::min(count, source.Remaining());
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Only the uppercase digits count in the lenient reading; anything else is 0.
int UpperHexDigitOrZero(char c) {
  const std::size_t found = kHexDigits.find(c);
  return found == std::string_view::npos ? 0 : static_cast<int>(found);
}

Bytes KeyFromText(std::string_view keyText, TKeySize size) {
  Bytes key(KeyBytes(size), 0);
  std::copy_n(keyText.begin(), std::min(keyText.size(), key.size()), key.begin());
  return key;
}

Bytes KeyFromHex(std::string_view hexKey) {
  const Bytes digits = HexToBytes(hexKey);
  Bytes key(16, 0);
  std::copy_n(digits.begin(), std::min(digits.size(), key.size()), key.begin());
  return key;
}

}  // namespace

std::size_t KeyBytes(TKeySize size) {
  switch (size) {
    case TKeySize::Aes128: return 16;
    case TKeySize::Aes192: return 24;
    case TKeySize::Aes256: return 32;
  }
  throw EAESError("Invalid key size selector " + std::to_string(static_cast<int>(size)));
}

void EncipherStreamEcb(TStream& source, std::size_t count, const Bytes& key, TStream& destination) {
  RequireKeySize(key);
  Bytes plain = source.ReadBytes(TakeCount(source, count));
  if (plain.empty()) return;
  plain.resize((plain.size() + kAesBlockSize - 1) / kAesBlockSize * kAesBlockSize, 0);
  destination.WriteBytes(RunEcb(plain, key, true));
}

void DecipherStreamEcb(TStream& source, std::size_t count, const Bytes& key, TStream& destination) {
  RequireKeySize(key);
  const std::size_t taken = TakeCount(source, count);
  if (taken % kAesBlockSize != 0) throw EAESError("Invalid buffer size for decryption");
  const Bytes cipher = source.ReadBytes(taken);
  if (cipher.empty()) return;
  destination.WriteBytes(RunEcb(cipher, key, false));
}

Bytes HexToBytes(std::string_view text) {
  Bytes bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const std::string_view pair = text.substr(i, 2);
    int value = 0;
    for (char c : pair) {
      const int digit = HexDigitValue(c);
      if (digit < 0) throw EConvertError("'" + std::string(pair) + "' is not a valid hexadecimal number");
      value = value * 16 + digit;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

std::string BytesToHex(const Bytes& bytes, std::string_view separator) {
  std::string text;
  text.reserve(bytes.size() * (2 + separator.size()));
  for (std::uint8_t byte : bytes) {
    if (!text.empty()) text.append(separator);
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
  }
  return text;
}

Bytes HexPairsToBytes(std::string_view text) {
  Bytes bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (char c : text.substr(i, 2)) value = value * 16 + UpperHexDigitOrZero(c);
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

std::string DecipherText(std::string_view cipherText, std::string_view keyText, TKeySize size) {
  TMemoryStream source(HexToBytes(cipherText));
  source.ReadBytes(8);  // the plain length: informative only
  TMemoryStream plain;
  DecipherStreamEcb(source, source.Remaining(), KeyFromText(keyText, size), plain);
  return ToText(plain.Data());
}

std::string EncipherText(std::string_view plainText, std::string_view keyText, TKeySize size) {
  Bytes stored(8, 0);
  std::uint64_t length = plainText.size();
  for (std::uint8_t& byte : stored) {
    byte = static_cast<std::uint8_t>(length & 0xFF);
    length >>= 8;
  }
  // An empty text still gets one block: a stored text without any block does not decipher.
  TMemoryStream source(plainText.empty() ? Bytes(kAesBlockSize, 0) : ToBytes(plainText));
  TMemoryStream cipher(std::move(stored));
  cipher.Seek(8);
  EncipherStreamEcb(source, 0, KeyFromText(keyText, size), cipher);
  return BytesToHex(cipher.Data());
}

std::string EncipherBlock(std::string_view hexKey, const Bytes& block) {
  if (block.size() != kAesBlockSize) throw EAESError("A cipher block must be 16 bytes");
  TMemoryStream source(block);
  TMemoryStream cipher;
  EncipherStreamEcb(source, 0, KeyFromHex(hexKey), cipher);
  return BytesToHex(cipher.Data());
}

Bytes DecipherBlock(std::string_view hexKey, std::string_view cipherHex) {
  Bytes cipher = HexPairsToBytes(cipherHex);
  // A short tag would otherwise decipher to nothing and leave the caller a short block.
  if (cipher.size() < kAesBlockSize) throw EAESError("Invalid buffer size for decryption");
  cipher.resize(kAesBlockSize);
  TMemoryStream source(std::move(cipher));
  TMemoryStream plain;
  DecipherStreamEcb(source, 0, KeyFromHex(hexKey), plain);
  return plain.Data();
}

std::string Md5Hex(std::string_view text) {
  std::array<std::uint8_t, 16> digest{};
  unsigned int length = 0;
  if (EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_md5(), nullptr) != 1 || length != digest.size()) {
    throw EAESError("MD5 engine failure");
  }
  return BytesToHex(Bytes(digest.begin(), digest.end()));
}

}  // namespace zidezo

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Bytes.h"
#include "crypto/MemoryStream.h"

namespace zidezo {

// Enciphering faults: a cipher part that is not whole blocks, a bad key size, an engine failure.
class EAESError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text that is not a hexadecimal number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The key size selector of the stored texts: 0, 1 or 2 for 128, 192 or 256 bits.
enum class TKeySize { Aes128 = 0, Aes192 = 1, Aes256 = 2 };

std::size_t KeyBytes(TKeySize size);

inline constexpr std::size_t kAesBlockSize = 16;

// Count rule of both stream helpers: count above 0 takes that many bytes from the current
// position (at most what remains); count 0 takes the whole source from position 0.
// The key is 16, 24 or 32 bytes; AES in ECB mode, one block at a time.

// The last partial block is padded with zero bytes, so the output is whole blocks.
void EncipherStreamEcb(TStream& source, std::size_t count, const Bytes& key, TStream& destination);
// The byte count must be whole blocks ("Invalid buffer size for decryption", nothing written);
// padding is not removed.
void DecipherStreamEcb(TStream& source, std::size_t count, const Bytes& key, TStream& destination);

// Pairs of hexadecimal digits (either case) to bytes; a last single digit is one byte.
Bytes HexToBytes(std::string_view text);
// Uppercase digits, the separator between bytes.
std::string BytesToHex(const Bytes& bytes, std::string_view separator = "");
// Lenient reading of the mail tag: only "0"-"9" and "A"-"F" count, any other character is 0.
Bytes HexPairsToBytes(std::string_view text);

// The stored enciphered form: hexadecimal of an 8-byte little-endian plain length followed by
// the zero-padded plain text in ECB blocks. The key text is cut or zero-padded to the key size.
// The result keeps the padding zero bytes; callers trim.
std::string DecipherText(std::string_view cipherText, std::string_view keyText,
                         TKeySize size = TKeySize::Aes128);
// The inverse, for authoring tools and tests: uppercase digits.
std::string EncipherText(std::string_view plainText, std::string_view keyText,
                         TKeySize size = TKeySize::Aes128);

// One AES-128 block (the mail tag) under a key of 32 hexadecimal digits.
std::string EncipherBlock(std::string_view hexKey, const Bytes& block);
Bytes DecipherBlock(std::string_view hexKey, std::string_view cipherHex);

// MD5 of the text's bytes as 32 uppercase hexadecimal digits.
std::string Md5Hex(std::string_view text);

}  // namespace zidezo

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "crypto/Cipher.h"

namespace zidezo {
namespace {

// FIPS-197 appendix C: one plain block under keys of the three sizes.
struct AesVector {
  const char* name;
  const char* key;
  const char* cipher;
};

constexpr const char* kFipsPlain = "00112233445566778899AABBCCDDEEFF";

const AesVector kFipsVectors[] = {
    {"C1_Aes128", "000102030405060708090A0B0C0D0E0F", "69C4E0D86A7B0430D8CDB78070B4C55A"},
    {"C2_Aes192", "000102030405060708090A0B0C0D0E0F1011121314151617", "DDA97CA4864CDFE06EAF70A0EC0D7191"},
    {"C3_Aes256", "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
     "8EA2B7CA516745BFEAFC49904B496089"},
};

class FipsVectors : public ::testing::TestWithParam<AesVector> {};

TEST_P(FipsVectors, EnciphersAndDeciphersTheAppendixBlock) {
  const Bytes key = HexToBytes(GetParam().key);
  TMemoryStream plain(HexToBytes(kFipsPlain));
  TMemoryStream cipher;
  EncipherStreamEcb(plain, 0, key, cipher);
  EXPECT_EQ(BytesToHex(cipher.Data()), GetParam().cipher);

  TMemoryStream back;
  DecipherStreamEcb(cipher, 0, key, back);
  EXPECT_EQ(BytesToHex(back.Data()), kFipsPlain);
}

INSTANTIATE_TEST_SUITE_P(Fips197, FipsVectors, ::testing::ValuesIn(kFipsVectors),
                         [](const auto& info) { return std::string(info.param.name); });

const Bytes kKey128 = HexToBytes("000102030405060708090A0B0C0D0E0F");

TEST(StreamEcb, CountAboveZeroTakesFromThePositionAndAtMostWhatRemains) {
  TMemoryStream source(Bytes(40, 0x41));
  source.Seek(30);
  TMemoryStream cipher;
  EncipherStreamEcb(source, 100, kKey128, cipher);
  ASSERT_EQ(cipher.Size(), 16u);  // 10 bytes, zero-padded to one block

  TMemoryStream plain;
  DecipherStreamEcb(cipher, 0, kKey128, plain);
  EXPECT_EQ(BytesToHex(plain.Data()), "41414141414141414141" "000000000000");
}

TEST(StreamEcb, CountZeroTakesTheWholeSourceFromTheStart) {
  TMemoryStream source(Bytes(33, 0x42));
  source.Seek(20);
  TMemoryStream cipher;
  EncipherStreamEcb(source, 0, kKey128, cipher);
  EXPECT_EQ(cipher.Size(), 48u);
}

TEST(StreamEcb, NothingIsWrittenForNoBytes) {
  TMemoryStream source(Bytes(16, 1));
  source.Seek(16);
  TMemoryStream destination;
  EncipherStreamEcb(source, 5, kKey128, destination);
  DecipherStreamEcb(source, 5, kKey128, destination);
  EXPECT_EQ(destination.Size(), 0u);
}

TEST(StreamEcb, DecipheringPartialBlocksFailsBeforeWriting) {
  TMemoryStream source(Bytes(40, 7));
  TMemoryStream destination;
  try {
    DecipherStreamEcb(source, 0, kKey128, destination);
    FAIL() << "no error";
  } catch (const EAESError& error) {
    EXPECT_STREQ(error.what(), "Invalid buffer size for decryption");
  }
  EXPECT_EQ(destination.Size(), 0u);
}

TEST(StreamEcb, KeysOfOtherSizesAreRefused) {
  TMemoryStream source(Bytes(16, 7));
  TMemoryStream destination;
  EXPECT_THROW(EncipherStreamEcb(source, 0, Bytes(15, 1), destination), EAESError);
  EXPECT_THROW(DecipherStreamEcb(source, 0, Bytes(0), destination), EAESError);
}

// A destination that takes only part of what it is given, like a full disk.
class ShortWriteStream : public TMemoryStream {
 public:
  std::size_t Write(const std::uint8_t* buffer, std::size_t count) override {
    return TMemoryStream::Write(buffer, count / 2);
  }
};

TEST(StreamEcb, AShortWriteIsAnError) {
  TMemoryStream source(Bytes(32, 3));
  ShortWriteStream destination;
  try {
    EncipherStreamEcb(source, 0, kKey128, destination);
    FAIL() << "no error";
  } catch (const EStreamError& error) {
    EXPECT_STREQ(error.what(), "Stream write error");
  }
}

struct HexCase {
  const char* text;
  Bytes strict;   // HexToBytes
  Bytes lenient;  // HexPairsToBytes
};

TEST(Hex, ReadsPairsAndALastSingleDigit) {
  const std::vector<HexCase> cases = {
      {"", {}, {}},
      {"0AFF", {0x0A, 0xFF}, {0x0A, 0xFF}},
      {"0a", {0x0A}, {0x00}},  // lowercase letters count as 0 in the lenient reading
      {"abCD", {0xAB, 0xCD}, {0x00, 0xCD}},
      {"123", {0x12, 0x03}, {0x12, 0x03}},
      {"F", {0x0F}, {0x0F}},
  };
  for (const HexCase& item : cases) {
    EXPECT_EQ(HexToBytes(item.text), item.strict) << item.text;
    EXPECT_EQ(HexPairsToBytes(item.text), item.lenient) << item.text;
  }
}

TEST(Hex, NonHexadecimalTextNamesTheOffendingPair) {
  for (const char* text : {"0G", "zz11", "12 3", "1-"}) {
    try {
      HexToBytes(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find('\''), std::string::npos) << message;
    }
  }
  try {
    HexToBytes("00zz");
    ADD_FAILURE() << "no error for 00zz";
  } catch (const EConvertError& error) {
    EXPECT_NE(std::string(error.what()).find("'zz'"), std::string::npos) << error.what();
  }
  EXPECT_EQ(HexPairsToBytes("zz-1"), (Bytes{0x00, 0x01}));
}

TEST(Hex, WritesUppercaseDigitsWithTheSeparatorBetweenBytes) {
  EXPECT_EQ(BytesToHex({0x0A, 0xFF}, " "), "0A FF");
  EXPECT_EQ(BytesToHex({0x0A, 0xFF}), "0AFF");
  EXPECT_EQ(BytesToHex({0x01}, ", "), "01");
  EXPECT_EQ(BytesToHex({}, " "), "");
}

// The stored form of the FIPS-197 C.1 block: length 16, then the cipher block.
const std::string kFipsKeyText(reinterpret_cast<const char*>(kKey128.data()), kKey128.size());
const std::string kStoredFipsText = "1000000000000000" + std::string(kFipsVectors[0].cipher);

TEST(DecipherText, ReadsTheStoredForm) {
  EXPECT_EQ(DecipherText(kStoredFipsText, kFipsKeyText), ToText(HexToBytes(kFipsPlain)));
}

TEST(DecipherText, KeepsThePaddingZerosThatTrimmingRemoves) {
  const std::string stored = EncipherText("hello", "0123456789abcdef");
  EXPECT_EQ(stored.size(), 16u + 32u);
  const std::string plain = DecipherText(stored, "0123456789abcdef");
  EXPECT_EQ(plain, std::string("hello") + std::string(11, '\0'));
  EXPECT_EQ(Trim(plain), "hello");
}

TEST(DecipherText, StoredFormHasTheLengthAndWholeBlocks) {
  const std::string stored = EncipherText(std::string(23, 'x'), "key");
  EXPECT_EQ(stored.size(), 80u);
  EXPECT_EQ(stored.substr(0, 16), "1700000000000000");
  EXPECT_EQ(stored, ToUpperAscii(stored));
  // An empty text still has one block, so it deciphers.
  EXPECT_EQ(Trim(DecipherText(EncipherText("", "key"), "key")), "");
}

TEST(DecipherText, KeyTextIsCutOrZeroPaddedToTheKeySize) {
  const std::string stored = EncipherText("sixteen bytes ok", "0123456789ABCDEF");
  EXPECT_EQ(DecipherText(stored, "0123456789ABCDEFGHIJ"), "sixteen bytes ok");

  const std::string shortKey = "0123456789";
  EXPECT_EQ(EncipherText("abc", shortKey), EncipherText("abc", shortKey + std::string(6, '\0')));
  EXPECT_EQ(DecipherText(EncipherText("abc", shortKey), shortKey + std::string(6, '\0')).substr(0, 3), "abc");
}

TEST(DecipherText, EachSelectorUsesItsKeySize) {
  const std::string key32(32, 'k');
  for (TKeySize size : {TKeySize::Aes128, TKeySize::Aes192, TKeySize::Aes256}) {
    const std::string stored = EncipherText("text", key32, size);
    EXPECT_EQ(DecipherText(stored, key32, size).substr(0, 4), "text");
  }
  // The 192-bit form of the FIPS C.2 vector, read as a stored text.
  const Bytes key192 = HexToBytes(kFipsVectors[1].key);
  const std::string stored192 = "1000000000000000" + std::string(kFipsVectors[1].cipher);
  EXPECT_EQ(DecipherText(stored192, ToText(key192), TKeySize::Aes192), ToText(HexToBytes(kFipsPlain)));
  EXPECT_THROW(DecipherText(kStoredFipsText, kFipsKeyText, static_cast<TKeySize>(3)), EAESError);
}

TEST(DecipherText, AWrongKeyGivesTextOfTheSameLength) {
  const std::string plain = DecipherText(kStoredFipsText, "another key");
  EXPECT_EQ(plain.size(), 16u);
  EXPECT_NE(plain, ToText(HexToBytes(kFipsPlain)));
}

struct BadStoredText {
  std::string text;
  std::string message;
};

TEST(DecipherText, DamagedStoredTextsFailWithTheirError) {
  const std::vector<BadStoredText> cases = {
      {"", "Stream read error"},
      {"00000000000000", "Stream read error"},                     // 7 bytes of length
      {"1000000000000000", "Invalid buffer size for decryption"},  // no cipher block
      {"1000000000000000" + std::string(40, '0'), "Invalid buffer size for decryption"},
      {kStoredFipsText.substr(0, kStoredFipsText.size() - 2), "Invalid buffer size for decryption"},
  };
  for (const BadStoredText& item : cases) {
    try {
      DecipherText(item.text, "key");
      ADD_FAILURE() << "no error for \"" << item.text << "\"";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), item.message) << "for \"" << item.text << "\"";
    }
  }
  EXPECT_THROW(DecipherText("10000000000000QQ", "key"), EConvertError);
}

TEST(MailTagBlock, EnciphersWithAHexKeyAndDeciphersBack) {
  const Bytes tag = HexToBytes(kFipsPlain);
  const std::string cipher = EncipherBlock(kFipsVectors[0].key, tag);
  EXPECT_EQ(cipher, kFipsVectors[0].cipher);
  EXPECT_EQ(DecipherBlock(kFipsVectors[0].key, cipher), tag);

  const Bytes other = ToBytes("ZIDEZO-MAIL-0001");
  EXPECT_EQ(DecipherBlock("04C8EA2E486BFAA2DFD7EB869117BCCC", EncipherBlock("04C8EA2E486BFAA2DFD7EB869117BCCC", other)),
            other);
}

TEST(MailTagBlock, ReadsOnlyTheFirstBlockAndRefusesShortOnes) {
  const std::string cipher = std::string(kFipsVectors[0].cipher) + "FFFF";
  EXPECT_EQ(DecipherBlock(kFipsVectors[0].key, cipher), HexToBytes(kFipsPlain));
  EXPECT_THROW(DecipherBlock(kFipsVectors[0].key, ""), EAESError);
  EXPECT_THROW(DecipherBlock(kFipsVectors[0].key, "69C4E0D8"), EAESError);
  EXPECT_THROW(EncipherBlock(kFipsVectors[0].key, Bytes(15, 0)), EAESError);
}

// RFC 1321 appendix A.5.
TEST(Md5Hex, MatchesTheTestSuite) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  for (const auto& [text, digest] : cases) EXPECT_EQ(Md5Hex(text), digest) << '"' << text << '"';
}

}  // namespace
}  // namespace zidezo

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "crypto/PasswordHash.h"

namespace zidezo {
namespace {

TEST(PasswordHash, HasTheSchemeIterationsSaltAndHash) {
  const std::vector<std::string> parts = Split(HashPassword("secret"), '$');
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[0], "pbkdf2-sha256");
  EXPECT_EQ(parts[1], std::to_string(kPasswordHashIterations));
  EXPECT_EQ(parts[2].size(), 32u);
  EXPECT_EQ(parts[3].size(), 64u);
}

TEST(PasswordHash, IgnoresBlanksAtTheEndsAndLetterCase) {
  const std::string stored = HashPassword("  Tiger Lily\t");
  for (const char* typed : {"tiger lily", "TIGER LILY", " tIgEr LiLy \r\n"}) {
    EXPECT_TRUE(VerifyPassword(typed, stored)) << typed;
  }
  for (const char* typed : {"tigerlily", "tiger  lily", "tiger lil", "", "tiger lily!"}) {
    EXPECT_FALSE(VerifyPassword(typed, stored)) << typed;
  }
}

TEST(PasswordHash, TwoHashesOfOnePasswordDiffer) {
  const std::string first = HashPassword("same");
  const std::string second = HashPassword("same");
  EXPECT_NE(first, second);
  EXPECT_TRUE(VerifyPassword("same", first));
  EXPECT_TRUE(VerifyPassword("same", second));
}

TEST(PasswordHash, AnEmptyStoredTextMatchesOnlyAnEmptyPassword) {
  EXPECT_TRUE(VerifyPassword("", ""));
  EXPECT_TRUE(VerifyPassword("  \t", ""));
  EXPECT_FALSE(VerifyPassword("x", ""));
  EXPECT_TRUE(VerifyPassword(" ", HashPassword("")));
}

TEST(PasswordHash, MalformedStoredTextsNeverMatch) {
  const std::string good = HashPassword("pw");
  const std::vector<std::string> parts = Split(good, '$');
  const std::string salt = parts[2];
  const std::string hash = parts[3];
  const std::vector<std::string> stored = {
      "pw",  // a plain password is not a hash
      "$$$",
      "pbkdf2-sha256$20000$" + salt,
      "pbkdf2-sha1$20000$" + salt + "$" + hash,
      "pbkdf2-sha256$0$" + salt + "$" + hash,
      "pbkdf2-sha256$-5$" + salt + "$" + hash,
      "pbkdf2-sha256$20000x$" + salt + "$" + hash,
      "pbkdf2-sha256$999999999999$" + salt + "$" + hash,
      "pbkdf2-sha256$2000000000$" + salt + "$" + hash,  // would stall the login
      "pbkdf2-sha256$20000$$" + hash,
      "pbkdf2-sha256$20000$" + salt.substr(1) + "$" + hash,
      "pbkdf2-sha256$20000$zz" + salt.substr(2) + "$" + hash,
      "pbkdf2-sha256$20000$" + salt + "$" + hash.substr(0, 20),
      "pbkdf2-sha256$20000$" + salt + "$" + hash + "$",
      "pbkdf2-sha256$20000$" + salt + "$" + hash.substr(0, 63) + (hash.back() == '0' ? "1" : "0"),
  };
  for (const std::string& item : stored) EXPECT_FALSE(VerifyPassword("pw", item)) << item;
  // Uppercase digits are still the same hash.
  EXPECT_TRUE(VerifyPassword("pw", "pbkdf2-sha256$20000$" + ToUpperAscii(salt) + "$" + ToUpperAscii(hash)));
}

}  // namespace
}  // namespace zidezo

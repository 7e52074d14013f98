#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "crypto/Cipher.h"
#include "crypto/CipherKeys.h"

namespace zidezo {
namespace {

using testing::TemporaryFolder;
using testing::WriteFile;

TEST(CipherKeys, DefaultsHaveTheFormsTheCiphersNeed) {
  const TCipherKeys keys = TCipherKeys::Defaults();
  for (const std::string* key : {&keys.testContent, &keys.wordSynonymy, &keys.wordAntonym}) {
    EXPECT_EQ(key->size(), 16u) << *key;
  }
  EXPECT_EQ(HexToBytes(keys.mailTag).size(), 16u);
  EXPECT_NE(keys.testContent, keys.wordSynonymy);
  EXPECT_NE(keys.wordSynonymy, keys.wordAntonym);
}

TEST(CipherKeys, AMissingFileGivesTheDefaults) {
  TemporaryFolder folder;
  EXPECT_EQ(TCipherKeys::Load(folder.Path() / "Setting" / kKeyFileName), TCipherKeys::Defaults());
}

TEST(CipherKeys, ReadsNamedKeysAndKeepsDefaultsForTheOthers) {
  TemporaryFolder folder;
  const auto path = folder.Path() / kKeyFileName;
  WriteFile(path,
            "\xEF\xBB\xBF# keys of this installation\r\n"
            "\n"
            "; the test content\n"
            "Test_Content = AAAAbbbbCCCCdddd\r\n"
            "mail_tag=00112233445566778899aabbccddeeff\n");
  const TCipherKeys keys = TCipherKeys::Load(path);
  EXPECT_EQ(keys.testContent, "AAAAbbbbCCCCdddd");
  EXPECT_EQ(keys.mailTag, "00112233445566778899aabbccddeeff");
  EXPECT_EQ(keys.wordSynonymy, TCipherKeys::Defaults().wordSynonymy);
  EXPECT_EQ(keys.wordAntonym, TCipherKeys::Defaults().wordAntonym);
}

struct BadKeyFile {
  std::string content;
  std::string line;  // the line the message must name
};

TEST(CipherKeys, AMalformedFileNamesTheLine) {
  const std::vector<BadKeyFile> cases = {
      {"test_content\n", "第 1 行"},
      {"# ok\nunknown_key=AAAAbbbbCCCCdddd\n", "第 2 行"},
      {"word_antonym=short\n", "第 1 行"},
      {"word_antonym=AAAAbbbbCCCCddddE\n", "第 1 行"},
      {"\n\nmail_tag=00112233445566778899AABBCCDDEEFG\n", "第 3 行"},
      {"mail_tag=0011223344556677\n", "第 1 行"},
      {"word_synonymy=AAAAbbbbCCCCdddd\nWORD_SYNONYMY=AAAAbbbbCCCCdddd\n", "第 2 行"},
      {"test_content=AAAA\tbbbCCCCdddd\n", "第 1 行"},
  };
  TemporaryFolder folder;
  const auto path = folder.Path() / kKeyFileName;
  for (const BadKeyFile& item : cases) {
    WriteFile(path, item.content);
    try {
      TCipherKeys::Load(path);
      ADD_FAILURE() << "no error for:\n" << item.content;
    } catch (const EKeyFileError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(item.line), std::string::npos) << message;
      EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace zidezo

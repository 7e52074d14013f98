#include <gtest/gtest.h>

#include "InstalledFixture.h"
#include "learners/UserBook.h"

namespace zidezo {
namespace {

using UserConfigTest = testing::InstalledFixture;

TEST_F(UserConfigTest, ReadRulesAndDefaultsOfMissingRows) {
  const int user = learner->Number();
  struct Case {
    int key;
    int stored;
    int read;
  };
  for (const Case& c : {Case{68, 0, 12639424}, Case{66, 30, 60}, Case{67, 4, 10}, Case{17, -1, 0}, Case{66, 80, 80}}) {
    ASSERT_TRUE(center->Channel().ExecSql("update Config set NUMBEREX = ? where USER_ID = ? and SEQUENCE = ?",
                                          {Int(c.stored), Int(user), Int(c.key)}));
    TUserConfig config(center->Channel());
    ASSERT_TRUE(config.Load(user));
    EXPECT_EQ(config.Key(c.key), c.read) << c.key;
  }
  ASSERT_TRUE(center->Channel().ExecSql("delete from Config where USER_ID = ? and SEQUENCE = 8", {Int(user)}));
  TUserConfig config(center->Channel());
  ASSERT_TRUE(config.Load(user));
  EXPECT_EQ(config.Key(8), 140);
}

TEST_F(UserConfigTest, GradeColoursAreWhiteWithoutARowAndOnlyExistingRowsChange) {
  const int user = learner->Number();
  ASSERT_TRUE(center->Channel().ExecSql("delete from Config where USER_ID = ? and SEQUENCE = 33", {Int(user)}));
  TUserConfig config(center->Channel());
  ASSERT_TRUE(config.Load(user));
  EXPECT_EQ(config.ColourKey(3), 16777215);
  EXPECT_FALSE(config.SetColourKey(3, 255));
  EXPECT_EQ(config.ColourKey(3), 16777215);
  EXPECT_TRUE(config.SetColourKey(4, 255));
  EXPECT_EQ(config.ColourKey(4), 255);
}

TEST_F(UserConfigTest, SavingAsDefaultChangesLaterUsersOnly) {
  TUserConfig config(center->Channel());
  ASSERT_TRUE(config.Load(learner->Number()));
  config.Set(UserKey::kFontSize, 18);
  ASSERT_TRUE(config.SaveAsDefault());
  TUser* later = MakeUser("后来者");
  ASSERT_TRUE(later->Config().Load(later->Number()));
  EXPECT_EQ(later->Config().Key(UserKey::kFontSize), 18);
  TUserConfig existing(center->Channel());
  ASSERT_TRUE(existing.Load(learner->Number()));
  EXPECT_NE(existing.Key(UserKey::kFontSize), 18);
}

TEST_F(UserConfigTest, ABookWithoutKey79DefaultsToGrade11) {
  TUserBook* book = learner->WordBooks().back().get();
  ASSERT_TRUE(center->Channel().ExecSql("delete from UserBookConfig where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = 79",
                                        {Int(learner->Number()), Int(book->Number())}));
  ASSERT_TRUE(book->Config().Load(learner->Number(), book->Number()));
  EXPECT_EQ(book->DefaultGrade(), 11);
}

TEST_F(UserConfigTest, TheTemplateRowsHoldEveryKey) {
  EXPECT_EQ(Count("select count(*) from Config where USER_ID = 2"), static_cast<int>(TUserConfig::StoredKeys().size()));
  for (int book : {-1, 0}) {
    for (int key : {1, 2, 5, 7, 8, 39, 42, 61, 62, 71, 79}) {
      EXPECT_EQ(Count("select count(*) from UserBookConfig where User_ID = 116 and USERBOOK_ID = ? and SEQUENCE = ?",
                      {Int(book), Int(key)}),
                1)
          << book << "/" << key;
    }
  }
}

}  // namespace
}  // namespace zidezo

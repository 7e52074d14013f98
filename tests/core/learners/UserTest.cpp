#include <gtest/gtest.h>

#include <filesystem>

#include "InstalledFixture.h"
#include "learners/UserBook.h"

namespace zidezo {
namespace {

using UserTest = testing::InstalledFixture;

TEST_F(UserTest, TheReadyLearnerLogsInWithAnEmptyPasswordAndTemplatesAreNoLearners) {
  EXPECT_EQ(learner->Name(), "学生");
  EXPECT_TRUE(learner->IsAdministrator());
  EXPECT_EQ(center->Learners().size(), 1u);
  EXPECT_EQ(center->Users().size(), 3u);
  EXPECT_TRUE(center->Login(learner, ""));
  EXPECT_TRUE(center->Login(learner, "   "));
  EXPECT_EQ(center->CurrentUser(), learner);
  EXPECT_TRUE(learner->IsLoggedIn());
}

TEST_F(UserTest, PasswordsMatchTrimmedWithoutCaseAndAreNotStoredInPlainText) {
  TUser* user = MakeUser("李雷", "Secret42");
  struct Case {
    const char* typed;
    bool matches;
  };
  for (const Case& c : {Case{"Secret42", true}, Case{"  sEcReT42 ", true}, Case{"secret4", false}, Case{"", false}}) {
    EXPECT_EQ(center->Login(user, c.typed), c.matches) << c.typed;
  }
  const std::string stored =
      center->Channel().QueryText("select USER_PASSWORD from USERS where User_ID = ?", {Int(user->Number())}).value();
  EXPECT_EQ(stored.find("ecret"), std::string::npos);
  // Editing other fields keeps the password.
  TUserFields fields = user->Fields();
  fields.real_name = "Li Lei";
  fields.change_password = false;
  ASSERT_TRUE(user->Save(fields));
  EXPECT_TRUE(user->CheckPassword("secret42"));
}

TEST_F(UserTest, TheLastLoggedInLearnerIsPreselectedNextTime) {
  TUser* second = MakeUser("韩梅梅");
  ASSERT_TRUE(center->Login(second, ""));
  ASSERT_TRUE(center->Login(learner, ""));
  ASSERT_TRUE(center->Login(second, ""));
  TDataCenter reopened(paths);
  std::string error;
  ASSERT_TRUE(reopened.Open(error)) << error;
  EXPECT_EQ(reopened.Learners()[static_cast<std::size_t>(reopened.LastActiveLearnerIndex())]->Name(), "韩梅梅");
  EXPECT_EQ(reopened.CurrentUser()->Name(), "韩梅梅");
}

TEST_F(UserTest, ANewUserGetsTheNextNumberNoteBooksAndTheTemplateConfiguration) {
  // Make the sentence defaults differ from the word defaults, to see which one the sentence note book takes.
  ASSERT_TRUE(center->Channel().ExecSql(
      "update UserBookConfig set NUMBEREX = 77 where User_ID = 116 and USERBOOK_ID = 0 and SEQUENCE = 71"));
  TUser* user = MakeUser("王芳");
  EXPECT_EQ(user->Number(), learner->Number() + 1);
  const SqlParams me{Int(user->Number())};
  EXPECT_EQ(Count("select count(*) from USERBOOKS where USER_ID = ?", me), 4);
  auto names = center->Channel().QueryText(
      "select group_concat(BOOK_NAME, '|') from (select BOOK_NAME from USERBOOKS where USER_ID = ? order by BOOK_ID)", me);
  EXPECT_EQ(names, "阅读笔记本|听说笔记本|句子笔记本|例子笔记本");
  EXPECT_EQ(Count("select Deletable from USERBOOKS where USER_ID = ? and BOOK_ID = 4", me), 2);
  EXPECT_EQ(Count("select NUMBEREX from UserBookConfig where User_ID = ? and USERBOOK_ID = 3 and SEQUENCE = 71", me), 77);
  EXPECT_NE(Count("select NUMBEREX from UserBookConfig where User_ID = ? and USERBOOK_ID = 1 and SEQUENCE = 71", me), 77);
  EXPECT_EQ(Count("select count(*) from UserBookConfig where User_ID = ? and USERBOOK_ID in (-1, 0)", me),
            Count("select count(*) from UserBookConfig where User_ID = 116 and USERBOOK_ID in (-1, 0)"));
  EXPECT_EQ(Count("select count(*) from Config where USER_ID = ?", me), Count("select count(*) from Config where USER_ID = 2"));
  EXPECT_EQ(Count("select sum(NUMBEREX) from Config where USER_ID = ? and SEQUENCE between 43 and 62", me), 0);
  EXPECT_TRUE(std::filesystem::is_directory(user->DesktopFolder()));
  EXPECT_EQ(user->WordBooks().size() + user->SentenceBooks().size(), 4u);
}

TEST_F(UserTest, DuplicateNamesAreRefused) {
  auto user = center->NewUser();
  TUserFields fields;
  fields.name = " 学生 ";
  std::string error;
  EXPECT_FALSE(user->Save(fields, &error));
  EXPECT_EQ(error, kDuplicateUserNameMessage);
  EXPECT_EQ(Count("select count(*) from USERS where USER_NAME = ?", {Text("学生")}), 1);
}

TEST_F(UserTest, DeletingAUserRemovesEveryRowThenTheFolderAndRefusesTemplatesAndTheLoggedIn) {
  TUser* user = MakeUser("张三");
  const int number = user->Number();
  std::string error;
  TUserBook* book = user->AddBook(kWordBook, "基础", false, 1, kWordDefaultsBook, number, error);
  ASSERT_NE(book, nullptr);
  ASSERT_TRUE(book->AddBookContents(kWordBook, book->Number(), 1));
  ASSERT_TRUE(center->Channel().ExecSql("insert into UserWordInfo (User_ID, Word_ID, ReciteCount) values (?, 1, 3)", {Int(number)}));
  const auto folder = user->DesktopFolder().parent_path();
  std::string why;
  EXPECT_FALSE(center->DeleteUser(center->FindUser(2), why));
  EXPECT_FALSE(center->DeleteUser(center->FindUser(116), why));
  ASSERT_TRUE(center->Login(user, ""));
  EXPECT_FALSE(center->DeleteUser(user, why));
  EXPECT_FALSE(why.empty());
  ASSERT_TRUE(center->Login(learner, ""));
  ASSERT_TRUE(center->DeleteUser(user, why)) << why;
  for (const char* table : {"USERS", "USERBOOKS", "Zidezo", "Config", "UserBookConfig", "UserWordInfo"}) {
    EXPECT_EQ(Count(std::string("select count(*) from ") + table + " where User_ID = ?", {Int(number)}), 0) << table;
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(center->FindUser(number), nullptr);
  EXPECT_GT(Count("select count(*) from Zidezo where User_ID = ?", {Int(learner->Number())}), 0);
}

TEST_F(UserTest, TodayCountersResetAtTheFirstLoginOfANewDayOnly) {
  TUser* user = MakeUser("赵六");
  TUserConfig& config = user->Config();
  ASSERT_TRUE(config.Load(user->Number()));
  ASSERT_TRUE(config.SetKey(UserKey::kLastStudyDay, 44999));
  ASSERT_TRUE(config.SetKey(43, 50));
  ASSERT_TRUE(config.SetKey(44, 500));
  ASSERT_TRUE(center->Login(user, ""));
  EXPECT_EQ(user->Config().Key(43), 0);
  EXPECT_EQ(user->Config().Key(44), 500);
  EXPECT_EQ(user->Config().Key(UserKey::kLastStudyDay), 45000);
  EXPECT_EQ(user->AddStudyTime(43, 44), 1);
  ASSERT_TRUE(center->Login(user, ""));
  user->Config().Load(user->Number());
  EXPECT_EQ(user->Config().Key(43), 1);
}

TEST_F(UserTest, QuestionOrderIsCompletedInTheFixedOrder) {
  ASSERT_TRUE(center->Channel().ExecSql("update USERS set QuestionOrder = ? where User_ID = ?",
                                        {Text("阅读理解,完型填空,听力单选题"), Int(learner->Number())}));
  TDataCenter reopened(paths);
  std::string error;
  ASSERT_TRUE(reopened.Open(error));
  const auto& order = reopened.FindUser(learner->Number())->QuestionOrder();
  ASSERT_EQ(order.size(), 15u);
  EXPECT_EQ(order[0], "阅读理解");
  EXPECT_EQ(order[2], "听力单选题");
  EXPECT_EQ(order[3], "材料听力题");
  EXPECT_EQ(order[14], "多项选择题");
}

TEST_F(UserTest, LayoutsRoundTripAndTipUsesCount) {
  std::vector<TLayoutRecord> layouts = {{"单词", 1, 2, 3, 4, 5, 6, 7}, {"释义", 10, 20, 30, 40, 50, 60, 70}};
  ASSERT_TRUE(learner->SaveLayouts(3, layouts));
  const auto loaded = learner->LoadLayouts(3);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[1].name, "释义");
  EXPECT_EQ(loaded[1].font_colour, 70);
  EXPECT_EQ(loaded[0].top, 2);
  EXPECT_EQ(Count("select max(SEQUENCE) from Interface where USER_ID = ? and Style = 3", {Int(learner->Number())}), 27);
  ASSERT_TRUE(center->Channel().ExecSql("insert into PressCount values (?, 5, 610, 0, 1)", {Int(learner->Number())}));
  EXPECT_TRUE(learner->CountTipUse(5, 10, 4));
  EXPECT_EQ(Count("select ClickCount from PressCount where UserID = ? and LayerKey = 610", {Int(learner->Number())}), 1);
}

TEST(UserInput, TheDialogChecksNameLast) {
  EXPECT_EQ(ValidateUserInput("a", "x", " X "), "");
  EXPECT_EQ(ValidateUserInput("a", "x", "y"), "密码输入不一致！");
  EXPECT_EQ(ValidateUserInput("  ", "x", "y"), "用户名不能为空！ ");
}

}  // namespace
}  // namespace zidezo

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "data/AdoChannel.h"

namespace zidezo {
namespace {

class AdoChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(channel.CreateDatabase(folder.File("test.db"))) << channel.LastError();
    ASSERT_TRUE(channel.ExecScript(
        "CREATE TABLE Item (ID INTEGER, Name TEXT COLLATE NOCASE, Score REAL, Data BLOB);"
        "INSERT INTO Item VALUES (1, 'apple', 1.5, x'0102');"
        "INSERT INTO Item VALUES (2, 'Banana', NULL, NULL);"
        "INSERT INTO Item VALUES (3, 'cherry', 3.25, NULL);"));
  }

  int Count() { return static_cast<int>(channel.QueryInteger("select count(*) from Item").value_or(-1)); }

  testing::TemporaryFolder folder;
  TAdoChannel channel;
};

TEST_F(AdoChannelTest, SlotsAreCreatedOnlyOneBeyondTheLast) {
  EXPECT_EQ(channel.OpenQuery("select * from Item", 0), nullptr);
  EXPECT_EQ(channel.OpenQuery("select * from Item", 2), nullptr);
  EXPECT_EQ(channel.SlotCount(), 0);
  EXPECT_NE(channel.OpenQuery("select * from Item", 1), nullptr);
  EXPECT_EQ(channel.SlotCount(), 1);
  EXPECT_EQ(channel.OpenQuery("select * from Item", 3), nullptr);
  EXPECT_NE(channel.OpenQuery("select * from Item", 2), nullptr);
  EXPECT_EQ(channel.SlotCount(), 2);
}

TEST_F(AdoChannelTest, ReusingASlotReplacesItsRowsButLeavesOtherSlots) {
  TResultSet* first = channel.OpenQuery("select * from Item order by ID", 1);
  TResultSet* second = channel.OpenQuery("select * from Item where ID = ?", 2, {Int(3)});
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  TResultSet* again = channel.OpenQuery("select Name from Item where ID = ?", 1, {Int(2)});
  EXPECT_EQ(again, first);
  EXPECT_EQ(first->RowCount(), 1);
  EXPECT_EQ(first->AsText("name"), "Banana");
  EXPECT_EQ(second->AsText("NAME"), "cherry");
}

TEST_F(AdoChannelTest, FieldsReadByNameWithoutCaseAndNullReadsAsZeroOrEmpty) {
  TResultSet* rows = channel.OpenQuery("select * from Item order by ID", 1);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->AsInt("id"), 1);
  EXPECT_DOUBLE_EQ(rows->AsFloat("SCORE"), 1.5);
  EXPECT_EQ(rows->AsBlob("data"), (Bytes{1, 2}));
  rows->Next();
  EXPECT_TRUE(rows->IsNull("Score"));
  EXPECT_EQ(rows->AsFloat("Score"), 0.0);
  EXPECT_EQ(rows->AsText("Data"), "");
  EXPECT_EQ(rows->AsInt("NoSuchField"), 0);
}

TEST_F(AdoChannelTest, NavigationStopsAtBothEnds) {
  TResultSet* rows = channel.OpenQuery("select ID from Item order by ID", 1);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->RowCount(), 3);
  rows->MoveBy(2);
  EXPECT_EQ(rows->AsInt("ID"), 3);
  rows->MoveBy(5);
  EXPECT_TRUE(rows->Eof());
  EXPECT_EQ(rows->AsInt("ID"), 0);
  rows->First();
  EXPECT_EQ(rows->AsInt("ID"), 1);
  rows->MoveBy(-4);
  EXPECT_TRUE(rows->Bof());
}

TEST_F(AdoChannelTest, AResultIsASnapshot) {
  TResultSet* rows = channel.OpenNamedQuery("Page", "select * from Item order by ID");
  ASSERT_NE(rows, nullptr);
  ASSERT_TRUE(channel.ExecSql("update Item set Name = ? where ID = 1", {Text("changed")}));
  ASSERT_TRUE(channel.ExecSql("delete from Item where ID = 3"));
  EXPECT_EQ(channel.FindNamedQuery("page"), rows);
  EXPECT_EQ(rows->RowCount(), 3);
  EXPECT_EQ(rows->AsText("Name"), "apple");
  EXPECT_EQ(channel.FindNamedQuery("Other"), nullptr);
}

TEST_F(AdoChannelTest, ValuesAreBoundNeverFormatted) {
  const std::string hostile = "O'Brien'); drop table Item; --";
  ASSERT_TRUE(channel.ExecSql("insert into Item (ID, Name, Score) values (?, ?, ?)", {Int(4), Text(hostile), Real(0.123456789)}));
  auto row = channel.Query("select * from Item where Name = ?", {Text(hostile)});
  ASSERT_TRUE(row && !row->Eof());
  EXPECT_DOUBLE_EQ(row->AsFloat("Score"), 0.123456789);
  EXPECT_EQ(Count(), 4);
}

TEST_F(AdoChannelTest, TextComparesWithoutCase) {
  EXPECT_EQ(channel.QueryInteger("select ID from Item where Name = ?", {Text("BANANA")}), 2);
  EXPECT_EQ(channel.QueryInteger("select ID from ITEM where nAmE like ?", {Text("CHER%")}), 3);
}

TEST_F(AdoChannelTest, StatementListsAreAllOrNothing) {
  EXPECT_TRUE(channel.ExecSqlList({}));
  const bool ok = channel.ExecSqlList({{"insert into Item (ID) values (?)", {Int(10)}},
                                       {"insert into Item (ID) values (?)", {Int(11)}},
                                       {"insert into NoSuchTable values (1)", {}}});
  EXPECT_FALSE(ok);
  EXPECT_NE(channel.LastError().find("NoSuchTable"), std::string::npos);
  EXPECT_EQ(Count(), 3);
  EXPECT_TRUE(channel.ExecSqlList({{"delete from Item where ID = ?", {Int(1)}}, {"delete from Item where ID = ?", {Int(2)}}}));
  EXPECT_EQ(Count(), 1);
}

TEST_F(AdoChannelTest, FailuresReturnFalseOrNoneAndKeepTheEngineText) {
  EXPECT_FALSE(channel.ExecSql("updte Item set ID = 1"));
  EXPECT_NE(channel.LastError().find("syntax error"), std::string::npos);
  EXPECT_EQ(channel.OpenQuery("select * from Missing", 1), nullptr);
  EXPECT_NE(channel.LastError().find("Missing"), std::string::npos);
  EXPECT_EQ(channel.OpenNamedQuery("x", "select ?", {}), nullptr);  // a placeholder without its value
  EXPECT_FALSE(channel.ExecSql("insert into Item (ID) values (?)", {Int(1), Int(2)}));
  EXPECT_EQ(Count(), 3);
}

TEST_F(AdoChannelTest, TransactionsNestAndRollBackTogether) {
  const bool ok = channel.InTransaction([&] {
    channel.RunSql("insert into Item (ID) values (20)");
    EXPECT_TRUE(channel.ExecSql("insert into Item (ID) values (21)"));  // inner, committed to the outer
    EXPECT_FALSE(channel.ExecSql("bad statement"));                     // inner failure rolls back only itself
    return false;                                                       // the outer rolls back everything
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(Count(), 3);
  EXPECT_FALSE(channel.InsideTransaction());
  EXPECT_THROW(channel.InTransaction([&]() -> bool {
    channel.RunSql("insert into Item (ID) values (22)");
    throw std::runtime_error("boom");
  }),
               std::runtime_error);
  EXPECT_EQ(Count(), 3);
  EXPECT_TRUE(channel.InTransaction([&] { return channel.RunSql("insert into Item (ID) values (23)"); }));
  EXPECT_EQ(Count(), 4);
}

TEST(AdoChannelOpen, MissingOrDamagedFilesAreRefused) {
  testing::TemporaryFolder folder;
  TAdoChannel channel;
  EXPECT_FALSE(channel.OpenDatabase(folder.File("none.db")));
  EXPECT_FALSE(channel.IsOpen());
  testing::WriteFile(folder.File("junk.db"), std::string(4096, 'x'));
  EXPECT_FALSE(channel.OpenDatabase(folder.File("junk.db")));
  EXPECT_NE(channel.LastError().find("not a database"), std::string::npos);
  EXPECT_EQ(channel.FileName(), folder.File("junk.db"));
  EXPECT_FALSE(channel.ExecSql("select 1"));
  EXPECT_EQ(testing::ReadFile(folder.File("junk.db")), std::string(4096, 'x'));
}

}  // namespace
}  // namespace zidezo

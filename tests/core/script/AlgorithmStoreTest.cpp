#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "data/AdoChannel.h"
#include "data/Catalogue.h"
#include "script/AlgorithmStore.h"

namespace zidezo {
namespace {

class AlgorithmStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(channel_.CreateDatabase(folder_.File("Config.db")));
    ASSERT_TRUE(CreateTables(channel_, *FindDatabase("Config")));
    ASSERT_TRUE(channel_.ExecSql("insert into Algorithm(ID, User_ID, AlgorithmType, Title, Content, UseShare) "
                                 "values (1, 2, 1, '共享', 'shared', 0), (2, 2, 0, '速率', 'rate', 0)"));
  }
  testing::TemporaryFolder folder_;
  TAdoChannel channel_;
  TAlgorithmStore store_{channel_, 7};
};

TEST_F(AlgorithmStoreTest, ListsOwnAlgorithmsBeforeSharedOnes) {
  const int own = store_.AddAlgorithm(kAbilityAlgorithm, "我的", "mine");
  EXPECT_EQ(own, 3);
  TAlgorithmStore other(channel_, 8);
  EXPECT_EQ(other.AddAlgorithm(kAbilityAlgorithm, "别人的", "theirs"), 4);
  std::vector<TAlgorithm> list;
  ASSERT_TRUE(store_.ListAlgorithms(kAbilityAlgorithm, list));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].id, own);
  EXPECT_TRUE(list[0].deletable);
  EXPECT_EQ(list[1].id, 1);
  EXPECT_FALSE(list[1].deletable);
  EXPECT_EQ(store_.LoadAlgorithmContent(own), "mine");
  EXPECT_EQ(store_.LoadAlgorithmContent(99), "");
}

TEST_F(AlgorithmStoreTest, UpdatesSharesAndDeletes) {
  const int id = store_.AddAlgorithm(kSpeedAlgorithm, "新", "a");
  ASSERT_TRUE(store_.UpdateAlgorithm(id, "改", "b"));
  EXPECT_EQ(store_.LoadAlgorithmContent(id), "b");
  ASSERT_TRUE(store_.ShareAlgorithm(id));
  EXPECT_EQ(channel_.QueryInteger("select User_ID from Algorithm where ID = ?", {Int(id)}), 2);
  EXPECT_TRUE(store_.DeleteAlgorithm(id));
  EXPECT_EQ(store_.LoadAlgorithmContent(id), "");
}

TEST_F(AlgorithmStoreTest, RefusesToDeleteAnAlgorithmABookUses) {
  for (const int sequence : {8, 42}) {
    const int id = store_.AddAlgorithm(kAbilityAlgorithm, "用着", "x");
    ASSERT_TRUE(channel_.ExecSql("insert into UserBookConfig(User_ID, USERBOOK_ID, SEQUENCE, NUMBEREX, CHOICE) values (7, 1, ?, ?, '')",
                                 {Int(sequence), Int(id)}));
    EXPECT_FALSE(store_.DeleteAlgorithm(id)) << sequence;
    EXPECT_EQ(store_.LoadAlgorithmContent(id), "x");
  }
}

}  // namespace
}  // namespace zidezo

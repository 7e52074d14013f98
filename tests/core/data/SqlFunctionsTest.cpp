#include <gtest/gtest.h>

#include "TestSupport.h"
#include "data/AdoChannel.h"

namespace zidezo {
namespace {

class SqlFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(channel.CreateDatabase(folder.File("f.db"))); }
  testing::TemporaryFolder folder;
  TAdoChannel channel;
};

TEST_F(SqlFunctionsTest, NowReadsTheProgramClock) {
  testing::ManualClockScope clock(45123.75);
  EXPECT_DOUBLE_EQ(channel.QueryFloat("select Now()").value(), 45123.75);
  clock.Clock().AdvanceHours(6);
  EXPECT_DOUBLE_EQ(channel.QueryFloat("select now()").value(), 45124.0);
}

TEST_F(SqlFunctionsTest, DialectFunctions) {
  struct Case {
    const char* expression;
    const char* expected;
  };
  const Case cases[] = {
      {"Round(2.5)", "2"},       {"Round(3.5)", "4"},         {"Round(-2.5)", "-2"},      {"Round(2.4999)", "2"},
      {"Round(0.125, 2)", "0.12"}, {"Round(0.375, 2)", "0.38"}, {"Round(NULL)", ""},        {"Len('abc')", "3"},
      {"Len('学生')", "2"},       {"Len(NULL)", ""},           {"Int(2.7)", "2"},          {"Int(-2.2)", "-3"},
      {"IIf(1 > 2, 'a', 'b')", "b"}, {"UCase('abC')", "ABC"},  {"LCase('AbC')", "abc"},
  };
  for (const Case& c : cases) {
    auto value = channel.QueryText(std::string("select ") + c.expression);
    EXPECT_EQ(value.value_or(""), c.expected) << c.expression;
  }
}

TEST_F(SqlFunctionsTest, MaxOverNoRowsReadsAsZero) {
  ASSERT_TRUE(channel.ExecSql("create table T (ID INTEGER)"));
  TResultSet* rows = channel.OpenQuery("select Max(ID) as MaxID from T", 1);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->AsInt("MaxID"), 0);
}

}  // namespace
}  // namespace zidezo

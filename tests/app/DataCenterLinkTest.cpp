#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shell/DataCenterLink.h"

namespace zidezo::app {
namespace {

// The shell over a real new installation in a temporary folder.
TEST(DataCenterLink, NewInstallationOffersTheReadyLearnerAndTheLoginRule) {
  testing::TemporaryFolder folder;
  TDataCenterLink link(DataPaths{folder.Path()});
  std::string error;
  ASSERT_TRUE(link.Open(error)) << error;
  EXPECT_EQ(link.MajorVersion(), 2);
  EXPECT_EQ(link.MinorVersion(), 0);
  const QStringList names = link.LearnerNames();
  const int student = static_cast<int>(names.indexOf("学生"));
  ASSERT_GE(student, 0);

  TDataCenter& center = link.Center();
  auto tom = center.NewUser();
  TUserFields fields;
  fields.name = "Tom";
  fields.password = "Secret";
  ASSERT_TRUE(tom->Save(fields));
  ASSERT_NE(center.InitialiseNewUser(std::move(tom), error), nullptr) << error;
  const int tom_index = static_cast<int>(link.LearnerNames().indexOf("Tom"));
  ASSERT_GE(tom_index, 0);

  const int before = link.CurrentLearnerIndex();
  EXPECT_FALSE(link.Login(tom_index, "Secrets"));
  EXPECT_EQ(link.CurrentLearnerIndex(), before);
  EXPECT_TRUE(link.Login(tom_index, "  sECRET "));  // blanks and letter case do not matter
  EXPECT_EQ(link.CurrentLearnerIndex(), tom_index);
  EXPECT_TRUE(link.Login(student, ""));  // the ready learner's empty password
  EXPECT_EQ(link.CurrentLearnerIndex(), student);
}

}  // namespace
}  // namespace zidezo::app

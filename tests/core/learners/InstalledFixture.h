#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "learners/DataCenter.h"
#include "learners/NewInstallation.h"

namespace zidezo::testing {

// A complete new installation in a temporary folder, opened through the data center.
class InstalledFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(EnsureInstallation(paths, error)) << error;
    center = std::make_unique<TDataCenter>(paths);
    ASSERT_TRUE(center->Open(error)) << error;
    ASSERT_FALSE(center->Learners().empty());
    learner = center->Learners().front();
  }

  // A fresh learner made through the dialog's path.
  TUser* MakeUser(const std::string& name, const std::string& password = "") {
    auto user = center->NewUser();
    EXPECT_TRUE(user);
    TUserFields fields;
    fields.name = name;
    fields.password = password;
    EXPECT_TRUE(user->Save(fields));
    std::string error;
    TUser* made = center->InitialiseNewUser(std::move(user), error);
    EXPECT_NE(made, nullptr) << error;
    return made;
  }

  int Count(const std::string& sql, const SqlParams& params = {}) {
    return static_cast<int>(center->Channel().QueryInteger(sql, params).value_or(-1));
  }

  TemporaryFolder folder;
  ManualClockScope clock{45000.5};
  DataPaths paths{folder.Path() / "home"};
  std::unique_ptr<TDataCenter> center;
  TUser* learner = nullptr;
};

}  // namespace zidezo::testing

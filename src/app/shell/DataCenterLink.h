#pragma once

#include <memory>

#include "data/DataRoot.h"
#include "learners/DataCenter.h"
#include "shell/LearnerDirectory.h"
#include "shell/UserDialog.h"

namespace zidezo::app {

// The program's data: the installation on the data root and its data center.
class TDataCenterLink : public IProgramData {
 public:
  explicit TDataCenterLink(DataPaths paths);

  bool Open(std::string& error) override;
  int MajorVersion() const override { return center_.MajorVersion(); }
  int MinorVersion() const override { return center_.MinorVersion(); }
  QString PublisherName() const override;
  QString WebSite() const override;
  QString DataRoot() const override;

  QStringList LearnerNames() const override;
  int LastActiveLearnerIndex() const override { return center_.LastActiveLearnerIndex(); }
  int CurrentLearnerIndex() const override;
  bool Login(int index, const QString& password) override;
  void MarkCurrentActive() override;
  TLearnerDisplay CurrentDisplay() const override;
  TUser* CurrentUser() const override { return center_.CurrentUser(); }

  TDataCenter& Center() { return center_; }

 private:
  QString CompanyValue(const char* key) const;

  DataPaths paths_;
  TDataCenter center_;
};

// The user dialog over the data center: edits the learner, or creates one when user is null.
// Returns the learner, or null when cancelled (or when a new learner could not be stored).
TUser* EditUser(TDataCenter& center, TUser* user, bool view_only, IDialogs& dialogs, QWidget* parent = nullptr);

}  // namespace zidezo::app

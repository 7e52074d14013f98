#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <string>

namespace zidezo {
class TUser;
}

namespace zidezo::app {

// The display settings of the current learner that the main window applies.
struct TLearnerDisplay {
  int desktop_colour = 0x808000;  // teal, in blue-green-red order
  bool show_desktop = false;      // user key 21
  int desktop_picture_mode = 0;   // user key 27: 0 none, 1 and 2 the picture
  int book_picture_mode = 0;      // user key 28
  bool centre_on_hot_key = false;  // user key 14
  QString desktop_picture;        // full path, empty when none is set
  QString book_picture;
};

// What the shell needs of the learners: the login list, the login rule and the current learner.
// The program passes the data center; tests pass a small fake.
class ILearnerDirectory {
 public:
  virtual ~ILearnerDirectory() = default;
  virtual QStringList LearnerNames() const = 0;
  virtual int LastActiveLearnerIndex() const = 0;
  // -1 before the first login.
  virtual int CurrentLearnerIndex() const = 0;
  // Checks the password (trimmed, letter case ignored); on success the learner is current and
  // logged in.
  virtual bool Login(int index, const QString& password) = 0;
  virtual void MarkCurrentActive() = 0;
  virtual TLearnerDisplay CurrentDisplay() const = 0;
  // The core's learner for the reciting world; may be null in tests.
  virtual TUser* CurrentUser() const = 0;
};

// What the entry needs of the installation behind the learners.
class IProgramData : public ILearnerDirectory {
 public:
  // Creates a new installation when the data root holds none, then opens it.
  virtual bool Open(std::string& error) = 0;
  virtual int MajorVersion() const = 0;
  virtual int MinorVersion() const = 0;
  // From the settings file: "Company" / "Name" and "Company" / "WebSite".
  virtual QString PublisherName() const = 0;
  virtual QString WebSite() const = 0;
  virtual QString DataRoot() const = 0;
};

}  // namespace zidezo::app

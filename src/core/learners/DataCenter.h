#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/AdoChannel.h"
#include "data/DataRoot.h"
#include "learners/User.h"
#include "learners/Voices.h"
#include "learners/WordLookup.h"

namespace zidezo {

// The application-wide hub: the databases of one installation, its users and the current user.
class TDataCenter {
 public:
  explicit TDataCenter(DataPaths paths);
  ~TDataCenter();

  // Opens Config.db of an existing installation, reads the version and loads the users.
  // False with error set when the database cannot be opened or read.
  bool Open(std::string& error);

  const DataPaths& Paths() const { return paths_; }
  TAdoChannel& Channel() { return channel_; }
  int MajorVersion() const { return major_version_; }
  int MinorVersion() const { return minor_version_; }
  // The program runs only against version 2.0.
  bool VersionMatches() const { return major_version_ == 2 && minor_version_ == 0; }

  // Every user in User_ID order (templates included), and the learners only (login list, user menu).
  const std::vector<std::unique_ptr<TUser>>& Users() const { return users_; }
  std::vector<TUser*> Learners() const;
  // Position in Learners() of the last active learner (greatest Active_Sequence; first on ties).
  int LastActiveLearnerIndex() const;

  TUser* CurrentUser() const { return current_; }
  TUser* FindUser(int number) const;
  bool SelectUser(TUser* user);
  // The login: checks the password, selects the user, runs LoggedIn and MarkUserActive.
  bool Login(TUser* user, std::string_view password);

  // A new, unsaved user with the next user number.
  std::unique_ptr<TUser> NewUser();
  // Creates the new (saved) user's rows and folders and adds him to the users; nullptr on failure.
  TUser* InitialiseNewUser(std::unique_ptr<TUser> user, std::string& error);
  // Refuses templates and the logged-in user (why says so).
  bool DeleteUser(TUser* user, std::string& why);
  bool MarkUserActive(int user);
  std::vector<int> AllUserNumbers();
  bool ResetStudyTime(int user);

  // The voices are started on first use (speech engines are slow to start); none when unavailable.
  TVoices& Voices();
  // Voice, rate and volume of a user's configuration (keys 9, 12, 13).
  void ApplyVoiceSettings(const TUserConfig& config);
  // The word, example and dictionary services.
  TWordLookup& Lookup() { return *lookup_; }
  // Recently used files of the settings file.
  void AddRecentFile(int user, const std::string& list, const std::string& path);
  std::vector<std::string> RecentFiles(int user, const std::string& list);

 private:
  bool LoadUsers(std::string& error);
  void ForceUserFolders(const TUser& user) const;
  bool CopyTemplateRows(int user, std::string& error);

  DataPaths paths_;
  TAdoChannel channel_;
  int major_version_ = 0;
  int minor_version_ = 0;
  std::vector<std::unique_ptr<TUser>> users_;
  TUser* current_ = nullptr;
  std::unique_ptr<TVoices> voices_;
  std::unique_ptr<TWordLookup> lookup_;
};

}  // namespace zidezo

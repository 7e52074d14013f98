#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "learners/UserConfig.h"

namespace zidezo {

class TAdoChannel;
class TDataCenter;

// The template users: 2 owns the shared defaults, 116 the user-number counter and book defaults.
inline constexpr int kTemplateUser = 2;
inline constexpr int kCounterUser = 116;

// What the user dialog edits.
struct TUserFields {
  std::string name;
  std::string password;  // plain text as typed; stored only as a salted hash
  std::string real_name;
  std::string learner_number;
  bool may_edit_dictionary = false;
  bool administrator = false;
  std::string smtp_host;
  std::string pop3_host;
  std::string email_address;
  std::string email_password;
  std::string teacher_emails;  // one address per line
};

// The user dialog's check: "" when the input may be stored, else the message to show
// ("密码输入不一致！" or "用户名不能为空！ ", the name check winning).
std::string ValidateUserInput(const std::string& name, const std::string& password, const std::string& confirmation);

// A learner (one row of USERS) with his configuration and books.
class TUser {
 public:
  TUser(TAdoChannel& channel, TDataCenter& center);
  ~TUser();

  int Number() const { return number_; }
  const std::string& Name() const { return fields_.name; }
  const TUserFields& Fields() const { return fields_; }
  bool IsAdministrator() const { return fields_.administrator; }
  bool MayEditDictionary() const { return fields_.may_edit_dictionary; }
  bool IsTemplate() const { return number_ == kTemplateUser || number_ == kCounterUser; }
  bool IsNew() const { return new_; }

  // The login rule: the typed password, trimmed, matches without regard to case; empty matches empty.
  bool CheckPassword(std::string_view typed) const;

  // Pictures and music (file names inside the user's folders).
  const std::string& DeskTopPicture() const { return desktop_picture_; }
  const std::string& BookPicture() const { return book_picture_; }
  const std::string& MusicFile() const { return music_file_; }
  void SetPictures(std::string desktop, std::string book, std::string music);
  bool SavePictures();

  std::filesystem::path DesktopFolder() const;
  std::filesystem::path BookFolder() const;
  std::filesystem::path MusicFolder() const;

  TUserConfig& Config() { return config_; }
  const TUserConfig& Config() const { return config_; }

  // Applies the dialog's fields (trimmed; the login name from the e-mail address) and stores the row.
  bool Save(const TUserFields& fields);
  bool LoggedIn();
  bool IsLoggedIn() const { return logged_in_; }

 private:
  friend class TDataCenter;
  TAdoChannel& channel_;
  TDataCenter& center_;
  bool new_ = true;
  int number_ = 0;
  TUserFields fields_;
  std::string password_hash_;
  std::string desktop_picture_, book_picture_, music_file_;
  int active_sequence_ = 0;
  TUserConfig config_;
  bool logged_in_ = false;
};

}  // namespace zidezo

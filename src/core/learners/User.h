#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "learners/UserConfig.h"
#include "learners/WordInfo.h"

namespace zidezo {

class TAdoChannel;
class TDataCenter;
class TUserBook;
class TWord;

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
  bool change_password = true;  // false keeps the stored password (editing other fields only)
};

// The question-type titles in their fixed order (types 1 to 15).
const std::vector<std::string>& QuestionTypeTitles();

// The layout of one screen element of a reciting mode.
struct TLayoutRecord {
  std::string name;
  int left = 0, top = 0, width = 0, height = 0, colour = 0, font_size = 0, font_colour = 0;
};

inline constexpr const char* kDuplicateUserNameMessage = "用户名已经存在！";
inline constexpr const char* kUserMessageCaption = "提示";

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
  // A name another user already has is refused with kDuplicateUserNameMessage in error.
  bool Save(const TUserFields& fields, std::string* error = nullptr);
  // Loads the configuration, applies voice, rate and volume, resets the day counters on a new day.
  bool LoggedIn();
  bool IsLoggedIn() const { return logged_in_; }
  int ActiveSequence() const { return active_sequence_; }

  const std::vector<std::string>& QuestionOrder() const { return question_order_; }
  bool SaveQuestionOrder(const std::vector<std::string>& order);

  // Adds a second of study to a today counter and its total; returns the today counter.
  int AddStudyTime(int today_key, int total_key);
  bool CountTipUse(int layer, int key, int kind);
  std::vector<TLayoutRecord> LoadLayouts(int style);
  bool SaveLayouts(int style, const std::vector<TLayoutRecord>& records);

  // The user's word information (categories, relations, links, searches).
  TWordInformation& WordInformation();

  // Books.
  const std::vector<std::unique_ptr<TUserBook>>& WordBooks() const { return word_books_; }
  const std::vector<std::unique_ptr<TUserBook>>& SentenceBooks() const { return sentence_books_; }
  std::vector<std::unique_ptr<TUserBook>>& BookList(int kind);
  TUserBook* FindBook(int number) const;
  // Fills both book lists from USERBOOKS, in SEQUENCE order, with their configurations.
  bool LoadBooks();
  std::unique_ptr<TUserBook> NewUserBook();
  int NextBookNumber();
  // Creates a book (or, when existing, only stores a template configuration under template_book's
  // number for this user) with the configuration of (template_user, template_book). A book with
  // deletable 1 joins the user's list and is returned; otherwise nullptr is returned.
  TUserBook* AddBook(int kind, const std::string& name, bool existing, int deletable, int template_book,
                     int template_user, std::string& error);
  void AppendToBookList(int kind, std::unique_ptr<TUserBook> book);
  bool RemoveBook(TUserBook* book);
  bool SaveBookOrder();
  void ExchangeBooks(int kind, int i, int j);
  bool ClearBook(int book);
  bool MergeBooks(int target, int source);
  bool SetRelationBook(int book, int relation_book);
  bool MarkBookActive(int book);
  std::unique_ptr<TUserBook> LoadHelpBook();
  bool AddWordToNoteBook(int note_book, int word);
  bool AddSentenceToNoteBook(const TUserBook* source, const std::string& text);
  // Items of a named query's page; the whole result with page size 2147483647 and page 0.
  std::vector<std::unique_ptr<TWord>> LoadItemPage(const std::string& query, int page_size, bool full_example,
                                                    TUserBook& book, bool answered, int page_index);

 private:
  void FillFromRow(const class TResultSet& row);
  std::unique_ptr<TUserBook> BookFromRow(const class TResultSet& row);

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
  std::unique_ptr<TWordInformation> word_information_;
  std::vector<std::string> question_order_;
  std::vector<std::unique_ptr<TUserBook>> word_books_;
  std::vector<std::unique_ptr<TUserBook>> sentence_books_;
  int book_activity_ = 0;
  bool logged_in_ = false;
};

}  // namespace zidezo

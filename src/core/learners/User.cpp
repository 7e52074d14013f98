#include "learners/User.h"

#include <algorithm>

#include "base/Clock.h"
#include "base/Text.h"
#include "crypto/PasswordHash.h"
#include "data/AdoChannel.h"
#include "learners/DataCenter.h"
#include "learners/UserBook.h"

namespace zidezo {

const std::vector<std::string>& QuestionTypeTitles() {
  static const std::vector<std::string> titles = {
      "听力单选题", "材料听力题", "单项选择题", "阅读理解",   "完型填空",   "材料听写题", "材料翻译题", "填空问答题",
      "单个翻译题", "信息匹配题", "材料问答题", "材料改错题", "材料综合题", "材料排序题", "多项选择题"};
  return titles;
}

std::string ValidateUserInput(const std::string& name, const std::string& password, const std::string& confirmation) {
  if (Trim(name).empty()) return "用户名不能为空！ ";
  if (!EqualsNoCase(Trim(password), Trim(confirmation))) return "密码输入不一致！";
  return "";
}

TUser::TUser(TAdoChannel& channel, TDataCenter& center) : channel_(channel), center_(center), config_(channel) {}

TUser::~TUser() = default;

TWordInformation& TUser::WordInformation() {
  if (!word_information_ || word_information_->User() != number_) {
    word_information_ = std::make_unique<TWordInformation>(channel_, number_);
  }
  return *word_information_;
}

bool TUser::CheckPassword(std::string_view typed) const { return VerifyPassword(std::string(typed), password_hash_); }

void TUser::SetPictures(std::string desktop, std::string book, std::string music) {
  desktop_picture_ = std::move(desktop);
  book_picture_ = std::move(book);
  music_file_ = std::move(music);
}

bool TUser::SavePictures() {
  return channel_.ExecSql("update USERS set DeskTopPicture = ?, BookPicture = ?, MusicFile = ? where User_ID = ?",
                          {Text(desktop_picture_), Text(book_picture_), Text(music_file_), Int(number_)});
}

std::filesystem::path TUser::DesktopFolder() const { return center_.Paths().UserFolder(number_) / "DeskTop"; }
std::filesystem::path TUser::BookFolder() const { return center_.Paths().UserFolder(number_) / "Book"; }
std::filesystem::path TUser::MusicFolder() const { return center_.Paths().UserFolder(number_) / "Music"; }

void TUser::FillFromRow(const TResultSet& row) {
  new_ = false;
  number_ = row.AsInt("User_ID");
  fields_.name = row.AsText("USER_NAME");
  password_hash_ = row.AsText("USER_PASSWORD");
  fields_.password.clear();
  fields_.may_edit_dictionary = row.AsInt("Update_Dictionary") == 1;
  fields_.administrator = row.AsInt("User_Type") == 1;
  desktop_picture_ = row.AsText("DeskTopPicture");
  book_picture_ = row.AsText("BookPicture");
  music_file_ = row.AsText("MusicFile");
  fields_.real_name = row.AsText("User_RealName");
  fields_.learner_number = row.AsText("User_Number");
  active_sequence_ = row.AsInt("Active_Sequence");
  fields_.smtp_host = row.AsText("SmtpHost");
  fields_.pop3_host = row.AsText("Pop3Host");
  fields_.email_password = row.AsText("LoginPassword");
  fields_.email_address = row.AsText("EMailAddress");
  fields_.teacher_emails = row.AsText("TeacherEMailAddress");
  question_order_.clear();
  for (const std::string& title : Split(row.AsText("QuestionOrder"), ',')) {
    if (!Trim(title).empty()) question_order_.push_back(Trim(title));
  }
  for (const std::string& title : QuestionTypeTitles()) {
    if (std::find(question_order_.begin(), question_order_.end(), title) == question_order_.end()) {
      question_order_.push_back(title);
    }
  }
}

bool TUser::Save(const TUserFields& input, std::string* error) {
  TUserFields fields = input;
  for (std::string* text : {&fields.name, &fields.real_name, &fields.learner_number, &fields.smtp_host, &fields.pop3_host,
                            &fields.email_address, &fields.email_password, &fields.teacher_emails}) {
    *text = Trim(*text);
  }
  if (channel_.QueryInteger("select User_ID from USERS where USER_NAME = ? and User_ID <> ?", {Text(fields.name), Int(number_)})) {
    if (error != nullptr) *error = kDuplicateUserNameMessage;
    return false;
  }
  const std::string hash = (new_ || fields.change_password) ? HashPassword(fields.password) : password_hash_;
  const auto at = fields.email_address.find('@');
  const std::string login_name = at == std::string::npos ? "" : fields.email_address.substr(0, at);
  const SqlParams values{Text(fields.name),        Text(hash),
                         Text(fields.real_name),   Text(fields.learner_number),
                         Int(fields.may_edit_dictionary ? 1 : 0), Int(fields.administrator ? 1 : 0),
                         Text(fields.smtp_host),   Text(fields.pop3_host),
                         Text(login_name),         Text(fields.email_password),
                         Text(fields.email_address), Text(fields.teacher_emails),
                         Int(number_)};
  bool ok = false;
  if (new_) {
    ok = channel_.ExecSql(
        "insert into USERS (USER_NAME, USER_PASSWORD, User_RealName, User_Number, Update_Dictionary, User_Type, SmtpHost, "
        "Pop3Host, LoginName, LoginPassword, EMailAddress, TeacherEMailAddress, User_ID, BookMaxID, Active_Sequence, "
        "UserMaxID, QuestionOrder, DeskTopPicture, BookPicture, MusicFile) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, '', '', '', '')",
        values);
  } else {
    ok = channel_.ExecSql(
        "update USERS set USER_NAME = ?, USER_PASSWORD = ?, User_RealName = ?, User_Number = ?, Update_Dictionary = ?, "
        "User_Type = ?, SmtpHost = ?, Pop3Host = ?, LoginName = ?, LoginPassword = ?, EMailAddress = ?, "
        "TeacherEMailAddress = ? where User_ID = ?",
        values);
  }
  if (!ok) {
    if (error != nullptr) *error = channel_.LastError();
    return false;
  }
  fields.password.clear();
  fields_ = fields;
  password_hash_ = hash;
  new_ = false;
  return true;
}

bool TUser::LoggedIn() {
  if (!config_.Load(number_)) return false;
  center_.ApplyVoiceSettings(config_);
  if (!logged_in_) {
    const int today = DayOf(Now());
    if (config_.Key(UserKey::kLastStudyDay) != today) {
      const bool reset = channel_.InTransaction([&] {
        for (int key = UserKey::kFirstStudyTime; key <= UserKey::kLastStudyTime; key += 2) {
          if (!config_.SetKey(key, 0)) return false;
        }
        return config_.SetKey(UserKey::kLastStudyDay, today);
      });
      if (!reset) return false;
    }
  }
  logged_in_ = true;
  return true;
}

bool TUser::SaveQuestionOrder(const std::vector<std::string>& order) {
  if (!channel_.ExecSql("update USERS set QuestionOrder = ? where User_ID = ?", {Text(Join(order, ",")), Int(number_)})) {
    return false;
  }
  question_order_ = order;
  return true;
}

int TUser::AddStudyTime(int today_key, int total_key) {
  for (int key : {today_key, total_key}) {
    channel_.ExecSql("update Config set NUMBEREX = NUMBEREX + 1 where USER_ID = ? and SEQUENCE = ?", {Int(number_), Int(key)});
  }
  TResultSet* value = channel_.OpenNamedQuery("GetStudyTime", "select NUMBEREX from Config where USER_ID = ? and SEQUENCE = ?",
                                              {Int(number_), Int(today_key)});
  return value ? value->AsInt("NUMBEREX") : 0;
}

bool TUser::CountTipUse(int layer, int key, int kind) {
  return channel_.RunSql("update PressCount set ClickCount = ClickCount + 1 where UserID = ? and LayerID = ? and LayerKey = ?",
                         {Int(number_), Int(layer), Int(kind == 4 ? key + 600 : key)});
}

namespace {

constexpr const char* kLayoutWords[] = {"左", "上", "宽", "高", "颜色", "字体大小", "字体颜色"};

int* LayoutField(TLayoutRecord& record, int attribute) {
  int* fields[] = {&record.left, &record.top, &record.width, &record.height, &record.colour, &record.font_size,
                   &record.font_colour};
  return fields[attribute];
}

}  // namespace

std::vector<TLayoutRecord> TUser::LoadLayouts(int style) {
  std::vector<TLayoutRecord> records;
  auto rows = channel_.Query(
      "select NUMBEREX, SEQUENCE, CHOICE, EXPLAIN from Interface where USER_ID = ? and Style = ? order by SEQUENCE",
      {Int(number_), Int(style)});
  if (!rows) return records;
  for (rows->First(); !rows->Eof(); rows->Next()) {
    const std::string name = Trim(rows->AsText("EXPLAIN"));
    auto found = std::find_if(records.begin(), records.end(), [&](const TLayoutRecord& r) { return r.name == name; });
    if (found == records.end()) {
      records.push_back(TLayoutRecord{name});
      found = records.end() - 1;
    }
    const std::string choice = rows->AsText("CHOICE");
    for (int attribute = 0; attribute < 7; ++attribute) {
      if (choice == name + kLayoutWords[attribute]) *LayoutField(*found, attribute) = rows->AsInt("NUMBEREX");
    }
  }
  return records;
}

bool TUser::SaveLayouts(int style, const std::vector<TLayoutRecord>& records) {
  return channel_.InTransaction([&] {
    if (!channel_.RunSql("delete from Interface where USER_ID = ? and Style = ?", {Int(number_), Int(style)})) return false;
    for (std::size_t i = 0; i < records.size(); ++i) {
      TLayoutRecord record = records[i];
      for (int attribute = 0; attribute < 7; ++attribute) {
        if (!channel_.RunSql("insert into Interface (NUMBEREX, USER_ID, Style, SEQUENCE, CHOICE, EXPLAIN) values (?, ?, ?, ?, ?, ?)",
                             {Int(*LayoutField(record, attribute)), Int(number_), Int(style),
                              Int(static_cast<int>(i) * 20 + attribute + 1), Text(record.name + kLayoutWords[attribute]),
                              Text(record.name)})) {
          return false;
        }
      }
    }
    return true;
  });
}

}  // namespace zidezo

#include "learners/UserBook.h"

#include <filesystem>
#include <random>

#include "base/Clock.h"
#include "base/Text.h"
#include "data/AdoChannel.h"
#include "learners/User.h"
#include "learners/Word.h"
#include "learners/WordInfo.h"
#include "script/ScriptError.h"

namespace zidezo {
int RandomRecordKey() {
  static std::mt19937 generator{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, kRandomKeys - 1)(generator);
}

namespace {

// The columns of a new reciting record, in the order of the fill statements below.
constexpr const char* kRecordColumns =
    "User_ID, REFERENCE_ID, WORD_ROUND, RANDOM_NUM, UPDATE_DATE, Real_Date, BOOK_ID, BOOK_INDEX, WORD_NAME, "
    "ABILITY, State, ABILITY2, State2, ABILITY3, State3, Speed, Word_Index, Word_Frequency";

}  // namespace

SqlStatement CopyRecordsStatement(int from_user, int from_book, int to_user, int to_book, int book_index,
                                  int index_offset) {
  return {std::string("insert into Zidezo (") + kRecordColumns +
              ") select ?, REFERENCE_ID, WORD_ROUND, RANDOM_NUM, UPDATE_DATE, Real_Date, ?, ?, WORD_NAME, ABILITY, "
              "State, ABILITY2, State2, ABILITY3, State3, Speed, Word_Index + ?, Word_Frequency from Zidezo "
              "where User_ID = ? and BOOK_ID = ?",
          {Int(to_user), Int(to_book), Int(book_index), Int(index_offset), Int(from_user), Int(from_book)}};
}

TUserBook::TUserBook(TUser& user, TAdoChannel& channel) : user_(user), channel_(channel), config_(channel) {}

TUserBook::~TUserBook() = default;

std::string TUserBook::TodayCountsText() const {
  return FormatMessage("%d(%d)W", {std::to_string(learned_today_), std::to_string(new_today_)});
}

void TUserBook::LoadFromRow(const TResultSet& row) {
  deletable_ = row.AsInt("Deletable");
  number_ = row.AsInt("BOOK_ID");
  name_ = row.AsText("BOOK_NAME");
  sequence_ = row.AsInt("SEQUENCE");
  active_sequence_ = row.AsInt("Active_Sequence");
  kind_ = row.AsInt("Category");
  relation_book_ = row.AsInt("RelationBook_ID");
}

bool TUserBook::Save() {
  return channel_.ExecSqlList(
      {{"delete from USERBOOKS where USER_ID = ? and BOOK_ID = ?", {Int(user_.Number()), Int(number_)}},
       {"insert into USERBOOKS (USER_ID, BOOK_ID, SEQUENCE, Category, RelationBook_ID, Deletable, BOOK_NAME, "
        "Active_Sequence) values (?, ?, ?, ?, ?, ?, ?, ?)",
        {Int(user_.Number()), Int(number_), Int(sequence_), Int(kind_), Int(relation_book_), Int(deletable_),
         Text(name_), Int(active_sequence_)}}});
}

bool TUserBook::Rename(const std::string& name) {
  if (!channel_.ExecSql("update USERBOOKS set BOOK_NAME = ? where USER_ID = ? and BOOK_ID = ?",
                        {Text(name), Int(user_.Number()), Int(number_)})) {
    return false;
  }
  name_ = name;
  return true;
}

bool TUserBook::AddBookContents(int kind, int book_number, int library_book) {
  const std::string insert = std::string("insert into Zidezo (") + kRecordColumns + ") ";
  const SqlParams params{Int(user_.Number()), Real(kNeverDate), Real(kNeverDate), Int(book_number), Int(library_book)};
  if (kind == kSentenceBook) {
    return channel_.ExecSql(insert +
                                "select ?, Sentence_ID, 0, abs(random()) % 100000, ?, ?, ?, BOOK_ID, '', 0, 0, 0, 0, 0, "
                                "0, 12, Sentence_Index, 1 from Sentences where BOOK_ID = ?",
                            params);
  }
  return channel_.ExecSql(insert +
                              "select ?, Word_Id, 0, abs(random()) % 100000, ?, ?, ?, BOOK_ID, WORD_NAME, 0, 0, 0, 0, "
                              "0, 0, 12, Word_Index, Word_Frequency from Words, TotalWords "
                              "where REFERENCE_ID = Word_Id and BOOK_ID = ? order by Word_Index",
                          params);
}

bool TUserBook::OpenForReciting(std::string& error) {
  const int today = DayOf(Now());
  const int user = user_.Number();
  if (config_.Key(BookKey::kLastActivationDay) != today) {
    config_.Set(BookKey::kStudySecondsToday, 0);
    config_.SetKey(user, number_, 0, BookKey::kStudySecondsToday);
  }
  if (!activated_) {
    int gap = today - config_.Key(BookKey::kLastActivationDay);
    if (gap > 0) gap -= 1;
    const int offset = config_.Key(BookKey::kDayOffset) - gap;
    config_.Set(BookKey::kDayOffset, offset);
    config_.Set(BookKey::kLastActivationDay, today);
    channel_.InTransaction([&] {
      return config_.SetKey(user, number_, offset, BookKey::kDayOffset) &&
             config_.SetKey(user, number_, today, BookKey::kLastActivationDay);
    });
    try {
      ability_program_.SetText(AlgorithmText(config_.Key(BookKey::kAbilityAlgorithm)));
      ability_program_.Compile();
      speed_program_.SetText(AlgorithmText(config_.Key(BookKey::kSpeedAlgorithm)));
      speed_program_.Compile();
    } catch (const ScriptError& failure) {
      error = failure.what();
      return false;
    }
    activated_ = true;
  }
  CountToday();
  return true;
}

void TUserBook::CountToday() {
  const double today = DayOf(Now());
  const SqlParams params{Int(user_.Number()), Int(number_), Real(today), Real(today + 1)};
  learned_today_ = static_cast<int>(
      channel_
          .QueryInteger("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ? and ? <= Real_Date and "
                        "Real_Date < ? and WORD_ROUND > 0",
                        params)
          .value_or(0));
  new_today_ = static_cast<int>(
      channel_
          .QueryInteger("select count(*) from Zidezo where WORD_ROUND = 1 and User_ID = ? and BOOK_ID = ? and "
                        "? <= Real_Date and Real_Date < ?",
                        params)
          .value_or(0));
}

bool TUserBook::ContainsItem(int item) const {
  return channel_
      .QueryInteger("select REFERENCE_ID from Zidezo where USER_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                    {Int(user_.Number()), Int(number_), Int(item)})
      .has_value();
}

TBookStatistics TUserBook::Statistics() const {
  TBookStatistics statistics;
  const SqlParams book{Int(user_.Number()), Int(number_)};
  auto count = [&](const std::string& condition, SqlParams params) {
    return static_cast<int>(
        channel_.QueryInteger("select count(*) from Zidezo where User_ID = ? and BOOK_ID = ?" + condition, params)
            .value_or(0));
  };
  statistics.limit = config_.Key(BookKey::kAbilityLimit);
  statistics.total = count("", book);
  statistics.remembered = count(" and ? <= ABILITY", {book[0], book[1], Int(statistics.limit)});
  statistics.untouched = count(" and ABILITY <= 0", book);
  statistics.learned = statistics.total - statistics.untouched;
  statistics.start_day = static_cast<int>(
      channel_
          .QueryInteger("select NUMBEREX from UserBookConfig where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = 80", book)
          .value_or(0));
  auto sum = [&](const char* column) {
    return channel_.QueryFloat(std::string("select Sum(") + column + ") from Zidezo where User_ID = ? and BOOK_ID = ?", book)
        .value_or(0);
  };
  auto ratio = [](double value, int divisor) { return divisor == 0 ? 0.0 : value / divisor; };
  const double abilities = sum("ABILITY");
  const double rounds = sum("WORD_ROUND");
  statistics.mean_ability = ratio(abilities, statistics.total);
  statistics.mean_ability_learned = ratio(abilities, statistics.learned);
  statistics.mean_rounds = ratio(rounds, statistics.total);
  statistics.mean_rounds_learned = ratio(rounds, statistics.learned);
  statistics.most_rounds = static_cast<int>(
      channel_.QueryInteger("select Max(WORD_ROUND) from Zidezo where User_ID = ? and BOOK_ID = ?", book).value_or(0));
  statistics.most_rounds_word =
      channel_
          .QueryText("select WORD_NAME from Zidezo where User_ID = ? and BOOK_ID = ? and WORD_ROUND = ? order by "
                     "Word_Index, REFERENCE_ID",
                     {book[0], book[1], Int(statistics.most_rounds)})
          .value_or("");
  statistics.study_seconds = config_.Key(BookKey::kStudySecondsTotal);
  statistics.study_time_text = FormatMessage(
      "%d小时%d分钟", {std::to_string(statistics.study_seconds / 3600), std::to_string(statistics.study_seconds % 3600 / 60)});
  statistics.seconds_per_item = ratio(statistics.study_seconds, statistics.total);
  statistics.seconds_per_learned_item = ratio(statistics.study_seconds, statistics.learned);
  return statistics;
}

bool TUserBook::Initialise(const TInitialUserBook& options, const std::string& wav_folder,
                           const std::string& picture_folder) {
  const int user = user_.Number();
  const SqlParams book{Int(user), Int(number_)};
  return channel_.InTransaction([&] {
    std::vector<SqlStatement> statements;
    if (options.reset_rounds) statements.push_back({"update Zidezo set WORD_ROUND = 0 where USER_ID = ? and BOOK_ID = ?", book});
    if (options.reset_grades) {
      statements.push_back({"update Zidezo set State = 0, State2 = 0, State3 = 0 where USER_ID = ? and BOOK_ID = ?", book});
    }
    if (options.reset_study_time) {
      for (int key : {BookKey::kStudySecondsTotal, BookKey::kStudySecondsToday}) {
        statements.push_back({"update UserBookConfig set NUMBEREX = 0 where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = ?",
                              {Int(user), Int(number_), Int(key)}});
      }
    }
    if (options.reset_dates) {
      statements.push_back({"update Zidezo set UPDATE_DATE = ?, Real_Date = ? where USER_ID = ? and BOOK_ID = ?",
                            {Real(kNeverDate), Real(kNeverDate), Int(user), Int(number_)}});
    }
    if (options.set_speed) {
      statements.push_back({"update Zidezo set Speed = ? where USER_ID = ? and BOOK_ID = ?", {Int(options.speed), Int(user), Int(number_)}});
    }
    if (options.set_ability) {
      statements.push_back({"update Zidezo set ABILITY = ?, ABILITY2 = 0, ABILITY3 = 0 where USER_ID = ? and BOOK_ID = ?",
                            {Int(options.ability), Int(user), Int(number_)}});
    }
    if (options.clear_histories) {
      statements.push_back({"update UserWordInfo set ReciteCount = 0, History = null where User_ID = ? and Word_ID in "
                            "(select REFERENCE_ID from Zidezo where USER_ID = ? and BOOK_ID = ?)",
                            {Int(user), Int(user), Int(number_)}});
    }
    for (const SqlStatement& statement : statements) {
      if (!channel_.RunSql(statement.sql, statement.params)) return false;
    }
    if (options.clear_histories && !TWordInformation(channel_, user).CleanUp()) return false;
    if (!options.shuffle && !options.no_recording && !options.no_picture) return true;
    auto records = channel_.Query("select REFERENCE_ID, WORD_NAME from Zidezo where User_ID = ? and BOOK_ID = ?", book);
    if (!records) return false;
    namespace fs = std::filesystem;
    for (records->First(); !records->Eof(); records->Next()) {
      const int item = records->AsInt("REFERENCE_ID");
      const std::string word = Trim(records->AsText("WORD_NAME"));
      const SqlParams where{Int(user), Int(number_), Int(item)};
      auto set = [&](const char* column, int value) {
        return channel_.RunSql(std::string("update Zidezo set ") + column +
                                   " = ? where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                               {Int(value), where[0], where[1], where[2]});
      };
      if (options.shuffle && !set("RANDOM_NUM", RandomRecordKey())) return false;
      if (options.no_recording && !fs::exists(fs::path(wav_folder) / (word + ".wav")) &&
          !set("ABILITY", options.no_recording_ability)) {
        return false;
      }
      if (options.no_picture && !fs::exists(fs::path(picture_folder) / (word + ".jpg")) &&
          !set("ABILITY", options.no_picture_ability)) {
        return false;
      }
    }
    return true;
  });
}

int TUserBook::DayOffset() const { return config_.DayOffset(); }

int TUserBook::DefaultGrade() const { return config_.DefaultGrade(); }

int TUserBook::GradeCount() const { return config_.GradeCount(); }

int TUserBook::BookMode() const { return config_.Key(BookKey::kBookMode) & 0x7F; }

bool TUserBook::SetBookMode(int mode) {
  config_.Set(BookKey::kBookMode, mode & 0x7F);
  return config_.SetKey(user_.Number(), number_, mode & 0x7F, BookKey::kBookMode);
}

int TUserBook::GradeValue(int grade) const { return config_.GradeValue(grade == 0 ? DefaultGrade() : grade); }

std::string TUserBook::GradeCaption(int grade) const {
  return channel_
      .QueryText("select CHOICE from UserBookConfig where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = ?",
                 {Int(user_.Number()), Int(number_), Int(TUserBookConfig::CaptionKey(grade))})
      .value_or("");
}

bool TUserBook::SetGradeCaption(int grade, const std::string& caption) {
  const int key = TUserBookConfig::CaptionKey(grade);
  if (!channel_.ExecSql("update UserBookConfig set CHOICE = ? where User_ID = ? and USERBOOK_ID = ? and SEQUENCE = ?",
                        {Text(caption), Int(user_.Number()), Int(number_), Int(key)})) {
    return false;
  }
  config_.SetText(key, caption);
  return true;
}

std::string TUserBook::AlgorithmText(int algorithm) const {
  return channel_.QueryText("select Content from Algorithm where ID = ?", {Int(algorithm)}).value_or("");
}

TWordLoad TUserBook::ItemLoad(bool answered, bool full_example) {
  TWordLoad load;
  load.book = this;
  load.bookNumber = number_;
  load.user = user_.Number();
  load.answered = answered;
  load.fullExample = full_example;
  load.capitalNames = config_.Flag(BookKey::kShowCapitals);
  return load;
}

std::unique_ptr<TWord> TUserBook::LoadItem(int item) {
  const SqlParams where{Int(user_.Number()), Int(number_), Int(item)};
  auto word = std::make_unique<TWord>(channel_, this);
  if (IsSentenceBook()) {
    auto row = channel_.Query(std::string(kSentenceItemSelect) + " and recite.REFERENCE_ID = ?", where);
    if (!row || row->Eof()) return nullptr;
    word->LoadFromSentenceRow(*row, ItemLoad(false, true));
  } else {
    auto row = channel_.Query(std::string(kWordItemSelect) + " and recite.REFERENCE_ID = ?", where);
    if (!row || row->Eof()) return nullptr;
    word->LoadFromWordRow(*row, ItemLoad(false, true));
  }
  return word;
}

TResultSet* TUserBook::PrintQuery(const std::string& category_condition) {
  const int user = user_.Number();
  if (IsSentenceBook()) {
    return channel_.OpenNamedQuery("Print", std::string(kSentenceItemSelect) + " order by recite.Word_Index, recite.REFERENCE_ID",
                                   {Int(user), Int(number_)});
  }
  const char first = static_cast<char>(config_.Key(BookKey::kFirstLetter) > 0 ? config_.Key(BookKey::kFirstLetter) : 'a');
  const char last = static_cast<char>(config_.Key(BookKey::kLastLetter) > 0 ? config_.Key(BookKey::kLastLetter) : 'z');
  return channel_.OpenNamedQuery(
      "Print",
      std::string(kWordItemSelect) + " and ? <= recite.WORD_NAME and recite.WORD_NAME <= ?" + category_condition +
          " order by recite.BOOK_INDEX, recite.Word_Index, recite.REFERENCE_ID",
      {Int(user), Int(number_), Text(std::string(1, first)), Text(std::string(1, last) + "zz")});
}

}  // namespace zidezo

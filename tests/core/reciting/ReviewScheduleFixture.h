#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../learners/InstalledFixture.h"
#include "data/AdoChannel.h"
#include "learners/User.h"
#include "learners/UserBook.h"
#include "learners/Word.h"
#include "reciting/ReviewSchedule.h"

namespace zidezo::testing {

// One reciting record of the fixture book.
struct TRecordRow {
  int item;
  std::string name;
  int index, frequency, random;
  int ability, round, state, speed;
  double age;  // days since UPDATE_DATE; negative for "never"
  int ability2 = 0, state2 = 0, ability3 = 0, state3 = 0;
};

// The clock stands at 45000.5. The fixture book holds six words of the library with records of
// its own (default book configuration: remembered at 9, the item's own forgetting rate):
//   item name    index freq random ability round state update       due in plan mode
//   1    apple    30    5    40     0       0     0     never        yes (new)
//   2    Banana   10    1    20     3       2     1     1 day ago    no (needs 1.5 days)
//   3    cherry   20    9    10     9       5     11    never        no (remembered)
//   4    date     40    5    30     2       1     2     2 days ago   yes (needs 1 day)
//   5    Elder    50    3    30     1       3     0     0.1 day ago  no (needs 0.5 day)
//   6    fig      60    7    50     0       0     0     never        yes (new)
class ReviewScheduleFixture : public InstalledFixture {
 protected:
  void SetUp() override {
    InstalledFixture::SetUp();
    std::string error;
    book = learner->AddBook(kWordBook, "复习测试", false, 1, kWordDefaultsBook, learner->Number(), error);
    ASSERT_NE(book, nullptr) << error;
    for (const TRecordRow& row : Rows()) AddRecord(row);
    ASSERT_TRUE(book->OpenForReciting(error)) << error;
  }

  static std::vector<TRecordRow> Rows() {
    return {{1, "apple", 30, 5, 40, 0, 0, 0, 12, -1},
            {2, "Banana", 10, 1, 20, 3, 2, 1, 12, 1.0, 0, 3},
            {3, "cherry", 20, 9, 10, 9, 5, 11, 12, -1, 9, 11},
            {4, "date", 40, 5, 30, 2, 1, 2, 12, 2.0, 1, 0, 7, 3},
            {5, "Elder", 50, 3, 30, 1, 3, 0, 12, 0.1, 2, 0},
            {6, "fig", 60, 7, 50, 0, 0, 0, 12, -1}};
  }

  void AddRecord(const TRecordRow& row) {
    const double date = row.age < 0 ? kNeverDate : Now() - row.age;
    ASSERT_TRUE(Channel().ExecSql(
        "insert into Zidezo (User_ID, BOOK_ID, REFERENCE_ID, BOOK_INDEX, WORD_NAME, Word_Index, Word_Frequency, RANDOM_NUM, "
        "ABILITY, WORD_ROUND, State, Speed, UPDATE_DATE, Real_Date, ABILITY2, State2, ABILITY3, State3) "
        "values (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Int(learner->Number()), Int(book->Number()), Int(row.item), Text(row.name), Int(row.index), Int(row.frequency),
         Int(row.random), Int(row.ability), Int(row.round), Int(row.state), Int(row.speed), Real(date), Real(date),
         Int(row.ability2), Int(row.state2), Int(row.ability3), Int(row.state3)}))
        << Channel().LastError();
  }

  TAdoChannel& Channel() { return center->Channel(); }

  // The ready learner's first filled book (the library book of the new installation).
  TUserBook& LibraryBook() {
    for (const auto& candidate : learner->WordBooks()) {
      if (candidate.get() != book && CountSelection(*candidate, kAllMode).value_or(0) > 0) return *candidate;
    }
    ADD_FAILURE() << "the ready learner has no filled book";
    return *book;
  }

  // The items the book's mode selects, in order.
  std::vector<int> Selected(TUserBook& from) {
    std::string error;
    TResultSet* rows = SelectDueItems(from, "Search1", &error);
    EXPECT_NE(rows, nullptr) << error;
    std::vector<int> items;
    if (rows == nullptr) return items;
    for (rows->First(); !rows->Eof(); rows->Next()) items.push_back(rows->AsInt("REFERENCE_ID"));
    return items;
  }
  std::vector<int> Selected() { return Selected(*book); }

  std::unique_ptr<TWord> Item(int number, TUserBook* from = nullptr) {
    auto item = (from != nullptr ? from : book)->LoadItem(number);
    EXPECT_NE(item, nullptr) << number;
    return item;
  }

  // A record's columns as one text, to see that nothing changed.
  std::string RecordText(int item, TUserBook* from = nullptr) {
    return Channel()
        .QueryText("select ABILITY || ',' || ABILITY2 || ',' || ABILITY3 || ',' || State || ',' || State2 || ',' || State3 "
                   "|| ',' || WORD_ROUND || ',' || Speed || ',' || UPDATE_DATE || ',' || Real_Date from Zidezo where "
                   "User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                   {Int(learner->Number()), Int((from != nullptr ? from : book)->Number()), Int(item)})
        .value_or("");
  }

  double RecordValue(int item, const std::string& column) {
    return Channel()
        .QueryFloat("select " + column + " from Zidezo where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                    {Int(learner->Number()), Int(book->Number()), Int(item)})
        .value_or(-1);
  }

  bool Answer(TWord& item, int grade, std::string* why = nullptr) {
    item.grade = grade;
    std::string error;
    const bool stored = RecordAnswer(*book, item, error);
    if (why != nullptr) *why = error;
    return stored;
  }

  TUserBook* book = nullptr;
};

}  // namespace zidezo::testing

// The book operations of a user: his two book lists, new and removed books, merging, note books.
#include <algorithm>
#include <climits>
#include <unordered_map>

#include "base/Clock.h"
#include "base/Text.h"
#include "data/AdoChannel.h"
#include "learners/User.h"
#include "learners/UserBook.h"
#include "learners/Word.h"

namespace zidezo {
namespace {

// "1." to "20." at the very start of a noted sentence are list numbers, not part of the text.
std::string WithoutLeadingNumber(std::string text) {
  text = Trim(text);
  for (int number = 20; number >= 1; --number) {
    const std::string prefix = std::to_string(number) + ".";
    if (StartsWith(text, prefix)) return Trim(text.substr(prefix.size()));
  }
  return text;
}

}  // namespace

std::vector<std::unique_ptr<TUserBook>>& TUser::BookList(int kind) {
  return kind == kSentenceBook ? sentence_books_ : word_books_;
}

TUserBook* TUser::FindBook(int number) const {
  for (const auto* list : {&word_books_, &sentence_books_}) {
    for (const auto& book : *list) {
      if (book->Number() == number) return book.get();
    }
  }
  return nullptr;
}

std::unique_ptr<TUserBook> TUser::BookFromRow(const TResultSet& row) {
  auto book = std::make_unique<TUserBook>(*this, channel_);
  book->LoadFromRow(row);
  book->Config().Load(number_, book->Number());
  return book;
}

bool TUser::LoadBooks() {
  word_books_.clear();
  sentence_books_.clear();
  auto rows = channel_.Query("select * from USERBOOKS where USER_ID = ? order by SEQUENCE, BOOK_ID", {Int(number_)});
  if (!rows) return false;
  for (rows->First(); !rows->Eof(); rows->Next()) {
    auto book = BookFromRow(*rows);
    book_activity_ = std::max(book_activity_, book->ActiveSequence());
    const int kind = book->Kind() == kSentenceBook ? kSentenceBook : kWordBook;
    BookList(kind).push_back(std::move(book));
  }
  return true;
}

std::unique_ptr<TUserBook> TUser::NewUserBook() {
  auto book = std::make_unique<TUserBook>(*this, channel_);
  book->SetNumber(0);
  book->SetDeletable(1);
  book->SetActiveSequence(0);
  const auto highest = channel_.QueryInteger("select Max(SEQUENCE) from USERBOOKS where User_ID = ?", {Int(number_)});
  book->SetSequence(static_cast<int>(highest.value_or(0)) + 1);
  return book;
}

int TUser::NextBookNumber() {
  int number = 0;
  channel_.InTransaction([&] {
    if (!channel_.RunSql("update USERS set BookMaxID = BookMaxID + 1 where USER_ID = ?", {Int(number_)})) return false;
    number = static_cast<int>(channel_.QueryInteger("select BookMaxID from USERS where User_ID = ?", {Int(number_)}).value_or(0));
    return number > 0;
  });
  return number;
}

TUserBook* TUser::AddBook(int kind, const std::string& name, bool existing, int deletable, int template_book,
                          int template_user, std::string& error) {
  auto book = NewUserBook();
  const bool ok = channel_.InTransaction([&] {
    if (!existing) {
      book->SetName(name);
      book->SetNumber(NextBookNumber());
      book->SetDeletable(deletable);
      book->SetKind(kind);
      book->SetRelationBook(kind == kWordBook ? 3 : 1);
      if (book->Number() <= 0 || !book->Save()) return false;
    }
    TUserBookConfig& config = book->Config();
    if (!config.Load(template_user, template_book) || config.Empty()) {
      error = "找不到书本模板配置（用户 " + std::to_string(template_user) + "，书本 " + std::to_string(template_book) + "）";
      return false;
    }
    config.Set(BookKey::kDayOffset, 0);
    config.Set(BookKey::kLastActivationDay, DayOf(Now()));
    config.Set(BookKey::kStudySecondsTotal, 0);
    config.Set(BookKey::kStudySecondsToday, 0);
    const int stored_as = existing ? template_book : book->Number();
    if (!config.StoreAll(number_, stored_as)) return false;
    return config.Load(number_, stored_as);
  });
  if (!ok) {
    if (error.empty()) error = channel_.LastError();
    return nullptr;
  }
  if (deletable != 1 || existing) return nullptr;
  TUserBook* added = book.get();
  AppendToBookList(kind, std::move(book));
  return added;
}

void TUser::AppendToBookList(int kind, std::unique_ptr<TUserBook> book) { BookList(kind).push_back(std::move(book)); }

bool TUser::RemoveBook(TUserBook* book) {
  if (book == nullptr) return false;
  const int kind = book->Kind();
  const int number = book->Number();
  const int replacement = kind == kWordBook ? 1 : 3;
  const bool ok = channel_.ExecSqlList(
      {{"delete from USERBOOKS where USER_ID = ? and BOOK_ID = ?", {Int(number_), Int(number)}},
       {"delete from UserBookConfig where User_ID = ? and USERBOOK_ID = ?", {Int(number_), Int(number)}},
       {"delete from Zidezo where User_ID = ? and BOOK_ID = ?", {Int(number_), Int(number)}},
       {"update USERBOOKS set RelationBook_ID = ? where USER_ID = ? and RelationBook_ID = ?",
        {Int(replacement), Int(number_), Int(number)}}});
  if (!ok) return false;
  for (auto& other : BookList(kind == kWordBook ? kSentenceBook : kWordBook)) {
    if (other->RelationBook() == number) other->SetRelationBook(replacement);
  }
  auto& list = BookList(kind);
  list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& b) { return b.get() == book; }), list.end());
  return true;
}

bool TUser::SaveBookOrder() {
  return channel_.InTransaction([&] {
    for (auto* list : {&word_books_, &sentence_books_}) {
      for (std::size_t i = 0; i < list->size(); ++i) {
        (*list)[i]->SetSequence(static_cast<int>(i));
        if (!(*list)[i]->Save()) return false;
      }
    }
    return true;
  });
}

void TUser::ExchangeBooks(int kind, int i, int j) {
  auto& list = BookList(kind);
  const int size = static_cast<int>(list.size());
  if (i < 0 || j < 0 || i >= size || j >= size) return;
  std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
}

bool TUser::ClearBook(int book) {
  return channel_.ExecSql("delete from Zidezo where User_ID = ? and BOOK_ID = ?", {Int(number_), Int(book)});
}

bool TUser::MergeBooks(int target, int source) {
  const SqlParams scratch{Int(number_), Int(kMergeScratchBook)};
  return channel_.InTransaction([&] {
    if (!channel_.RunSql("delete from Zidezo where User_ID = ? and BOOK_ID = ?", scratch)) return false;
    const int generation =
        static_cast<int>(channel_.QueryInteger("select Max(BOOK_INDEX) from Zidezo where User_ID = ?", {Int(number_)}).value_or(0)) + 1;
    const int offset = static_cast<int>(channel_
                                            .QueryInteger("select Max(Word_Index) from Zidezo where User_ID = ? and BOOK_ID = ?",
                                                          {Int(number_), Int(target)})
                                            .value_or(0)) +
                       1000;
    const SqlStatement copy = CopyRecordsStatement(number_, source, number_, target, generation, offset);
    return channel_.RunSql(copy.sql, copy.params) &&
           channel_.RunSql(
               "insert into Zidezo (User_ID, REFERENCE_ID, BOOK_ID, ABILITY) select ?, REFERENCE_ID, ?, "
               "count(REFERENCE_ID) from Zidezo where User_ID = ? and BOOK_ID = ? group by REFERENCE_ID",
               {Int(number_), Int(kMergeScratchBook), Int(number_), Int(target)}) &&
           channel_.RunSql(
               "delete from Zidezo where User_ID = ? and BOOK_ID = ? and BOOK_INDEX = ? and REFERENCE_ID in "
               "(select REFERENCE_ID from Zidezo recite where User_ID = ? and BOOK_ID = ? and ABILITY >= 2)",
               {Int(number_), Int(target), Int(generation), Int(number_), Int(kMergeScratchBook)}) &&
           channel_.RunSql("delete from Zidezo where User_ID = ? and BOOK_ID = ?", scratch);
  });
}

bool TUser::SetRelationBook(int book, int relation_book) {
  if (!channel_.ExecSql("update USERBOOKS set RelationBook_ID = ? where USER_ID = ? and BOOK_ID = ?",
                        {Int(relation_book), Int(number_), Int(book)})) {
    return false;
  }
  if (TUserBook* found = FindBook(book)) found->SetRelationBook(relation_book);
  return true;
}

bool TUser::MarkBookActive(int book) {
  ++book_activity_;
  if (TUserBook* found = FindBook(book)) found->SetActiveSequence(book_activity_);
  return channel_.ExecSql("update USERBOOKS set Active_Sequence = ? where USER_ID = ? and BOOK_ID = ?",
                          {Int(book_activity_), Int(number_), Int(book)});
}

std::unique_ptr<TUserBook> TUser::LoadHelpBook() {
  auto row = channel_.Query("select * from USERBOOKS where USER_ID = ? and BOOK_ID = ?", {Int(number_), Int(kHelpBook)});
  if (!row || row->Eof()) return nullptr;
  return BookFromRow(*row);
}

bool TUser::AddWordToNoteBook(int note_book, int word) {
  if (word <= 0) return false;
  return channel_.InTransaction([&] {
    const int lowest = static_cast<int>(
        channel_.QueryInteger("select Min(Word_Index) from Zidezo where User_ID = ? and BOOK_ID = ?", {Int(number_), Int(note_book)})
            .value_or(0));
    const int index = lowest - 1000;
    const SqlParams record{Int(number_), Int(note_book), Int(word)};
    if (channel_.QueryInteger("select REFERENCE_ID from Zidezo where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?", record)) {
      return channel_.RunSql("update Zidezo set Word_Index = ? where User_ID = ? and BOOK_ID = ? and REFERENCE_ID = ?",
                             {Int(index), Int(number_), Int(note_book), Int(word)});
    }
    return channel_.RunSql(
               "insert into Zidezo (User_ID, REFERENCE_ID, ABILITY, State, ABILITY2, State2, ABILITY3, State3, WORD_ROUND, "
               "RANDOM_NUM, UPDATE_DATE, Real_Date, BOOK_ID, BOOK_INDEX, WORD_NAME, Speed, Word_Index, Word_Frequency) "
               "select ?, WORD_ID, 0, 0, 0, 0, 0, 0, 0, ?, ?, ?, ?, ?, WORD_NAME, 12, ?, 1 from TotalWords where WORD_ID = ?",
               {Int(number_), Int(RandomRecordKey()), Real(kNeverDate), Real(kNeverDate), Int(note_book), Int(note_book), Int(index),
                Int(word)}) &&
           channel_.Changes() > 0;
  });
}

bool TUser::AddSentenceToNoteBook(const TUserBook* source, const std::string& text) {
  const int note_book = source ? source->RelationBook() : 3;
  const auto line_end = text.find('\r');
  const std::string sentence = WithoutLeadingNumber(text.substr(0, line_end));
  const std::string explanation = line_end == std::string::npos ? "" : Trim(text.substr(line_end));
  if (sentence.empty()) return false;
  return channel_.InTransaction([&] {
    const int id =
        static_cast<int>(channel_.QueryInteger("select Max(Sentence_ID) from TotalSentences").value_or(0)) + 1000;
    int index = static_cast<int>(
        channel_.QueryInteger("select Min(Word_Index) from Zidezo where User_ID = ? and BOOK_ID = ?", {Int(number_), Int(note_book)})
            .value_or(0));
    index = index == 0 ? 6000000 : index - 1000;
    return channel_.RunSql("insert into TotalSentences (User_ID, Sentence_ID, Sentence_Content, Sentence_Explain) values (?, ?, ?, ?)",
                           {Int(number_), Int(id), Text(sentence), Text(explanation)}) &&
           channel_.RunSql(
               "insert into Zidezo (User_ID, REFERENCE_ID, ABILITY, State, ABILITY2, State2, ABILITY3, State3, WORD_ROUND, "
               "RANDOM_NUM, UPDATE_DATE, Real_Date, BOOK_ID, BOOK_INDEX, WORD_NAME, Speed, Word_Index, Word_Frequency) "
               "values (?, ?, 0, 0, 0, 0, 0, 0, 0, ?, ?, ?, ?, ?, '', 12, ?, 1)",
               {Int(number_), Int(id), Int(RandomRecordKey()), Real(kNeverDate), Real(kNeverDate), Int(note_book), Int(note_book),
                Int(index)});
  });
}

std::vector<std::unique_ptr<TWord>> TUser::LoadItemPage(const std::string& query, int page_size, bool full_example,
                                                         TUserBook& book, bool answered, int page_index) {
  std::vector<std::unique_ptr<TWord>> items;
  TResultSet* rows = channel_.FindNamedQuery(query);
  if (rows == nullptr || page_size <= 0) return items;
  rows->First();
  const long long skip = static_cast<long long>(page_size) * page_index;
  rows->MoveBy(static_cast<int>(std::min<long long>(skip, INT_MAX)));
  const TWordLoad load = book.ItemLoad(answered, full_example);
  // A record-only word selection gets the page's library texts in one query.
  std::unique_ptr<TResultSet> texts;
  std::unordered_map<int, int> text_row;
  if (!book.IsSentenceBook() && !rows->HasField("WORD_TRANS")) {
    const int first = rows->RecNo();
    SqlParams params{Int(number_), Int(book.Number())};
    for (int i = 0; !rows->Eof() && i < page_size; ++i, rows->Next()) params.push_back(Int(rows->AsInt("REFERENCE_ID")));
    rows->SetRecNo(first);
    texts = channel_.Query(std::string(kWordItemSelect) + " and recite.REFERENCE_ID in (" + Placeholders(params.size() - 2) + ")",
                           params);
    if (texts) {
      for (texts->First(); !texts->Eof(); texts->Next()) text_row.emplace(texts->AsInt("REFERENCE_ID"), texts->RecNo());
    }
  }
  while (!rows->Eof() && static_cast<int>(items.size()) < page_size) {
    auto word = std::make_unique<TWord>(channel_, &book);
    if (book.IsSentenceBook()) {
      word->LoadFromSentenceRow(*rows, load);
    } else if (auto found = text_row.find(rows->AsInt("REFERENCE_ID")); found != text_row.end()) {
      texts->SetRecNo(found->second);
      word->LoadFromWordRow(*texts, load);
      word->LoadRecord(*rows, load);  // the record as the selection took it
    } else {
      word->LoadFromWordRow(*rows, load);
    }
    items.push_back(std::move(word));
    rows->Next();
  }
  return items;
}

}  // namespace zidezo

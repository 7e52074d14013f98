#include "learners/WordInfo.h"

#include <algorithm>

#include "base/Text.h"
#include "data/AdoChannel.h"
#include "learners/Word.h"
#include "learners/WordLookup.h"

namespace zidezo {
namespace {

// ---- search expressions ----

TSqlCondition EmptySearch(bool nameMode) {
  return {nameMode ? " TotalWords.WORD_NAME like ?" : " TotalWords.WORD_TRANS like ?", {Text("%")}};
}

bool IsNamePattern(std::string_view pattern) {
  return std::all_of(pattern.begin(), pattern.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '#' || c == '%' || c == '*' ||
           c == '?' || c == '_';
  });
}

TSqlCondition SearchTerm(std::string_view term, bool nameMode) {
  const bool anchored = term.find('#') != std::string_view::npos;
  std::string pattern = Trim(ReplaceAll(std::string(term), "#", ""));
  if (pattern.empty()) return EmptySearch(nameMode);
  pattern = ReplaceAll(ReplaceAll(std::move(pattern), "*", "%"), "?", "_");
  if (!anchored && !StartsWith(pattern, "%") && !EndsWith(pattern, "%")) pattern = "%" + pattern + "%";
  const bool byName = nameMode && IsNamePattern(pattern);
  return {byName ? " TotalWords.WORD_NAME like ?" : " TotalWords.WORD_TRANS like ?", {Text(pattern)}};
}

// Nothing left but operators and brackets, or a quote: the part is left out of the search.
bool UsablePart(std::string_view part) {
  if (part.find('\'') != std::string_view::npos) return false;
  std::string rest(part);
  for (const char* mark : {"#", "|", "&", "(", ")"}) rest = ReplaceAll(std::move(rest), mark, "");
  return !Trim(rest).empty();
}

// The first "&" or "|" outside brackets (brackets count only when the text closes one).
std::size_t TopLevelOperator(std::string_view expression) {
  const bool bracketsCount = expression.find(')') != std::string_view::npos;
  int depth = 0;
  for (std::size_t i = 0; i < expression.size(); ++i) {
    const char c = expression[i];
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if ((c == '&' || c == '|') && (!bracketsCount || depth <= 0)) {
      return i;
    }
  }
  return std::string_view::npos;
}

TSqlCondition Joined(TSqlCondition left, const char* joint, TSqlCondition right) {
  left.sql += joint + right.sql;
  left.params.insert(left.params.end(), right.params.begin(), right.params.end());
  return left;
}

TSqlCondition ParseSearch(std::string_view expression, bool nameMode) {
  if (Trim(expression).empty()) return EmptySearch(nameMode);
  const std::size_t split = TopLevelOperator(expression);
  if (split != std::string_view::npos) {
    const std::string left = Trim(expression.substr(0, split));
    const std::string right = Trim(expression.substr(split + 1));
    const bool leftUsable = UsablePart(left);
    if (leftUsable && UsablePart(right)) {
      return Joined(ParseSearch(left, nameMode), expression[split] == '&' ? " and " : " or ",
                    ParseSearch(right, nameMode));
    }
    return ParseSearch(leftUsable ? left : right, nameMode);
  }
  const std::string trimmed = Trim(expression);
  if (trimmed.size() >= 2 && trimmed.front() == '(' && trimmed.back() == ')') {
    TSqlCondition inside = ParseSearch(std::string_view(trimmed).substr(1, trimmed.size() - 2), nameMode);
    inside.sql = "(" + inside.sql + ")";
    return inside;
  }
  return SearchTerm(trimmed, nameMode);
}

std::string Contains(int category) {
  std::string pattern("%,");
  pattern += std::to_string(category);
  pattern += ",%";
  return pattern;
}

// Ratings chosen by the bits first .. first + count - 1 of a key, as rating numbers.
std::vector<int> ChosenRatings(int bits, int firstBit, int count, int firstRating) {
  std::vector<int> ratings;
  for (int i = 0; i < count; ++i) {
    if (bits & (1 << (firstBit + i))) ratings.push_back(firstRating + i);
  }
  return ratings;
}

const char* const kCleanUp =
    "delete from UserWordInfo where (Relation_Count <= 0 or Relation_Count is null) and "
    "(ReciteCount <= 0 or ReciteCount is null) and (Len(CategoryContent) <= 2 or Len(CategoryContent) is Null) "
    "and USER_ID = ?";

// Items of a user's book joined with his word information and the library.
const char* const kBookItemsFrom =
    " from (Zidezo as recite left join UserWordInfo on recite.REFERENCE_ID = UserWordInfo.Word_ID and "
    "recite.User_ID = UserWordInfo.User_ID) inner join TotalWords on recite.REFERENCE_ID = TotalWords.WORD_ID"
    " where (recite.User_ID = ?) and (recite.BOOK_ID = ?) and (";

}  // namespace

TSqlCondition SearchCondition(std::string_view expression, bool nameMode) { return ParseSearch(expression, nameMode); }

TWordInformation::TWordInformation(TAdoChannel& channel, int user) : channel_(channel), user_(user) {}

bool TWordInformation::CleanUp() { return channel_.RunSql(kCleanUp, {Int(user_)}); }

// ---- categories ----

bool TWordInformation::SaveOwnCategories(const TWord& word) {
  return channel_.InTransaction([&] {
    if (!channel_.RunSql("update UserWordInfo set CategoryContent = ? where User_ID = ? and Word_ID = ?",
                         {Text(word.ownCategories), Int(user_), Int(word.number)})) {
      return false;
    }
    if (channel_.Changes() == 0 && word.ownCategories.size() > 1 &&
        !channel_.RunSql("insert into UserWordInfo(User_ID, Word_ID, Relation_Count, CategoryContent, ReciteCount) "
                         "values(?, ?, 0, ?, 0)",
                         {Int(user_), Int(word.number), Text(word.ownCategories)})) {
      return false;
    }
    return CleanUp();
  });
}

int TWordInformation::NewCategory(const std::string& name) {
  int number = 0;
  const bool stored = channel_.InTransaction([&] {
    number = static_cast<int>(
                 channel_.QueryInteger("select Max(Sequence) as MaxSequence from Category where User_ID = ?", {Int(user_)})
                     .value_or(0)) +
             1;
    if (number >= kOwnCategoryLimit) return false;  // the numbers above belong to the shared categories
    return channel_.RunSql("insert into Category(User_ID, Sequence, Class_Name) values(?, ?, ?)",
                           {Int(user_), Int(number), Text(name)});
  });
  return stored ? number : 0;
}

int TWordInformation::OwnerOf(int category) const { return category < kOwnCategoryLimit ? user_ : kSharedCategoryUser; }

std::string TWordInformation::CategoryName(int number) {
  return channel_.QueryText("select Class_Name from Category where User_ID = ? and Sequence = ?",
                            {Int(OwnerOf(number)), Int(number)})
      .value_or("");
}

bool TWordInformation::RenameCategory(int number, const std::string& name) {
  return channel_.ExecSql("update Category set Class_Name = ? where User_ID = ? and Sequence = ?",
                          {Text(name), Int(OwnerOf(number)), Int(number)}) &&
         channel_.Changes() > 0;
}

bool TWordInformation::DeleteCategory(int number) {
  std::string marked(",");
  marked += std::to_string(number);
  marked += ",";
  return channel_.InTransaction([&] {
    if (number < kOwnCategoryLimit) {
      return channel_.RunSql("update UserWordInfo set CategoryContent = replace(CategoryContent, ?, ',') "
                             "where User_ID = ? and CategoryContent like ?",
                             {Text(marked), Int(user_), Text(Contains(number))}) &&
             channel_.RunSql("delete from Category where User_ID = ? and Sequence = ?", {Int(user_), Int(number)}) &&
             channel_.RunSql("delete from CategoryHardness where User_ID = ? and Sequence = ?",
                             {Int(user_), Int(number)}) &&
             CleanUp();
    }
    return channel_.RunSql("update TotalWords set WORD_CLASS = replace(WORD_CLASS, ?, ',') where WORD_CLASS like ?",
                           {Text(marked), Text(Contains(number))}) &&
           channel_.RunSql("delete from Category where User_ID = ? and Sequence = ?",
                           {Int(kSharedCategoryUser), Int(number)}) &&
           channel_.RunSql("delete from CategoryHardness where Sequence = ?", {Int(number)});
  });
}

std::vector<TCategory> TWordInformation::ReadCategories(const std::string& order) {
  std::vector<TCategory> categories;
  auto rows = channel_.Query("select User_ID, Sequence, Class_Name from Category where User_ID = ? or User_ID = ? "
                             "order by " + order,
                             {Int(user_), Int(kSharedCategoryUser)});
  for (; rows && !rows->Eof(); rows->Next()) {
    categories.push_back({rows->AsInt("User_ID"), rows->AsInt("Sequence"), rows->AsText("Class_Name")});
  }
  return categories;
}

std::vector<TCategory> TWordInformation::ListCategories() { return ReadCategories("Sequence"); }

std::vector<TCategory> TWordInformation::ListCategoryNames() { return ReadCategories("User_ID Desc, Sequence"); }

int TWordInformation::CategoryAt(int position) {
  const auto categories = ListCategoryNames();
  if (position < 1 || position > static_cast<int>(categories.size())) return kNoCategory;
  return categories[static_cast<std::size_t>(position - 1)].number;
}

int TWordInformation::CategoryHardness(int number) {
  return static_cast<int>(channel_.QueryInteger("select Hardness from CategoryHardness where User_ID = ? and Sequence = ?",
                                                {Int(user_), Int(number)})
                              .value_or(0));
}

bool TWordInformation::SetCategoryHardness(int number, int value) {
  return channel_.InTransaction([&] {
    if (!channel_.RunSql("update CategoryHardness set Hardness = ? where User_ID = ? and Sequence = ?",
                         {Int(value), Int(user_), Int(number)})) {
      return false;
    }
    return channel_.Changes() > 0 ||
           channel_.RunSql("insert into CategoryHardness(User_ID, Sequence, Hardness) values(?, ?, ?)",
                           {Int(user_), Int(number), Int(value)});
  });
}

std::vector<int> TWordInformation::ReadNumbers(const std::string& sql, const SqlParams& params) {
  std::vector<int> numbers;
  auto rows = channel_.Query(sql, params);
  for (; rows && !rows->Eof(); rows->Next()) numbers.push_back(static_cast<int>(rows->IntegerAt(0)));
  return numbers;
}

std::vector<int> TWordInformation::CategoriesByHardness(int ratingBits) {
  const auto ratings = ChosenRatings(ratingBits, 1, 5, 1);
  const char* unrated = (ratingBits & 1) ? "(CategoryHardness.Hardness is null)" : "(CategoryHardness.Hardness = -1)";
  SqlParams params{Int(user_), Int(user_), Int(kSharedCategoryUser)};
  const SqlParams list = InListParams(ratings);
  params.insert(params.end(), list.begin(), list.end());
  return ReadNumbers(
      "select Category.Sequence from Category left join CategoryHardness on (Category.Sequence = "
      "CategoryHardness.Sequence and CategoryHardness.User_ID = ?) where (Category.User_ID in (?, ?)) and (" +
          std::string(unrated) + " or CategoryHardness.Hardness in (" + InListPlaceholders(ratings) +
          ")) order by Category.Sequence",
      params);
}

// ---- relations ----

int TWordInformation::NextRelationNumber() {
  return static_cast<int>(
             channel_.QueryInteger("select Max(Relation_ID) as MaxID from Relation where USER_ID = ?", {Int(user_)})
                 .value_or(0)) +
         1;
}

bool TWordInformation::NewRelation(int number, const std::string& text) {
  return channel_.ExecSql("insert into Relation(USER_ID, RELATION_ID, RELATION_CONTENT, Hardness) values(?, ?, ?, 0)",
                          {Int(user_), Int(number), Text(text)});
}

bool TWordInformation::AddWordToRelation(int word, int relation) {
  return channel_.InTransaction([&] {
    const auto present = channel_.QueryInteger(
        "select count(*) from RelationWord where USER_ID = ? and RELATION_ID = ? and REFERENCE_ID = ?",
        {Int(user_), Int(relation), Int(word)});
    if (!present) return false;
    if (*present > 0) return true;  // stored once, so its count does not drift
    if (!channel_.RunSql("insert into RelationWord(USER_ID, RELATION_ID, REFERENCE_ID) values(?, ?, ?)",
                         {Int(user_), Int(relation), Int(word)}) ||
        !channel_.RunSql("update UserWordInfo set Relation_Count = coalesce(Relation_Count, 0) + 1 "
                         "where User_ID = ? and Word_ID = ?",
                         {Int(user_), Int(word)})) {
      return false;
    }
    return channel_.Changes() > 0 ||
           channel_.RunSql("insert into UserWordInfo(User_ID, Word_ID, Relation_Count, CategoryContent, ReciteCount) "
                           "values(?, ?, 1, ',', 0)",
                           {Int(user_), Int(word)});
  });
}

std::vector<int> TWordInformation::RelationsByHardness(int ratingBits) {
  const auto ratings = ChosenRatings(ratingBits, 0, 6, 0);
  SqlParams params = InListParams(ratings);
  params.push_back(Int(user_));
  return ReadNumbers("select Relation_ID from Relation where Relation_ID > 0 and Hardness in (" +
                         InListPlaceholders(ratings) + ") and USER_ID = ? order by Relation_ID",
                     params);
}

std::vector<int> TWordInformation::RelationsOfWord(int word) {
  return ReadNumbers("select Relation_ID from RelationWord where Relation_ID > 0 and REFERENCE_ID = ? and USER_ID = ? "
                     "order by Relation_ID",
                     {Int(word), Int(user_)});
}

int TWordInformation::RelationHardness(int relation) {
  return static_cast<int>(channel_.QueryInteger("select Hardness from Relation where USER_ID = ? and RELATION_ID = ?",
                                                {Int(user_), Int(relation)})
                              .value_or(0));
}

bool TWordInformation::SetRelationHardness(int relation, int value) {
  return channel_.ExecSql("update Relation set Hardness = ? where USER_ID = ? and RELATION_ID = ?",
                          {Int(value), Int(user_), Int(relation)}) &&
         channel_.Changes() > 0;
}

std::string TWordInformation::RelationText(int relation) {
  return channel_.QueryText("select RELATION_CONTENT from Relation where USER_ID = ? and RELATION_ID = ?",
                            {Int(user_), Int(relation)})
      .value_or("");
}

void TWordInformation::RelationWords(int relation, std::vector<int>& words) {
  for (int word : ReadNumbers("select REFERENCE_ID from RelationWord where USER_ID = ? and RELATION_ID = ?",
                              {Int(user_), Int(relation)})) {
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
  }
}

bool TWordInformation::DeleteRelation(int relation) {
  const SqlParams mine{Int(relation), Int(user_)};
  return channel_.InTransaction([&] {
    return channel_.RunSql("update UserWordInfo set Relation_Count = Relation_Count - 1 where Word_ID in "
                           "(select REFERENCE_ID from RelationWord where RELATION_ID = ? and USER_ID = ?) "
                           "and User_ID = ?",
                           {Int(relation), Int(user_), Int(user_)}) &&
           CleanUp() && channel_.RunSql("delete from RelationWord where RELATION_ID = ? and USER_ID = ?", mine) &&
           channel_.RunSql("delete from Relation where RELATION_ID = ? and USER_ID = ?", mine);
  });
}

bool TWordInformation::OpenRelationItems(const std::string& queryName, int relation) {
  return channel_.OpenNamedQuery(
             queryName,
             "select " + LibraryItemColumns() +
                 ", UserWordInfo.Relation_Count from (RelationWord inner join TotalWords on RelationWord.REFERENCE_ID = "
                 "TotalWords.WORD_ID) left join UserWordInfo on UserWordInfo.Word_ID = RelationWord.REFERENCE_ID and "
                 "UserWordInfo.User_ID = RelationWord.USER_ID where RelationWord.USER_ID = ? and "
                 "RelationWord.RELATION_ID = ? order by TotalWords.WORD_ID",
             {Int(user_), Int(relation)}) != nullptr;
}

// ---- links ----

bool TWordInformation::ClearLinks(int linkItem) {
  return channel_.ExecSql("delete from LinkWords where User_ID = ? and Link_ID = ?", {Int(user_), Int(linkItem)});
}

bool TWordInformation::AddLink(int linkItem, int word) {
  if (linkItem <= 0) return false;
  return channel_.InTransaction([&] {
    const auto present = channel_.QueryInteger(
        "select count(*) from LinkWords where User_ID = ? and Link_ID = ? and Word_ID = ?",
        {Int(user_), Int(linkItem), Int(word)});
    if (!present) return false;
    return *present > 0 || channel_.RunSql("insert into LinkWords(User_ID, Link_ID, Word_ID) values(?, ?, ?)",
                                           {Int(user_), Int(linkItem), Int(word)});
  });
}

// ---- look-ups ----

std::unique_ptr<TWord> TWordInformation::FindWordByName(const std::string& name) {
  auto rows = channel_.Query("select " + LibraryItemColumns() + " from TotalWords where WORD_NAME = ? order by WORD_ID",
                             {Text(name)});
  if (!rows || rows->Eof()) return nullptr;
  auto word = std::make_unique<TWord>(channel_);
  TWordLoad load;
  load.user = user_;
  word->LoadFromWordRow(*rows, load);
  return word;
}

bool TWordInformation::OpenItems(const std::string& queryName, const TSqlCondition& condition, int book) {
  if (book == -1) {
    return channel_.OpenNamedQuery(queryName,
                                   "select " + LibraryItemColumns() + " from TotalWords where (" + condition.sql +
                                       ") order by TotalWords.WORD_ID",
                                   condition.params) != nullptr;
  }
  SqlParams params{Int(user_), Int(book)};
  params.insert(params.end(), condition.params.begin(), condition.params.end());
  return channel_.OpenNamedQuery(queryName,
                                 "select " + LibraryItemColumns() + ", UserWordInfo.Relation_Count" + kBookItemsFrom +
                                     condition.sql + ") order by recite.REFERENCE_ID",
                                 params) != nullptr;
}

bool TWordInformation::SearchWords(const std::string& queryName, std::string_view expression, int book, bool nameMode) {
  return OpenItems(queryName, SearchCondition(expression, nameMode), book);
}

bool TWordInformation::FindWordsByNames(const std::string& queryName, std::string_view text, bool exact) {
  std::vector<std::string> names{std::string(text)};
  std::string separated(text);
  std::replace(separated.begin(), separated.end(), ',', ' ');
  for (const auto& piece : Split(separated, ' ')) {
    const std::string entry = ReplaceAll(Trim(piece), "_", " ");
    if (entry.empty() || EqualsNoCase(entry, "a") || entry.find_first_of("'\"") != std::string::npos) continue;
    if (exact) {
      names.push_back(entry);
    } else {
      for (auto& form : WordForms(channel_, entry)) names.push_back(std::move(form));
    }
  }
  const SqlParams params(names.begin(), names.end());
  return OpenItems(queryName, {"TotalWords.WORD_NAME in (" + Placeholders(names.size()) + ")", params}, -1);
}

bool TWordInformation::WordsOfCategory(const std::string& queryName, int category, int book) {
  const std::string matches =
      "(CategoryContent is not null or WORD_CLASS is not null) and (CategoryContent like ? or WORD_CLASS like ?)";
  const SqlParams patterns{Text(Contains(category)), Text(Contains(category))};
  if (book != -1) return OpenItems(queryName, {matches, patterns}, book);
  SqlParams params{Int(user_)};
  params.insert(params.end(), patterns.begin(), patterns.end());
  // Only this user's own categories count beside the shared ones.
  return OpenItems(queryName,
                   {"TotalWords.WORD_ID in (select TotalWords.WORD_ID from TotalWords left join UserWordInfo on "
                    "UserWordInfo.Word_ID = TotalWords.WORD_ID and UserWordInfo.User_ID = ? where " +
                        matches + ")",
                    params},
                   -1);
}

int TWordInformation::NamedQueryPageCount(const std::string& queryName, int pageSize) const {
  if (pageSize <= 0) return 0;
  const TResultSet* rows = channel_.FindNamedQuery(queryName);
  const long long count = rows ? rows->RowCount() : 0;
  return static_cast<int>((pageSize + count - 1) / pageSize);
}

}  // namespace zidezo

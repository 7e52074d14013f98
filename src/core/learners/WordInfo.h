#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/SqlValue.h"

namespace zidezo {

class TAdoChannel;
class TWord;

// A piece of a WHERE clause and the values bound to its placeholders, in order.
struct TSqlCondition {
  std::string sql;
  SqlParams params;
};

// The condition of a user's search expression: terms joined by "&" and "|", brackets, "*" and
// "?" as wildcards, "#" for an exact pattern. English terms search the names in name mode,
// anything else the translations. Terms are bound as values, so quotes are harmless.
TSqlCondition SearchCondition(std::string_view expression, bool nameMode);

// Own categories are numbered below this; shared ones above it belong to user 2.
inline constexpr int kOwnCategoryLimit = 100000;
inline constexpr int kNoCategory = 2147483647;

struct TCategory {
  int user = 0;
  int number = 0;
  std::string name;
};

// One user's information about words: own and shared categories and their ratings, relations
// (groups of words), the words linked to sentences, and the searches of the library and of books.
// Every operation that writes more than one statement runs in one transaction.
class TWordInformation {
 public:
  TWordInformation(TAdoChannel& channel, int user);

  int User() const { return user_; }

  // Removes the rows that no longer carry a relation, a category or an answer.
  bool CleanUp();

  // Categories.
  bool SaveOwnCategories(const TWord& word);
  // The new category's number, or 0 when it cannot be stored (own numbers are used up).
  int NewCategory(const std::string& name);
  std::string CategoryName(int number);
  bool RenameCategory(int number, const std::string& name);
  // Takes the category out of every list that holds it, then deletes it and its ratings.
  bool DeleteCategory(int number);
  // The user's and the shared categories by number, and with the user's own first.
  std::vector<TCategory> ListCategories();
  std::vector<TCategory> ListCategoryNames();
  // The category at a 1-based position of ListCategoryNames(); kNoCategory when there is none.
  int CategoryAt(int position);
  int CategoryHardness(int number);
  bool SetCategoryHardness(int number, int value);
  // Numbers of the categories whose rating is chosen in ratingBits (user key 23: bit 0 unrated,
  // bits 1 to 5 ratings 1 to 5), rated by this user.
  std::vector<int> CategoriesByHardness(int ratingBits);

  // Relations.
  int NextRelationNumber();  // the highest number in use + 1
  bool NewRelation(int number, const std::string& text);
  // A word already in the relation is left as it is.
  bool AddWordToRelation(int word, int relation);
  // ratingBits: user key 20, bits 0 to 5 for ratings 0 to 5.
  std::vector<int> RelationsByHardness(int ratingBits);
  std::vector<int> RelationsOfWord(int word);
  int RelationHardness(int relation);
  bool SetRelationHardness(int relation, int value);
  std::string RelationText(int relation);
  // Adds each member of the relation that the list does not hold yet.
  void RelationWords(int relation, std::vector<int>& words);
  bool DeleteRelation(int relation);
  bool OpenRelationItems(const std::string& queryName, int relation);

  // Words linked to a sentence (or question) of the note book.
  bool ClearLinks(int linkItem);
  bool AddLink(int linkItem, int word);

  // Look-ups: each opens a named query of items on the main channel.
  std::unique_ptr<TWord> FindWordByName(const std::string& name);
  // book -1 searches the library, else the user's book of that number.
  bool SearchWords(const std::string& queryName, std::string_view expression, int book, bool nameMode);
  bool FindWordsByNames(const std::string& queryName, std::string_view text, bool exact);
  bool WordsOfCategory(const std::string& queryName, int category, int book);
  int NamedQueryPageCount(const std::string& queryName, int pageSize) const;

 private:
  bool OpenItems(const std::string& queryName, const TSqlCondition& condition, int book);
  std::vector<TCategory> ReadCategories(const std::string& order);
  std::vector<int> ReadNumbers(const std::string& sql, const SqlParams& params);
  int OwnerOf(int category) const;

  TAdoChannel& channel_;
  int user_;
};

}  // namespace zidezo

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "crypto/CipherKeys.h"

namespace zidezo {

class TAdoChannel;
class TResultSet;
class TUserBook;

// TColor values of the display controls.
inline constexpr int kColourWhite = 16777215;
inline constexpr int kColourSilver = 12632256;
inline constexpr int kDefaultSpeed = 12;

// What a loader knows about the items it makes: the book they come from (none for look-ups),
// its owner, and how the book shows them.
struct TWordLoad {
  TUserBook* book = nullptr;
  int bookNumber = 0;        // the user's book; 0 for looked-up words
  int user = 0;
  bool answered = false;     // the answered mark the caller gives every item
  bool fullExample = true;
  bool capitalNames = false;  // book key 20
  const TCipherKeys* keys = nullptr;  // the installation's keys; the defaults when none
};

// One item a reciting mode shows: a library word or a sentence, with its reciting record and
// the user's information about it. Plain object; whoever asked for it owns it.
class TWord {
 public:
  explicit TWord(TAdoChannel& channel, TUserBook* book = nullptr);

  // Fill from a row of a selection, look-up or LoadItem statement.
  void LoadFromWordRow(const TResultSet& row, const TWordLoad& load);
  void LoadFromSentenceRow(const TResultSet& row, const TWordLoad& load);

  // A new item with the same texts, categories and relation count (no reciting values).
  std::unique_ptr<TWord> Copy() const;

  // The example, or only its first line when full example is off.
  std::string ExampleText() const;
  // Non-blank entries of own and shared categories together.
  int CategoryCount() const;
  // Read now from the database.
  int RelationCount() const;
  std::string OwnCategories() const;

  // Refreshes translation, example and shared categories of a book item from the library.
  bool ReloadTexts();
  // The translation and example editors write to the library word.
  bool SaveTranslation(const std::string& text);
  bool SaveExample(const std::string& text);

  // The enciphered fields in plain text (trimmed); empty for an empty or unreadable field.
  std::string DecryptedSynonyms() const;
  std::string DecryptedAntonyms() const;
  // "Z" when there are synonyms, then "B" when there are antonyms.
  std::string CipherMarks() const;

  // Deletes the item's reciting record from its book.
  bool RemoveFromBook();

  TAdoChannel& Channel() const { return *channel_; }
  bool BelongsToBook() const { return book != nullptr || bookNumber > 0; }

  // Attached texts of the reciting modes.
  void AddText(std::string text) { attachedTexts_.push_back(std::move(text)); }
  int TextCount() const { return static_cast<int>(attachedTexts_.size()); }
  std::string TextAt(int index) const;
  void ClearTexts() { attachedTexts_.clear(); }

  TUserBook* book = nullptr;
  int bookNumber = 0;
  int number = 0;  // REFERENCE_ID; 0 for a typed word the library lacks
  int user = 0;
  bool isSentence = false;

  std::string name, phonetic, newPhonetic, translation, explanation;
  std::string synonyms, antonyms;  // enciphered as stored
  std::string analogous, related, example, wordFormation, memoryAid;
  std::string sentenceText, sentenceAnalysis;
  std::string sharedCategories = ",";
  std::string ownCategories = ",";
  int relationCount = 0;
  int usage = 0;
  int frequency = 0;
  int bookIndex = 0;

  // Reciting values.
  int round = 0;
  int ability = 0;
  int ability1 = 0, state1 = 0, ability2 = 0, state2 = 0, ability3 = 0, state3 = 0;
  int speed = kDefaultSpeed;
  double updateDate = 0;
  double realDate = 0;
  double abilityPerRound = 0;
  int grade = 0;
  int presentations = 0;
  bool answered = false;
  bool fullExample = true;

  // Display values.
  int colour = kColourWhite;
  int colour2 = kColourSilver;
  int size1 = 100;
  int size2 = 100;
  int pageNumber = 1;

 // The reciting record's columns only (a page of a record-only selection takes them from there).
  void LoadRecord(const TResultSet& row, const TWordLoad& load);

 private:
  bool SetLibraryText(const char* column, const std::string& text);
  std::string Decrypt(const std::string& field, const std::string& key) const;

  TAdoChannel* channel_;
  TCipherKeys keys_ = TCipherKeys::Defaults();
  std::vector<std::string> attachedTexts_;
};

// A category list that is empty reads as ",".
std::string CategoryList(std::string text);

}  // namespace zidezo

#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bytes.h"
#include "crypto/MemoryStream.h"
#include "data/DataRoot.h"
#include "learners/PageWords.h"
#include "learners/Word.h"

namespace zidezo {

class TAdoChannel;
class TUserBook;

// Shared categories are numbered from here on; lower numbers are a user's own.
inline constexpr int kFirstSharedCategory = 100001;
inline constexpr int kSharedCategoryUser = 2;

// The columns that let a plain library row load as an item: the word's texts with the reciting
// values of an item that is not in any book (ability 0, round 0, frequency 1, speed 12, dates 0).
std::string LibraryItemColumns();

// Candidate dictionary forms of a word or phrase: the text, irregular base forms from table
// Irregular (alternatives there are slash-separated) and the stems of the common suffixes.
std::vector<std::string> WordForms(TAdoChannel& channel, std::string_view text);

// The word services over the main channel and the optional example and dictionary databases,
// which are opened on first use when their files were there at construction.
class TWordLookup {
 public:
  TWordLookup(TAdoChannel& main, const DataPaths& paths);
  ~TWordLookup();

  // The library words named in the list (letter case ignored), in word-number order; one item
  // with number 0 named as typed when none is found.
  std::vector<std::unique_ptr<TWord>> FindWords(int user, const std::vector<std::string>& names,
                                                const std::string& typed, TUserBook* book = nullptr);
  std::vector<std::string> WordForms(std::string_view text) { return zidezo::WordForms(main_, text); }
  // Stores the word's shared-category list in the library; false when the word is not there.
  bool SaveWordClass(const TWord& word);
  int WordCountOfBook(int libraryBook);

  std::vector<TExample> Examples(int word);
  bool HasExamples(int word);
  // The dictionary entry as a stream at position 0; none without the dictionary or the entry.
  std::unique_ptr<TMemoryStream> DictionaryNote(int word);
  bool HasDictionaryNote(int word);

  // A new shared category named name; its number, or 0 when it could not be stored.
  int NewSharedCategory(const std::string& name);

  bool HasExampleDatabase() const { return has_examples_; }
  bool HasDictionaryDatabase() const { return has_dictionary_; }
  // Opened on first call; none when the file was missing or does not open.
  TAdoChannel* ExampleChannel();
  TAdoChannel* DictionaryChannel();

 private:
  TAdoChannel* OpenOnce(std::unique_ptr<TAdoChannel>& channel, bool exists, const std::filesystem::path& file,
                        bool& failed);
  int CountOn(TAdoChannel* channel, const std::string& sql, int word);

  TAdoChannel& main_;
  std::filesystem::path example_file_, dictionary_file_;
  bool has_examples_ = false, has_dictionary_ = false;
  bool example_failed_ = false, dictionary_failed_ = false;
  std::unique_ptr<TAdoChannel> example_, dictionary_;
};

}  // namespace zidezo

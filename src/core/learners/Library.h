#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/SqlValue.h"

namespace zidezo {

class TAdoChannel;

// One word of a library word list.
struct TLibraryWord {
  std::string word;
  std::string symbol;       // phonetic symbols (Unicode IPA)
  std::string translation;  // part of speech and Chinese meaning
  std::string example;
  std::string example_translation;
  int frequency = 1;
};

struct TLibrarySentence {
  std::string sentence;
  std::string explanation;
  std::string analysis;
};

// A library book as the user-books panel lists it (table LibraryBooks).
struct TLibraryBook {
  int number = 0;
  int kind = 1;  // 1 words, 2 sentences
  std::string group;
  std::string name;
};

struct TImportCounts {
  int added = 0;   // words new to the library
  int reused = 0;  // words the library already held
  int book = 0;    // the new library book
};

// Writes library books into Config.db (and their examples into Example.db when given).
// Callers run it inside a transaction; every failure throws std::runtime_error.
class TLibraryWriter {
 public:
  TLibraryWriter(TAdoChannel& config, TAdoChannel* examples);

  // Adds a word book; words already in the library keep their row and are reused.
  TImportCounts AddWordBook(const TLibraryBook& book, const std::vector<TLibraryWord>& words);
  void AddSentenceBook(const TLibraryBook& book, const std::vector<TLibrarySentence>& sentences);
  // The next free library book number of a kind (word books below 1000, sentence books from 1001).
  int NextBookNumber(int kind);

 private:
  int WordNumber(const TLibraryWord& word, TImportCounts& counts);
  void Run(TAdoChannel& channel, const std::string& sql, const SqlParams& params);

  TAdoChannel& config_;
  TAdoChannel* examples_;
  // The library's words by lower-case name, read once.
  std::unordered_map<std::string, int> word_numbers_;
  bool names_loaded_ = false;
  int next_word_ = 0;
};

// The library books of data/library (books.tsv and the files it names), in file order.
// Throws std::runtime_error naming the file and line of a malformed entry.
void LoadShippedLibrary(TLibraryWriter& writer, const std::filesystem::path& data_dir);

// The library books of an installation, in their order.
std::vector<TLibraryBook> LibraryBooks(TAdoChannel& config);

// Reads a word list for import: one word per line, tab-separated word, phonetic symbols,
// translation, and optionally an example and its translation. UTF-8 (with or without a byte-order
// mark) or GBK. Throws std::runtime_error naming the line number and what is wrong.
std::vector<TLibraryWord> ReadWordList(const std::filesystem::path& file);

}  // namespace zidezo

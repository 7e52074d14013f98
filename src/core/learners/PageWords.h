#pragma once

#include <string>
#include <vector>

namespace zidezo {

class TWord;

// One example sentence of a word; done is set for examples read from the example database.
struct TExample {
  std::string text;
  bool done = false;
};

// One page of items a reciting mode shows. The items belong to whoever loaded them.
class TPageWords {
 public:
  void Add(TWord* word) { words_.push_back(word); }
  // Ignored outside 0 .. Count() - 1.
  void Delete(int index);
  int Count() const { return static_cast<int>(words_.size()); }
  // None outside 0 .. Count() - 1.
  TWord* Get(int index) const;
  // Every item carries its answered mark; an empty page is complete.
  bool Complete() const;
  // By ability, then ability per round, then name without regard to letter case.
  void Sort();

  int pageNumber = 0;
  bool flag = false;

 private:
  std::vector<TWord*> words_;
};

// One page of examples; the page keeps its examples.
class TPageExamples {
 public:
  void Add(TExample example) { examples_.push_back(std::move(example)); }
  int Count() const { return static_cast<int>(examples_.size()); }
  TExample* Get(int index);
  bool Complete() const;

 private:
  std::vector<TExample> examples_;
};

}  // namespace zidezo

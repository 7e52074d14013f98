#include "learners/PageWords.h"

#include <algorithm>

#include "base/Text.h"
#include "learners/Word.h"

namespace zidezo {
namespace {

template <typename List>
bool InRange(const List& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

}  // namespace

void TPageWords::Delete(int index) {
  if (InRange(words_, index)) words_.erase(words_.begin() + index);
}

TWord* TPageWords::Get(int index) const { return InRange(words_, index) ? words_[static_cast<std::size_t>(index)] : nullptr; }

bool TPageWords::Complete() const {
  return std::all_of(words_.begin(), words_.end(), [](const TWord* word) { return word->answered; });
}

void TPageWords::Sort() {
  std::stable_sort(words_.begin(), words_.end(), [](const TWord* a, const TWord* b) {
    if (a->ability != b->ability) return a->ability < b->ability;
    if (a->abilityPerRound != b->abilityPerRound) return a->abilityPerRound < b->abilityPerRound;
    return LessNoCase(a->name, b->name);
  });
}

TExample* TPageExamples::Get(int index) {
  return InRange(examples_, index) ? &examples_[static_cast<std::size_t>(index)] : nullptr;
}

bool TPageExamples::Complete() const {
  return std::all_of(examples_.begin(), examples_.end(), [](const TExample& example) { return example.done; });
}

}  // namespace zidezo

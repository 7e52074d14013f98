#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bytes.h"

namespace zidezo {

class TAdoChannel;

// A history text that does not read as a sequence of ",round$due$answered$ability$grade$value$speed".
class EHistoryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One recorded answer of an item.
struct THistoryEntry {
  int round = 0;          // the new WORD_ROUND
  double due = 0;         // when the next interval ends (day number)
  double answered = 0;    // when the answer was given (day number)
  int ability = 0;        // the new ability
  int grade = 0;          // the answer's grade
  int gradeValue = 0;     // the book's value of that grade
  int speed = 0;          // the new speed

  bool operator==(const THistoryEntry&) const = default;
};

// "round$due$answered$ability$grade$value$speed", dates with five decimals, no blanks.
std::string BuildHistoryEntry(const THistoryEntry& entry);
// The text with "," and the entry appended.
std::string AppendHistoryEntry(std::string history, const THistoryEntry& entry);
// Every entry of a history text in order; an empty text has none. Throws EHistoryError naming
// the entry that is malformed.
std::vector<THistoryEntry> ParseHistory(std::string_view text);

// The stored form: an empty blob stands for an empty history. UnpackHistory throws EBlobError
// for a damaged blob.
std::string UnpackHistory(const Bytes& blob);
Bytes PackHistory(std::string_view text);

// Whose history an answer belongs to: a word (UserWordInfo) or a sentence (UserSentenceInfo).
enum class THistoryOwner { Word, Sentence };

// Appends one entry to the item's stored history and raises its ReciteCount, creating the row
// when it is missing; runs inside the caller's transaction when there is one. A damaged stored
// history or a failed statement changes nothing and returns false with the reason in error.
bool RecordHistoryEntry(TAdoChannel& channel, THistoryOwner owner, int user, int item,
                        const THistoryEntry& entry, std::string& error);

}  // namespace zidezo

#include "learners/AnswerHistory.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/Text.h"
#include "crypto/CompressedBlob.h"
#include "data/AdoChannel.h"

namespace zidezo {
namespace {

constexpr std::size_t kEntryFields = 7;

bool ReadInteger(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || number < INT_MIN || number > INT_MAX) return false;
  value = static_cast<int>(number);
  return true;
}

bool ReadDay(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

THistoryEntry ParseEntry(const std::string& text, std::size_t position) {
  const auto fields = Split(text, '$');
  THistoryEntry entry;
  const bool ok = fields.size() == kEntryFields && ReadInteger(fields[0], entry.round) &&
                  ReadDay(fields[1], entry.due) && ReadDay(fields[2], entry.answered) &&
                  ReadInteger(fields[3], entry.ability) && ReadInteger(fields[4], entry.grade) &&
                  ReadInteger(fields[5], entry.gradeValue) && ReadInteger(fields[6], entry.speed);
  if (!ok) {
    throw EHistoryError(FormatMessage("记忆历史第 %d 项格式错误：“%s”",
                                      {std::to_string(position), text}));
  }
  return entry;
}

struct TOwnerTable {
  const char* table;
  const char* itemColumn;
};

TOwnerTable TableOf(THistoryOwner owner) {
  return owner == THistoryOwner::Word ? TOwnerTable{"UserWordInfo", "Word_ID"}
                                      : TOwnerTable{"UserSentenceInfo", "Sentence_ID"};
}

}  // namespace

std::string BuildHistoryEntry(const THistoryEntry& entry) {
  char dates[96];
  std::snprintf(dates, sizeof dates, "%.5f$%.5f", entry.due, entry.answered);
  return std::to_string(entry.round) + "$" + dates + "$" + std::to_string(entry.ability) + "$" +
         std::to_string(entry.grade) + "$" + std::to_string(entry.gradeValue) + "$" +
         std::to_string(entry.speed);
}

std::string AppendHistoryEntry(std::string history, const THistoryEntry& entry) {
  history += ',';
  history += BuildHistoryEntry(entry);
  return history;
}

std::vector<THistoryEntry> ParseHistory(std::string_view text) {
  std::vector<THistoryEntry> entries;
  if (text.empty()) return entries;
  if (text.front() != ',') throw EHistoryError("记忆历史不以逗号开头");
  const auto parts = Split(text.substr(1), ',');
  for (std::size_t i = 0; i < parts.size(); ++i) entries.push_back(ParseEntry(parts[i], i + 1));
  return entries;
}

std::string UnpackHistory(const Bytes& blob) {
  if (blob.empty()) return {};
  const Bytes text = UnpackBlob(blob);
  return std::string(text.begin(), text.end());
}

Bytes PackHistory(std::string_view text) {
  return PackBlob({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

bool RecordHistoryEntry(TAdoChannel& channel, THistoryOwner owner, int user, int item,
                        const THistoryEntry& entry, std::string& error) {
  const TOwnerTable names = TableOf(owner);
  const std::string where = std::string(" where User_ID = ? and ") + names.itemColumn + " = ?";
  const bool stored = channel.InTransaction([&] {
    auto row = channel.Query(std::string("select ReciteCount, History from ") + names.table + where,
                             {Int(user), Int(item)});
    if (!row) {
      error = channel.LastError();
      return false;
    }
    std::string history;
    try {
      if (!row->Eof()) history = UnpackHistory(row->AsBlob("History"));
    } catch (const EBlobError& damage) {
      error = std::string("记忆历史已损坏：") + damage.what();
      return false;
    }
    const Bytes packed = PackHistory(AppendHistoryEntry(std::move(history), entry));
    const bool written =
        row->Eof()
            ? channel.RunSql(std::string("insert into ") + names.table + "(User_ID, " + names.itemColumn +
                                 ", ReciteCount, History" +
                                 (owner == THistoryOwner::Word ? ", CategoryContent, Relation_Count" : "") +
                                 ") values(?, ?, 1, ?" + (owner == THistoryOwner::Word ? ", '', 0" : "") + ")",
                             {Int(user), Int(item), Blob(packed)})
            : channel.RunSql(std::string("update ") + names.table +
                                 " set ReciteCount = coalesce(ReciteCount, 0) + 1, History = ?" + where,
                             {Blob(packed), Int(user), Int(item)});
    if (!written) error = channel.LastError();
    return written;
  });
  return stored;
}

}  // namespace zidezo

#include "learners/WordLookup.h"

#include <algorithm>

#include "base/Text.h"
#include "data/AdoChannel.h"

namespace zidezo {
namespace {

bool EndsNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string Minus(std::string_view word, std::size_t count) {
  return std::string(word.substr(0, word.size() >= count ? word.size() - count : 0));
}

// "stopped": the two letters before the ending are the same, so the doubled one goes too.
bool DoubledBefore(std::string_view word, std::size_t ending) {
  if (word.size() <= 4) return false;
  const std::size_t last = word.size() - ending - 1;
  return ToLowerAscii(word.substr(last, 1)) == ToLowerAscii(word.substr(last - 1, 1));
}

void AddIrregularForms(TAdoChannel& channel, const std::string& word, std::vector<std::string>& forms) {
  std::string probe("/");
  probe += ToLowerAscii(word);
  probe += "/";
  auto rows = channel.Query(
      "select WordName from Irregular where instr('/' || lower(PastStyle) || '/', ?) > 0 "
      "or instr('/' || lower(FinishStyle) || '/', ?) > 0",
      {Text(probe), Text(probe)});
  for (; rows && !rows->Eof(); rows->Next()) forms.push_back(Trim(rows->AsText("WordName")));
}

// The suffix rules, tried in order until one applies.
void AddSuffixForms(const std::string& w, std::vector<std::string>& forms) {
  if (EndsNoCase(w, "al")) {
    forms.push_back(Minus(w, 2));
  } else if (EndsNoCase(w, "ed")) {
    if (EndsNoCase(w, "ied")) {
      forms.push_back(Minus(w, 3) + "y");
    } else {
      forms.push_back(Minus(w, 2));
      forms.push_back(Minus(w, 1));
      if (DoubledBefore(w, 2)) forms.push_back(Minus(w, 3));
    }
  } else if (EndsNoCase(w, "er")) {
    forms.push_back(EndsNoCase(w, "ier") ? Minus(w, 3) + "y" : Minus(w, 2));
  } else if (EndsNoCase(w, "est")) {
    forms.push_back(EndsNoCase(w, "iest") ? Minus(w, 4) + "y" : Minus(w, 3));
  } else if (EndsNoCase(w, "ing")) {
    forms.push_back(Minus(w, 3));
    forms.push_back(Minus(w, 3) + "e");
    if (DoubledBefore(w, 3)) forms.push_back(Minus(w, 4));
  } else if (EndsNoCase(w, "ly")) {
    forms.push_back(EndsNoCase(w, "ily") ? Minus(w, 3) + "y" : Minus(w, 2));
  } else if (EndsNoCase(w, "ment")) {
    forms.push_back(Minus(w, 4));
  } else if (EndsNoCase(w, "s")) {
    forms.push_back(Minus(w, 1));
    if (EndsNoCase(w, "ness")) {
      forms.push_back(Minus(w, 4));
    } else if (EndsNoCase(w, "ies")) {
      forms.push_back(Minus(w, 3) + "y");
    } else if (EndsNoCase(w, "es")) {
      forms.push_back(Minus(w, 2));
    }
  }
}

std::vector<std::string> FormsOfWord(TAdoChannel& channel, const std::string& w) {
  std::vector<std::string> forms{w};
  const bool possessive = EndsNoCase(w, "'s");
  if (possessive) forms.push_back(Minus(w, 2));
  AddIrregularForms(channel, w, forms);
  if (!possessive) AddSuffixForms(w, forms);
  return forms;
}

}  // namespace

std::string LibraryItemColumns() {
  return "TotalWords.*, TotalWords.WORD_ID as REFERENCE_ID, 0 as ABILITY, 0 as WORD_ROUND, 1 as Word_Frequency, "
         "12 as Speed, 0 as UPDATE_DATE, 0 as Real_Date, 0 as BOOK_INDEX";
}

std::vector<std::string> WordForms(TAdoChannel& channel, std::string_view text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return {};
  const std::size_t space = trimmed.find(' ');
  if (space == std::string::npos) return FormsOfWord(channel, trimmed);
  const std::string rest = Trim(trimmed.substr(space));
  auto forms = FormsOfWord(channel, Trim(trimmed.substr(0, space)));
  for (auto& form : forms) {
    form += ' ';
    form += rest;
  }
  return forms;
}

TWordLookup::TWordLookup(TAdoChannel& main, const DataPaths& paths)
    : main_(main), example_file_(paths.ExampleDatabase()), dictionary_file_(paths.DictionaryDatabase()) {
  std::error_code ignored;
  has_examples_ = std::filesystem::is_regular_file(example_file_, ignored);
  has_dictionary_ = std::filesystem::is_regular_file(dictionary_file_, ignored);
}

TWordLookup::~TWordLookup() = default;

std::vector<std::unique_ptr<TWord>> TWordLookup::FindWords(int user, const std::vector<std::string>& names,
                                                           const std::string& typed, TUserBook* book) {
  std::vector<std::unique_ptr<TWord>> words;
  if (!names.empty()) {
    SqlParams params(names.begin(), names.end());
    auto rows = main_.Query("select " + LibraryItemColumns() + " from TotalWords where WORD_NAME in (" +
                                Placeholders(names.size()) + ") order by WORD_ID",
                            params);
    TWordLoad load;
    load.book = book;
    load.user = user;
    for (; rows && !rows->Eof(); rows->Next()) {
      words.push_back(std::make_unique<TWord>(main_, book));
      words.back()->LoadFromWordRow(*rows, load);
    }
  }
  if (words.empty()) {
    words.push_back(std::make_unique<TWord>(main_, book));
    words.back()->user = user;
    words.back()->name = typed;
  }
  return words;
}

bool TWordLookup::SaveWordClass(const TWord& word) {
  return main_.ExecSql("update TotalWords set WORD_CLASS = ? where Word_ID = ?",
                       {Text(word.sharedCategories), Int(word.number)}) &&
         main_.Changes() > 0;
}

int TWordLookup::WordCountOfBook(int libraryBook) {
  return static_cast<int>(
      main_.QueryInteger("select Count(*) as WordCount from Words where BOOK_ID = ?", {Int(libraryBook)}).value_or(0));
}

TAdoChannel* TWordLookup::OpenOnce(std::unique_ptr<TAdoChannel>& channel, bool exists,
                                   const std::filesystem::path& file, bool& failed) {
  if (channel) return channel.get();
  if (!exists || failed) return nullptr;
  auto opened = std::make_unique<TAdoChannel>();
  if (!opened->OpenDatabase(file.string())) {
    failed = true;  // asked once; the services answer empty from then on
    return nullptr;
  }
  channel = std::move(opened);
  return channel.get();
}

TAdoChannel* TWordLookup::ExampleChannel() {
  return OpenOnce(example_, has_examples_, example_file_, example_failed_);
}

TAdoChannel* TWordLookup::DictionaryChannel() {
  return OpenOnce(dictionary_, has_dictionary_, dictionary_file_, dictionary_failed_);
}

int TWordLookup::CountOn(TAdoChannel* channel, const std::string& sql, int word) {
  if (!channel) return 0;
  return static_cast<int>(channel->QueryInteger(sql, {Int(word)}).value_or(0));
}

std::vector<TExample> TWordLookup::Examples(int word) {
  std::vector<TExample> examples;
  TAdoChannel* channel = ExampleChannel();
  if (!channel) return examples;
  auto rows = channel->Query("select EXAMPLE_Content from Example where WORD_ID = ? order by Example_Index ASC",
                             {Int(word)});
  for (; rows && !rows->Eof(); rows->Next()) examples.push_back({Trim(rows->AsText("EXAMPLE_Content")), true});
  return examples;
}

bool TWordLookup::HasExamples(int word) {
  return CountOn(ExampleChannel(), "select Count(*) as ExampleCount from Example where WORD_ID = ?", word) > 0;
}

std::unique_ptr<TMemoryStream> TWordLookup::DictionaryNote(int word) {
  TAdoChannel* channel = DictionaryChannel();
  if (!channel) return nullptr;
  auto rows = channel->Query("select WORD_NOTE from Dictionary where WORD_ID = ?", {Int(word)});
  if (!rows || rows->Eof()) return nullptr;
  return std::make_unique<TMemoryStream>(rows->AsBlob("WORD_NOTE"));
}

bool TWordLookup::HasDictionaryNote(int word) {
  return CountOn(DictionaryChannel(), "select Count(*) as ExplainCount from Dictionary where WORD_ID = ?", word) > 0;
}

int TWordLookup::NewSharedCategory(const std::string& name) {
  int number = 0;
  const bool stored = main_.InTransaction([&] {
    const auto highest = main_.QueryInteger("select Max(Sequence) as MaxSequence from Category where User_ID = ?",
                                            {Int(kSharedCategoryUser)});
    number = std::max<int>(static_cast<int>(highest.value_or(0)) + 1, kFirstSharedCategory);
    return main_.RunSql("insert into Category(User_ID, Sequence, Class_Name) values(?, ?, ?)",
                        {Int(kSharedCategoryUser), Int(number), Text(name)});
  });
  return stored ? number : 0;
}

}  // namespace zidezo

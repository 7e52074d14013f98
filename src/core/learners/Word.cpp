#include "learners/Word.h"

#include "base/Text.h"
#include "crypto/Cipher.h"
#include "data/AdoChannel.h"

namespace zidezo {

std::string CategoryList(std::string text) { return text.empty() ? std::string(",") : text; }

TWord::TWord(TAdoChannel& channel, TUserBook* owner) : book(owner), channel_(&channel) {}

void TWord::LoadRecord(const TResultSet& row, const TWordLoad& load) {
  book = load.book;
  bookNumber = load.bookNumber;
  user = load.user;
  if (load.keys) keys_ = *load.keys;
  number = row.AsInt("REFERENCE_ID");
  round = row.AsInt("WORD_ROUND");
  ability = row.AsInt("ABILITY");
  ability1 = ability;
  state1 = row.AsInt("State");
  ability2 = row.AsInt("ABILITY2");
  state2 = row.AsInt("State2");
  ability3 = row.AsInt("ABILITY3");
  state3 = row.AsInt("State3");
  speed = row.HasField("Speed") ? row.AsInt("Speed") : kDefaultSpeed;
  updateDate = row.AsFloat("UPDATE_DATE");
  realDate = row.AsFloat("Real_Date");
  frequency = row.AsInt("Word_Frequency");
  bookIndex = row.AsInt("BOOK_INDEX");
  relationCount = row.AsInt("Relation_Count");
  abilityPerRound = round == 0 ? 0.0 : static_cast<double>(ability) / round;
  presentations = 0;
  grade = 0;
  answered = load.answered;
}

void TWord::LoadFromWordRow(const TResultSet& row, const TWordLoad& load) {
  LoadRecord(row, load);
  isSentence = false;
  fullExample = load.fullExample;
  name = row.AsText("WORD_NAME");
  if (load.capitalNames) name = ToUpperAscii(name);
  phonetic = row.AsText("WORD_SYMBOL");
  newPhonetic = row.AsText("WORD_NEWSYMBOL");
  translation = row.AsText("WORD_TRANS");
  explanation = row.AsText("WORD_EXPLAIN");
  synonyms = Trim(row.AsText("WORD_SYNONYMY"));
  antonyms = Trim(row.AsText("WORD_ANTONYM"));
  analogous = row.AsText("WORD_ANALOPY");
  related = row.AsText("WORD_GREANTONYM");
  example = row.AsText("WORD_EXAMPLE");
  wordFormation = row.AsText("WORD_AFFIX");
  memoryAid = row.AsText("WORD_AIDS");
  usage = row.AsInt("WORD_USAGE");
  sharedCategories = CategoryList(row.AsText("WORD_CLASS"));
  ownCategories = CategoryList(row.AsText("CategoryContent"));
}

void TWord::LoadFromSentenceRow(const TResultSet& row, const TWordLoad& load) {
  LoadRecord(row, load);
  isSentence = true;
  fullExample = true;
  name = row.AsText("WORD_NAME");
  sentenceText = Trim(row.AsText("Sentence_Content"));
  explanation = row.AsText("Sentence_Explain");
  sentenceAnalysis = Trim(row.AsText("Sentence_Analyse"));
  sharedCategories = CategoryList(row.AsText("WORD_CLASS"));
  ownCategories = CategoryList(row.AsText("CategoryContent"));
}

std::unique_ptr<TWord> TWord::Copy() const {
  auto copy = std::make_unique<TWord>(*channel_, book);
  copy->bookNumber = bookNumber;
  copy->user = user;
  copy->number = number;
  copy->name = name;
  copy->phonetic = phonetic;
  copy->translation = translation;
  copy->explanation = explanation;
  copy->synonyms = synonyms;
  copy->antonyms = antonyms;
  copy->analogous = analogous;
  copy->related = related;
  copy->example = example;
  copy->wordFormation = wordFormation;
  copy->fullExample = fullExample;
  copy->isSentence = isSentence;
  copy->sharedCategories = sharedCategories;
  copy->ownCategories = ownCategories;
  copy->relationCount = relationCount;
  copy->keys_ = keys_;
  return copy;
}

std::string TWord::ExampleText() const {
  if (fullExample) return example;
  return example.substr(0, example.find_first_of("\r\n"));
}

int TWord::CategoryCount() const {
  int count = 0;
  for (const auto& entry : Split(ownCategories + sharedCategories, ',')) {
    if (!Trim(entry).empty()) ++count;
  }
  return count;
}

int TWord::RelationCount() const {
  const auto count =
      isSentence
          ? channel_->QueryInteger("select count(*) as Relation_Count from LinkWords where User_ID = ? and Link_ID = ?",
                                   {Int(user), Int(number)})
          : channel_->QueryInteger("select Relation_Count from UserWordInfo where User_ID = ? and Word_ID = ?",
                                   {Int(user), Int(number)});
  return static_cast<int>(count.value_or(0));
}

std::string TWord::OwnCategories() const {
  return channel_->QueryText("select CategoryContent from UserWordInfo where User_ID = ? and Word_ID = ?",
                             {Int(user), Int(number)})
      .value_or("");
}

bool TWord::ReloadTexts() {
  if (!BelongsToBook()) return false;
  auto row = channel_->Query("select Word_Trans, Word_Example, WORD_CLASS from TotalWords where Word_ID = ?",
                             {Int(number)});
  if (!row || row->Eof()) return false;
  translation = row->AsText("Word_Trans");
  example = row->AsText("Word_Example");
  sharedCategories = CategoryList(row->AsText("WORD_CLASS"));
  return true;
}

bool TWord::SetLibraryText(const char* column, const std::string& text) {
  const bool written =
      channel_->ExecSql(std::string("update TotalWords set ") + column + " = ? where Word_ID = ?", {Text(text), Int(number)});
  return written && channel_->Changes() > 0;
}

bool TWord::SaveTranslation(const std::string& text) {
  if (!SetLibraryText("WORD_TRANS", text)) return false;
  translation = text;
  return true;
}

bool TWord::SaveExample(const std::string& text) {
  if (!SetLibraryText("WORD_EXAMPLE", text)) return false;
  example = text;
  return true;
}

std::string TWord::Decrypt(const std::string& field, const std::string& key) const {
  if (field.empty()) return {};
  try {
    // The plain text is followed by the zero bytes that padded its last block.
    const std::string plain = DecipherText(field, key);
    return Trim(plain.substr(0, plain.find('\0')));
  } catch (const std::exception&) {
    // A damaged library field only loses its look-up terms.
    return {};
  }
}

std::string TWord::DecryptedSynonyms() const { return Decrypt(synonyms, keys_.wordSynonymy); }
std::string TWord::DecryptedAntonyms() const { return Decrypt(antonyms, keys_.wordAntonym); }

std::string TWord::CipherMarks() const {
  std::string marks;
  if (!synonyms.empty()) marks += 'Z';
  if (!antonyms.empty()) marks += 'B';
  return marks;
}

bool TWord::RemoveFromBook() {
  return channel_->ExecSql("delete from Zidezo where REFERENCE_ID = ? and BOOK_ID = ? and USER_ID = ?",
                           {Int(number), Int(bookNumber), Int(user)});
}

std::string TWord::TextAt(int index) const {
  if (index < 0 || index >= TextCount()) return {};
  return attachedTexts_[static_cast<std::size_t>(index)];
}

}  // namespace zidezo

#include "learners/Library.h"

#include <iconv.h>

#include <charconv>
#include <stdexcept>

#include "base/Files.h"
#include "base/Text.h"
#include "data/AdoChannel.h"
#include "data/ReferenceContent.h"

namespace zidezo {
namespace {

// GBK text to UTF-8; throws when the bytes are not GBK either.
std::string GbkToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("无法转换 GBK 编码");
  std::string output(text.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("文件既不是 UTF-8 也不是 GBK 编码");
  output.resize(output.size() - out_left);
  return output;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = Split(text, '\n');
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string WordExample(const TLibraryWord& word) {
  if (word.example_translation.empty()) return word.example;
  return word.example + "\r\n" + word.example_translation;
}

int ParseNumber(const std::string& text, const std::string& where) {
  int value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    throw std::runtime_error(where + "：\"" + text + "\" 不是整数");
  }
  return value;
}

}  // namespace

TLibraryWriter::TLibraryWriter(TAdoChannel& config, TAdoChannel* examples) : config_(config), examples_(examples) {}

void TLibraryWriter::Run(TAdoChannel& channel, const std::string& sql, const SqlParams& params) {
  if (!channel.RunSql(sql, params)) throw std::runtime_error(channel.LastError());
}

int TLibraryWriter::WordNumber(const TLibraryWord& word, TImportCounts& counts) {
  if (!names_loaded_) {
    auto rows = config_.Query("select WORD_ID, WORD_NAME from TotalWords");
    if (!rows) throw std::runtime_error(config_.LastError());
    for (rows->First(); !rows->Eof(); rows->Next()) {
      word_numbers_.emplace(ToLowerAscii(rows->TextViewAt(1)), rows->IntegerAt(0));
      next_word_ = std::max(next_word_, static_cast<int>(rows->IntegerAt(0)));
    }
    names_loaded_ = true;
  }
  const std::string key = ToLowerAscii(word.word);
  if (auto found = word_numbers_.find(key); found != word_numbers_.end()) {
    ++counts.reused;
    return found->second;
  }
  const int number = ++next_word_;
  Run(config_,
      "insert into TotalWords (WORD_ID, WORD_NAME, WORD_SYMBOL, WORD_NEWSYMBOL, WORD_TRANS, WORD_EXPLAIN, WORD_SYNONYMY, "
      "WORD_ANTONYM, WORD_GREANTONYM, WORD_ANALOPY, WORD_EXAMPLE, WORD_AFFIX, WORD_AIDS, WORD_USAGE, WORD_CLASS) "
      "values (?, ?, ?, ?, ?, '', '', '', '', '', ?, '', '', 0, ',')",
      {Int(number), Text(word.word), Text(word.symbol), Text(word.symbol), Text(word.translation), Text(WordExample(word))});
  if (examples_ != nullptr && !word.example.empty()) {
    Run(*examples_, "insert into Example (WORD_ID, Example_Index, EXAMPLE_Content) values (?, 1, ?)",
        {Int(number), Text(WordExample(word))});
  }
  word_numbers_.emplace(key, number);
  ++counts.added;
  return number;
}

int TLibraryWriter::NextBookNumber(int kind) {
  const auto highest = config_.QueryInteger("select Max(BOOK_ID) from LibraryBooks where Category = ?", {Int(kind)});
  const int first = kind == 2 ? 1001 : 1;
  return std::max(first, static_cast<int>(highest.value_or(0)) + 1);
}

TImportCounts TLibraryWriter::AddWordBook(const TLibraryBook& book, const std::vector<TLibraryWord>& words) {
  TImportCounts counts;
  counts.book = book.number;
  const int sequence = static_cast<int>(config_.QueryInteger("select count(*) from LibraryBooks").value_or(0));
  Run(config_, "insert into LibraryBooks (BOOK_ID, Category, GroupName, BOOK_NAME, Sequence) values (?, 1, ?, ?, ?)",
      {Int(book.number), Text(book.group), Text(book.name), Int(sequence)});
  int index = 0;
  for (const TLibraryWord& word : words) {
    const int number = WordNumber(word, counts);
    Run(config_, "insert into Words (BOOK_ID, REFERENCE_ID, Word_Index, Word_Frequency) values (?, ?, ?, ?)",
        {Int(book.number), Int(number), Int(++index), Int(word.frequency)});
  }
  return counts;
}

void TLibraryWriter::AddSentenceBook(const TLibraryBook& book, const std::vector<TLibrarySentence>& sentences) {
  const int sequence = static_cast<int>(config_.QueryInteger("select count(*) from LibraryBooks").value_or(0));
  Run(config_, "insert into LibraryBooks (BOOK_ID, Category, GroupName, BOOK_NAME, Sequence) values (?, 2, ?, ?, ?)",
      {Int(book.number), Text(book.group), Text(book.name), Int(sequence)});
  int next = static_cast<int>(config_.QueryInteger("select Max(Sentence_ID) from TotalSentences").value_or(0));
  int index = 0;
  for (const TLibrarySentence& sentence : sentences) {
    Run(config_,
        "insert into TotalSentences (Sentence_ID, User_ID, Sentence_Content, Sentence_Explain, Sentence_Analyse) "
        "values (?, 0, ?, ?, ?)",
        {Int(++next), Text(sentence.sentence), Text(sentence.explanation), Text(sentence.analysis)});
    Run(config_, "insert into Sentences (BOOK_ID, Sentence_ID, Sentence_Index) values (?, ?, ?)",
        {Int(book.number), Int(next), Int(++index)});
  }
}

void LoadShippedLibrary(TLibraryWriter& writer, const std::filesystem::path& data_dir) {
  const auto folder = data_dir / "library";
  const TableFile books = ReadTableFile(folder / "books.tsv");
  for (std::size_t row = 0; row < books.rows.size(); ++row) {
    const auto& values = books.rows[row];
    const std::string where = (folder / "books.tsv").string() + " 第" + std::to_string(books.line_numbers[row]) + "行";
    if (values.size() < 5) throw std::runtime_error(where + "：字段不足");
    TLibraryBook book{ParseNumber(values[1], where), values[0] == "sentence" ? 2 : 1, values[2], values[3]};
    const TableFile items = ReadTableFile(folder / values[4]);
    if (book.kind == 2) {
      std::vector<TLibrarySentence> sentences;
      for (const auto& item : items.rows) sentences.push_back({item[0], item.size() > 1 ? item[1] : "", item.size() > 2 ? item[2] : ""});
      writer.AddSentenceBook(book, sentences);
    } else {
      std::vector<TLibraryWord> words;
      for (std::size_t i = 0; i < items.rows.size(); ++i) {
        const auto& item = items.rows[i];
        const std::string item_where = (folder / values[4]).string() + " 第" + std::to_string(items.line_numbers[i]) + "行";
        if (item.size() < 6) throw std::runtime_error(item_where + "：应有 6 个字段");
        words.push_back({item[0], item[1], item[2], item[3], item[4], ParseNumber(item[5], item_where)});
      }
      writer.AddWordBook(book, words);
    }
  }
}

std::vector<TLibraryBook> LibraryBooks(TAdoChannel& config) {
  std::vector<TLibraryBook> books;
  auto rows = config.Query("select BOOK_ID, Category, GroupName, BOOK_NAME from LibraryBooks order by Sequence, BOOK_ID");
  if (!rows) return books;
  for (rows->First(); !rows->Eof(); rows->Next()) {
    books.push_back({rows->AsInt("BOOK_ID"), rows->AsInt("Category"), rows->AsText("GroupName"), rows->AsText("BOOK_NAME")});
  }
  return books;
}

std::vector<TLibraryWord> ReadWordList(const std::filesystem::path& file) {
  std::string text = ReadWholeFile(file);
  if (StartsWith(text, "\xEF\xBB\xBF")) {
    text.erase(0, 3);
  } else if (!IsValidUtf8(text)) {
    text = GbkToUtf8(text);
  }
  std::vector<TLibraryWord> words;
  const auto lines = Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string where = "第" + std::to_string(i + 1) + "行";
    if (Trim(lines[i]).empty()) continue;
    std::vector<std::string> fields = Split(lines[i], '\t');
    for (std::string& field : fields) field = Trim(field);
    if (fields.size() < 3) {
      throw std::runtime_error(where + "：应有至少 3 个用制表符分隔的字段（单词、音标、释义），实有 " +
                               std::to_string(fields.size()) + " 个");
    }
    if (fields.size() > 5) throw std::runtime_error(where + "：字段太多（最多 5 个），实有 " + std::to_string(fields.size()) + " 个");
    if (fields[0].empty()) throw std::runtime_error(where + "：单词为空");
    if (fields[2].empty()) throw std::runtime_error(where + "：释义为空");
    if (fields.size() == 4) throw std::runtime_error(where + "：有例句却没有例句译文");
    TLibraryWord word{fields[0], fields[1], fields[2], fields.size() > 3 ? fields[3] : "", fields.size() > 4 ? fields[4] : "", 1};
    words.push_back(std::move(word));
  }
  if (words.empty()) throw std::runtime_error("文件中没有单词：" + file.string());
  return words;
}

}  // namespace zidezo

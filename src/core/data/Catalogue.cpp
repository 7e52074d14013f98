#include "data/Catalogue.h"

#include "base/Text.h"
#include "data/AdoChannel.h"

namespace zidezo {
namespace {

ColumnDefinition I(std::string name) { return {std::move(name), ColumnType::Integer}; }
ColumnDefinition D(std::string name) { return {std::move(name), ColumnType::DateTime}; }
ColumnDefinition T(std::string name) { return {std::move(name), ColumnType::Text}; }
ColumnDefinition M(std::string name) { return {std::move(name), ColumnType::Memo}; }
ColumnDefinition B(std::string name) { return {std::move(name), ColumnType::Blob}; }

DatabaseDefinition ConfigDatabase() {
  return {"Config",
          {
              {"Feature", {I("MajorVersion"), I("MinorVersion")}, {}},
              {"USERS",
               {I("User_ID"), T("USER_NAME"), T("USER_PASSWORD"), T("User_RealName"), T("User_Number"),
                I("Update_Dictionary"), I("User_Type"), T("DeskTopPicture"), T("BookPicture"), T("MusicFile"),
                I("Active_Sequence"), T("SmtpHost"), T("Pop3Host"), T("LoginName"), T("LoginPassword"),
                T("EMailAddress"), T("TeacherEMailAddress"), T("QuestionOrder"), I("UserMaxID"), I("BookMaxID")},
               {"User_ID"}},
              {"USERBOOKS",
               {I("USER_ID"), I("BOOK_ID"), I("SEQUENCE"), I("Category"), I("RelationBook_ID"), I("Deletable"),
                T("BOOK_NAME"), I("Active_Sequence")},
               {"USER_ID,BOOK_ID"}},
              {"Zidezo",
               {I("User_ID"), I("BOOK_ID"), I("REFERENCE_ID"), I("BOOK_INDEX"), T("WORD_NAME"), I("Word_Index"),
                I("Word_Frequency"), I("RANDOM_NUM"), I("WORD_ROUND"), I("ABILITY"), I("State"), I("ABILITY2"),
                I("State2"), I("ABILITY3"), I("State3"), I("Speed"), D("UPDATE_DATE"), D("Real_Date")},
               {"User_ID,BOOK_ID,REFERENCE_ID", "User_ID,BOOK_ID,Word_Index"}},
              {"TotalWords",
               {I("WORD_ID"), T("WORD_NAME"), T("WORD_SYMBOL"), T("WORD_NEWSYMBOL"), M("WORD_TRANS"),
                M("WORD_EXPLAIN"), M("WORD_SYNONYMY"), M("WORD_ANTONYM"), M("WORD_GREANTONYM"), M("WORD_ANALOPY"),
                M("WORD_EXAMPLE"), M("WORD_AFFIX"), M("WORD_AIDS"), I("WORD_USAGE"), T("WORD_CLASS")},
               {"WORD_ID", "WORD_NAME"}},
              {"Words", {I("BOOK_ID"), I("REFERENCE_ID"), I("Word_Index"), I("Word_Frequency")},
               {"BOOK_ID,Word_Index", "REFERENCE_ID"}},
              {"Sentences", {I("BOOK_ID"), I("Sentence_ID"), I("Sentence_Index")}, {"BOOK_ID,Sentence_Index"}},
              {"TotalSentences",
               {I("Sentence_ID"), I("User_ID"), M("Sentence_Content"), M("Sentence_Explain"), M("Sentence_Analyse")},
               {"Sentence_ID"}},
              {"UserWordInfo",
               {I("User_ID"), I("Word_ID"), I("Relation_Count"), T("CategoryContent"), I("ReciteCount"), B("History")},
               {"User_ID,Word_ID"}},
              {"UserSentenceInfo", {I("User_ID"), I("Sentence_ID"), I("ReciteCount"), B("History")},
               {"User_ID,Sentence_ID"}},
              {"LinkWords", {I("User_ID"), I("Link_ID"), I("Word_ID")}, {"User_ID,Link_ID"}},
              {"Relation", {I("USER_ID"), I("RELATION_ID"), M("RELATION_CONTENT"), I("Hardness")},
               {"USER_ID,RELATION_ID"}},
              {"RelationWord", {I("USER_ID"), I("RELATION_ID"), I("REFERENCE_ID")},
               {"USER_ID,RELATION_ID", "USER_ID,REFERENCE_ID"}},
              {"Category", {I("User_ID"), I("Sequence"), T("Class_Name")}, {"User_ID,Sequence"}},
              {"CategoryHardness", {I("User_ID"), I("Sequence"), I("Hardness")}, {"User_ID,Sequence"}},
              {"Config", {I("USER_ID"), I("SEQUENCE"), I("NUMBEREX"), T("CHOICE")}, {"USER_ID,SEQUENCE"}},
              {"UserBookConfig", {I("User_ID"), I("USERBOOK_ID"), I("SEQUENCE"), I("NUMBEREX"), T("CHOICE")},
               {"User_ID,USERBOOK_ID,SEQUENCE", "SEQUENCE,NUMBEREX"}},
              {"Interface", {I("USER_ID"), I("Style"), I("SEQUENCE"), I("NUMBEREX"), T("CHOICE"), T("EXPLAIN")},
               {"USER_ID,Style,SEQUENCE"}},
              {"Algorithm", {I("ID"), I("User_ID"), I("AlgorithmType"), T("Title"), M("Content"), I("UseShare")},
               {"ID", "User_ID,AlgorithmType"}},
              {"Irregular", {T("WordName"), T("PastStyle"), T("FinishStyle")}, {"PastStyle", "FinishStyle"}},
              {"Help", {I("ID"), I("Category"), T("Tilte"), T("HashCode"), I("Sequence"), B("Content")},
               {"HashCode", "Category,Sequence"}},
              {"Tips", {I("LayerID"), I("LayerKey"), T("Title"), T("Caption"), T("HashCode"), I("Sequence")},
               {"LayerID,Sequence"}},
              {"PressCount", {I("UserID"), I("LayerID"), I("LayerKey"), I("ClickCount"), I("Visible")},
               {"UserID,LayerID,LayerKey"}},
              {"FormatInfo", {I("Class"), I("Type"), T("TypeName"), I("Color")}, {"Class,Type"}},
              {"FormatContent", {I("Class"), T("Content")}, {"Class"}},
              {"LibraryBooks", {I("BOOK_ID"), I("Category"), T("GroupName"), T("BOOK_NAME"), I("Sequence")},
               {"BOOK_ID"}},
          }};
}

DatabaseDefinition ExampleDatabase() {
  return {"Example", {{"Example", {I("WORD_ID"), I("Example_Index"), M("EXAMPLE_Content")}, {"WORD_ID,Example_Index"}}}};
}

DatabaseDefinition DictionaryDatabase() {
  return {"REVeru", {{"Dictionary", {I("WORD_ID"), B("WORD_NOTE")}, {"WORD_ID"}}}};
}

std::string SqlType(ColumnType type) {
  switch (type) {
    case ColumnType::Integer: return "INTEGER";
    case ColumnType::DateTime: return "REAL";
    case ColumnType::Text:
    case ColumnType::Memo: return "TEXT COLLATE NOCASE";
    case ColumnType::Blob: return "BLOB";
  }
  return "BLOB";
}

std::string IndexName(const std::string& table, const std::string& columns) {
  return "ix_" + table + "_" + ReplaceAll(columns, ",", "_");
}

}  // namespace

const std::vector<DatabaseDefinition>& Catalogue() {
  static const std::vector<DatabaseDefinition> databases = {ConfigDatabase(), ExampleDatabase(), DictionaryDatabase()};
  return databases;
}

const DatabaseDefinition* FindDatabase(const std::string& base_name) {
  for (const auto& database : Catalogue()) {
    if (EqualsNoCase(database.base_name, base_name)) return &database;
  }
  return nullptr;
}

const TableDefinition* FindTable(const DatabaseDefinition& database, const std::string& table) {
  for (const auto& definition : database.tables) {
    if (EqualsNoCase(definition.name, table)) return &definition;
  }
  return nullptr;
}

std::string SchemaScript(const DatabaseDefinition& database) {
  std::string script;
  for (const TableDefinition& table : database.tables) {
    script += "CREATE TABLE IF NOT EXISTS " + table.name + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      if (i > 0) script += ", ";
      script += table.columns[i].name + " " + SqlType(table.columns[i].type);
    }
    script += ");\n";
    for (const std::string& columns : table.indexes) {
      script += "CREATE INDEX IF NOT EXISTS " + IndexName(table.name, columns) + " ON " + table.name + " (" + columns + ");\n";
    }
  }
  return script;
}

bool CreateTables(TAdoChannel& channel, const DatabaseDefinition& database) {
  return channel.ExecScript(SchemaScript(database));
}

std::vector<std::string> MissingSchema(TAdoChannel& channel, const DatabaseDefinition& database) {
  std::vector<std::string> missing;
  for (const TableDefinition& table : database.tables) {
    auto columns = channel.Query("SELECT name FROM pragma_table_info(?)", {Text(table.name)});
    if (!columns) {
      missing.push_back("无法读取表 " + table.name + "：" + channel.LastError());
      continue;
    }
    if (columns->IsEmpty()) {
      missing.push_back("缺少表 " + table.name);
      continue;
    }
    for (const ColumnDefinition& column : table.columns) {
      bool found = false;
      for (columns->First(); !columns->Eof(); columns->Next()) {
        if (EqualsNoCase(columns->TextAt(0), column.name)) found = true;
      }
      if (!found) missing.push_back("表 " + table.name + " 缺少列 " + column.name);
    }
  }
  return missing;
}

}  // namespace zidezo

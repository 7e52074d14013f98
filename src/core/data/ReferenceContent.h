#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zidezo {

class TAdoChannel;
struct DatabaseDefinition;

// One table file of the reference content: data/tables/<Database>/<Table>.tsv.
// UTF-8; '#' lines are comments; the first other line names the columns (tab-separated);
// each further line is a row. "\N" is NULL; "\t", "\n", "\r", "\\" are escapes; a whole value
// "@file:path" is the content of that file, relative to the data folder.
struct TableFile {
  std::string table;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;  // raw values, "\N" kept for NULL
  std::vector<int> line_numbers;               // the file line of each row
};

// Reads and checks a table file; throws std::runtime_error naming the file and line.
TableFile ReadTableFile(const std::filesystem::path& file);

// Splits one tab-separated line and resolves the escapes.
std::vector<std::string> SplitTsvLine(const std::string& line);

// Loads every table file of data/tables/<database.base_name>/ (name order) into the open
// database, in the caller's transaction. False with error naming the file and line.
bool LoadReferenceTables(TAdoChannel& channel, const DatabaseDefinition& database,
                         const std::filesystem::path& data_dir, std::string& error);

}  // namespace zidezo

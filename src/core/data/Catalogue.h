#pragma once

#include <string>
#include <vector>

namespace zidezo {

class TAdoChannel;

enum class ColumnType { Integer, DateTime, Text, Memo, Blob };

struct ColumnDefinition {
  std::string name;
  ColumnType type;
};

struct TableDefinition {
  std::string name;
  std::vector<ColumnDefinition> columns;
  // Each index is a comma-separated column list.
  std::vector<std::string> indexes;
};

// One database file of an installation and its tables.
struct DatabaseDefinition {
  std::string base_name;  // "Config" -> Database/Config.db
  std::vector<TableDefinition> tables;
};

// Every database the catalogue knows, in creation order.
const std::vector<DatabaseDefinition>& Catalogue();
const DatabaseDefinition* FindDatabase(const std::string& base_name);
const TableDefinition* FindTable(const DatabaseDefinition& database, const std::string& table);

// The CREATE TABLE and CREATE INDEX statements of a database.
std::string SchemaScript(const DatabaseDefinition& database);
// Creates the tables and indexes that are missing (an existing table is left as it is).
bool CreateTables(TAdoChannel& channel, const DatabaseDefinition& database);

// What is missing from an open database: tables and columns; empty when it is complete.
std::vector<std::string> MissingSchema(TAdoChannel& channel, const DatabaseDefinition& database);

}  // namespace zidezo

#include "data/ReferenceContent.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <stdexcept>

#include "base/Files.h"
#include "base/Text.h"
#include "data/AdoChannel.h"
#include "data/Catalogue.h"

namespace zidezo {
namespace {

constexpr const char* kNullMarker = "\\N";
constexpr const char* kFilePrefix = "@file:";

std::string Unescape(const std::string& raw) {
  if (raw == kNullMarker) return raw;
  std::string value;
  value.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) {
      const char next = raw[i + 1];
      if (next == 't' || next == 'n' || next == 'r' || next == '\\') {
        value += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
        ++i;
        continue;
      }
    }
    value += raw[i];
  }
  return value;
}

std::string Location(const std::filesystem::path& file, int line) {
  return file.string() + " 第" + std::to_string(line) + "行";
}

SqlValue ToSqlValue(const std::string& value, ColumnType type, const std::filesystem::path& data_dir,
                    const std::string& where) {
  if (value == kNullMarker) return Null();
  if (StartsWith(value, kFilePrefix)) {
    const auto path = data_dir / value.substr(std::string(kFilePrefix).size());
    std::string content = ReadWholeFile(path);
    if (type == ColumnType::Blob) return Blob(ToBytes(content));
    return Text(std::move(content));
  }
  switch (type) {
    case ColumnType::Integer: {
      std::int64_t number = 0;
      const std::string trimmed = Trim(value);
      auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
      if (trimmed.empty() || result.ec != std::errc() || result.ptr != trimmed.data() + trimmed.size()) {
        throw std::runtime_error(where + "：\"" + value + "\" 不是整数");
      }
      return Int(number);
    }
    case ColumnType::DateTime: {
      char* end = nullptr;
      const double number = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0') throw std::runtime_error(where + "：\"" + value + "\" 不是日期数值");
      return Real(number);
    }
    case ColumnType::Blob: return Blob(ToBytes(value));
    default: return Text(value);
  }
}

}  // namespace

std::vector<std::string> SplitTsvLine(const std::string& line) {
  std::vector<std::string> values = Split(line, '\t');
  for (std::string& value : values) value = Unescape(value);
  return values;
}

TableFile ReadTableFile(const std::filesystem::path& file) {
  TableFile table;
  table.table = file.stem().string();
  std::istringstream lines(ReadWholeFile(file));
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && StartsWith(line, "\xEF\xBB\xBF")) line.erase(0, 3);
    if (Trim(line).empty() || line.front() == '#') continue;
    auto values = SplitTsvLine(line);
    if (table.columns.empty()) {
      for (auto& name : values) name = Trim(name);
      table.columns = std::move(values);
      continue;
    }
    if (values.size() != table.columns.size()) {
      throw std::runtime_error(Location(file, number) + "：应有 " + std::to_string(table.columns.size()) + " 个字段，实有 " +
                               std::to_string(values.size()) + " 个");
    }
    table.rows.push_back(std::move(values));
    table.line_numbers.push_back(number);
  }
  if (table.columns.empty()) throw std::runtime_error(file.string() + "：缺少列名行");
  return table;
}

bool LoadReferenceTables(TAdoChannel& channel, const DatabaseDefinition& database,
                         const std::filesystem::path& data_dir, std::string& error) {
  const auto folder = data_dir / "tables" / database.base_name;
  if (!std::filesystem::is_directory(folder)) return true;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".tsv") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  try {
    for (const auto& file : files) {
      const TableFile table = ReadTableFile(file);
      const TableDefinition* definition = FindTable(database, table.table);
      if (definition == nullptr) throw std::runtime_error(file.string() + "：数据库中没有表 " + table.table);
      std::vector<ColumnType> types;
      for (const std::string& column : table.columns) {
        auto found = std::find_if(definition->columns.begin(), definition->columns.end(),
                                  [&](const ColumnDefinition& c) { return EqualsNoCase(c.name, column); });
        if (found == definition->columns.end()) {
          throw std::runtime_error(file.string() + "：表 " + table.table + " 没有列 " + column);
        }
        types.push_back(found->type);
      }
      const std::string sql = "INSERT INTO " + definition->name + " (" + Join(table.columns, ", ") + ") VALUES (" +
                              Placeholders(table.columns.size()) + ")";
      for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const std::string where = Location(file, table.line_numbers[row]);
        SqlParams params;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
          params.push_back(ToSqlValue(table.rows[row][i], types[i], data_dir, where));
        }
        if (!channel.RunSql(sql, params)) throw std::runtime_error(where + "：" + channel.LastError());
      }
    }
  } catch (const std::exception& failure) {
    error = failure.what();
    return false;
  }
  return true;
}

}  // namespace zidezo

#include "data/AdoChannel.h"

#include <sqlite3.h>

#include <filesystem>

#include "data/SqlFunctions.h"

namespace zidezo {

TAdoChannel::TAdoChannel() = default;

TAdoChannel::~TAdoChannel() { Close(); }

bool TAdoChannel::OpenDatabase(const std::string& path, const std::string& /*password*/) {
  return OpenConnection(path);
}

bool TAdoChannel::OpenConnection(const std::string& path) { return Open(path, OpenMode::Existing); }

bool TAdoChannel::CreateDatabase(const std::string& path) { return Open(path, OpenMode::Create); }

bool TAdoChannel::OpenReadOnly(const std::string& path) { return Open(path, OpenMode::ReadOnly); }

bool TAdoChannel::Open(const std::string& path, OpenMode mode) {
  Close();
  file_name_ = path;
  if (mode != OpenMode::Create && !std::filesystem::is_regular_file(path)) {
    last_error_ = "无法打开数据库文件：" + path + "（文件不存在）";
    return false;
  }
  const int flags = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                    : mode == OpenMode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                               : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(path.c_str(), &database_, flags, nullptr) != SQLITE_OK) {
    RememberError("无法打开数据库文件：" + path);
    Close();
    return false;
  }
  sqlite3_busy_timeout(database_, 5000);
  // Reading the schema fails at once on a file that is not a database.
  const char* first_statements = mode == OpenMode::ReadOnly
                                     ? "SELECT count(*) FROM sqlite_master;"
                                     : "PRAGMA journal_mode=WAL; SELECT count(*) FROM sqlite_master;";
  if (sqlite3_exec(database_, first_statements, nullptr, nullptr, nullptr) != SQLITE_OK ||
      !RegisterSqlFunctions(database_)) {
    RememberError("无法打开数据库文件：" + path);
    Close();
    return false;
  }
  return true;
}

void TAdoChannel::Close() {
  slots_.clear();
  named_.clear();
  FinalizeStatements();
  if (database_ != nullptr) {
    sqlite3_close_v2(database_);
    database_ = nullptr;
  }
  transaction_depth_ = 0;
}

void TAdoChannel::FinalizeStatements() {
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  statements_.clear();
}

void TAdoChannel::RememberError(const std::string& context) {
  const char* message = database_ ? sqlite3_errmsg(database_) : "数据库没有打开";
  last_error_ = context.empty() ? std::string(message) : context + ": " + message;
}

sqlite3_stmt* TAdoChannel::Prepare(const std::string& sql) {
  if (database_ == nullptr) {
    last_error_ = "数据库没有打开";
    return nullptr;
  }
  auto found = statements_.find(sql);
  if (found != statements_.end()) {
    sqlite3_reset(found->second);
    sqlite3_clear_bindings(found->second);
    return found->second;
  }
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(database_, sql.c_str(), static_cast<int>(sql.size()), &statement, &tail) != SQLITE_OK) {
    RememberError(sql);
    return nullptr;
  }
  if (statement == nullptr) {
    last_error_ = "空语句";
    return nullptr;
  }
  statements_.emplace(sql, statement);
  return statement;
}

bool TAdoChannel::Bind(sqlite3_stmt* statement, const SqlParams& params) {
  if (static_cast<int>(params.size()) != sqlite3_bind_parameter_count(statement)) {
    last_error_ = "参数个数不符：语句要 " + std::to_string(sqlite3_bind_parameter_count(statement)) + " 个，给了 " +
                  std::to_string(params.size()) + " 个: " + sqlite3_sql(statement);
    return false;
  }
  for (std::size_t i = 0; i < params.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    int result = SQLITE_OK;
    const SqlValue& value = params[i];
    if (std::holds_alternative<std::monostate>(value)) {
      result = sqlite3_bind_null(statement, index);
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
      result = sqlite3_bind_int64(statement, index, *integer);
    } else if (const auto* real = std::get_if<double>(&value)) {
      result = sqlite3_bind_double(statement, index, *real);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
      result = sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()), SQLITE_STATIC);
    } else if (const auto* blob = std::get_if<Bytes>(&value)) {
      result = sqlite3_bind_blob(statement, index, blob->data(), static_cast<int>(blob->size()), SQLITE_STATIC);
    }
    if (result != SQLITE_OK) {
      RememberError(sqlite3_sql(statement));
      return false;
    }
  }
  return true;
}

bool TAdoChannel::Fill(TResultSet& result, const std::string& sql, const SqlParams& params) {
  sqlite3_stmt* statement = Prepare(sql);
  if (statement == nullptr || !Bind(statement, params)) return false;
  const int columns = sqlite3_column_count(statement);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(columns));
  for (int i = 0; i < columns; ++i) names.emplace_back(sqlite3_column_name(statement, i));
  result.Reset(std::move(names));
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i) {
      switch (sqlite3_column_type(statement, i)) {
        case SQLITE_INTEGER: result.AppendInteger(sqlite3_column_int64(statement, i)); break;
        case SQLITE_FLOAT: result.AppendFloat(sqlite3_column_double(statement, i)); break;
        case SQLITE_TEXT:
          result.AppendText(std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                                             static_cast<std::size_t>(sqlite3_column_bytes(statement, i))));
          break;
        case SQLITE_BLOB:
          result.AppendBlob(sqlite3_column_blob(statement, i), static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
          break;
        default: result.AppendNull(); break;
      }
    }
    result.FinishRow();
  }
  const bool ok = step == SQLITE_DONE;
  if (!ok) {
    RememberError(sql);
    result.Reset({});
  }
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  result.Compact();
  result.First();
  return ok;
}

TResultSet* TAdoChannel::OpenQuery(const std::string& sql, int slot, const SqlParams& params) {
  if (slot < 1 || slot > SlotCount() + 1) {
    last_error_ = "查询槽号无效：" + std::to_string(slot);
    return nullptr;
  }
  if (slot == SlotCount() + 1) slots_.push_back(std::make_unique<TResultSet>());
  TResultSet& result = *slots_[static_cast<std::size_t>(slot - 1)];
  return Fill(result, sql, params) ? &result : nullptr;
}

TResultSet* TAdoChannel::OpenNamedQuery(const std::string& name, const std::string& sql, const SqlParams& params) {
  auto found = named_.find(name);
  if (found == named_.end()) found = named_.emplace(name, std::make_unique<TResultSet>()).first;
  return Fill(*found->second, sql, params) ? found->second.get() : nullptr;
}

TResultSet* TAdoChannel::FindNamedQuery(const std::string& name) const {
  auto found = named_.find(name);
  return found == named_.end() ? nullptr : found->second.get();
}

void TAdoChannel::CloseNamedQuery(const std::string& name) {
  auto found = named_.find(name);
  if (found != named_.end()) named_.erase(found);
}

std::unique_ptr<TResultSet> TAdoChannel::Query(const std::string& sql, const SqlParams& params) {
  auto result = std::make_unique<TResultSet>();
  if (!Fill(*result, sql, params)) return nullptr;
  return result;
}

std::optional<std::int64_t> TAdoChannel::QueryInteger(const std::string& sql, const SqlParams& params) {
  auto result = Query(sql, params);
  if (!result || result->Eof() || result->FieldCount() == 0 || result->IsNullAt(0)) return std::nullopt;
  return result->IntegerAt(0);
}

std::optional<double> TAdoChannel::QueryFloat(const std::string& sql, const SqlParams& params) {
  auto result = Query(sql, params);
  if (!result || result->Eof() || result->FieldCount() == 0 || result->IsNullAt(0)) return std::nullopt;
  return result->FloatAt(0);
}

std::optional<std::string> TAdoChannel::QueryText(const std::string& sql, const SqlParams& params) {
  auto result = Query(sql, params);
  if (!result || result->Eof() || result->FieldCount() == 0 || result->IsNullAt(0)) return std::nullopt;
  return result->TextAt(0);
}

bool TAdoChannel::Execute(const std::string& sql, const SqlParams& params) {
  sqlite3_stmt* statement = Prepare(sql);
  if (statement == nullptr || !Bind(statement, params)) return false;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
  }
  const bool ok = step == SQLITE_DONE;
  if (!ok) RememberError(sql);
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  return ok;
}

bool TAdoChannel::RunSql(const std::string& sql, const SqlParams& params) { return Execute(sql, params); }

bool TAdoChannel::Begin() {
  if (database_ == nullptr) {
    last_error_ = "数据库没有打开";
    return false;
  }
  const std::string sql = transaction_depth_ == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT level" + std::to_string(transaction_depth_);
  if (sqlite3_exec(database_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    RememberError(sql);
    return false;
  }
  ++transaction_depth_;
  return true;
}

bool TAdoChannel::Finish(bool commit) {
  --transaction_depth_;
  std::string sql;
  if (transaction_depth_ == 0) {
    sql = commit ? "COMMIT" : "ROLLBACK";
  } else {
    const std::string name = "level" + std::to_string(transaction_depth_);
    sql = commit ? "RELEASE " + name : "ROLLBACK TO " + name + "; RELEASE " + name;
  }
  // Keep the error text of the failed statement: a rollback is not news.
  const std::string failure = last_error_;
  if (sqlite3_exec(database_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    RememberError(sql);
    if (transaction_depth_ == 0 && commit) sqlite3_exec(database_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  if (!commit) last_error_ = failure;
  return commit;
}

bool TAdoChannel::ExecSql(const std::string& sql, const SqlParams& params) {
  if (!Begin()) return false;
  return Finish(Execute(sql, params));
}

bool TAdoChannel::ExecSqlList(const std::vector<SqlStatement>& statements) {
  if (!Begin()) return false;
  bool ok = true;
  for (const SqlStatement& statement : statements) {
    if (!Execute(statement.sql, statement.params)) {
      ok = false;
      break;
    }
  }
  return Finish(ok);
}

bool TAdoChannel::ExecScript(const std::string& script) {
  if (!Begin()) return false;
  const bool ok = sqlite3_exec(database_, script.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!ok) RememberError("");
  return Finish(ok);
}

bool TAdoChannel::InTransaction(const std::function<bool()>& body) {
  if (!Begin()) return false;
  bool ok = false;
  try {
    ok = body();
  } catch (...) {
    Finish(false);
    throw;
  }
  return Finish(ok);
}

int TAdoChannel::Changes() const { return database_ ? sqlite3_changes(database_) : 0; }

std::int64_t TAdoChannel::LastInsertRowId() const { return database_ ? sqlite3_last_insert_rowid(database_) : 0; }

}  // namespace zidezo

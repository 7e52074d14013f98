#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Text.h"
#include "data/ResultSet.h"
#include "data/SqlValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace zidezo {

// The one way the program talks to a database: one channel per SQLite file.
// Numbered query slots and named queries hold snapshots (TResultSet) that the channel owns;
// statements run in a transaction of their own unless a list or a transaction body is run.
// The channel never shows a message: a failure returns false or nullptr, and LastError()
// keeps the engine's error text of the last failure for the caller to report.
class TAdoChannel {
 public:
  TAdoChannel();
  ~TAdoChannel();
  TAdoChannel(const TAdoChannel&) = delete;
  TAdoChannel& operator=(const TAdoChannel&) = delete;

  // Opens an existing database file. The password is accepted for the callers' sake and unused.
  bool OpenDatabase(const std::string& path, const std::string& password = "");
  // Opens the SQLite file at path (which must exist and be a database).
  bool OpenConnection(const std::string& path);
  // Creates (or opens) a database file, for a new installation.
  bool CreateDatabase(const std::string& path);
  // Opens an existing file without writing to it (health checks must not change a damaged file).
  bool OpenReadOnly(const std::string& path);
  void Close();
  bool IsOpen() const { return database_ != nullptr; }
  const std::string& FileName() const { return file_name_; }

  // Runs a row-returning statement in slot 1, 2, 3 ...; slot n+1 creates one new slot, any other
  // number beyond the slots, or below 1, yields nullptr. Re-using a slot replaces its rows.
  TResultSet* OpenQuery(const std::string& sql, int slot, const SqlParams& params = {});
  int SlotCount() const { return static_cast<int>(slots_.size()); }

  // Like OpenQuery, but the snapshot is kept under a name (letter case ignored) for paging.
  TResultSet* OpenNamedQuery(const std::string& name, const std::string& sql, const SqlParams& params = {});
  TResultSet* FindNamedQuery(const std::string& name) const;
  void CloseNamedQuery(const std::string& name);

  // One statement in a transaction of its own.
  bool ExecSql(const std::string& sql, const SqlParams& params = {});
  // Statements in order in one transaction; the first failure rolls everything back.
  bool ExecSqlList(const std::vector<SqlStatement>& statements);
  // One statement without a transaction of its own.
  bool RunSql(const std::string& sql, const SqlParams& params = {});
  // Several parameterless statements (schema scripts) in one transaction.
  bool ExecScript(const std::string& script);

  // Runs body in one transaction (nestable): committed when body returns true, rolled back
  // when it returns false or throws (the exception propagates).
  bool InTransaction(const std::function<bool()>& body);
  bool InsideTransaction() const { return transaction_depth_ > 0; }

  // A private snapshot that is not kept in any slot (for look-ups inside walks).
  std::unique_ptr<TResultSet> Query(const std::string& sql, const SqlParams& params = {});
  // The first column of the first row; nullopt when the query failed or returned no row or NULL.
  std::optional<std::int64_t> QueryInteger(const std::string& sql, const SqlParams& params = {});
  std::optional<double> QueryFloat(const std::string& sql, const SqlParams& params = {});
  std::optional<std::string> QueryText(const std::string& sql, const SqlParams& params = {});

  // Rows changed by the last statement, and the row id it inserted.
  int Changes() const;
  std::int64_t LastInsertRowId() const;

  const std::string& LastError() const { return last_error_; }
  sqlite3* Handle() const { return database_; }

 private:
  enum class OpenMode { Existing, Create, ReadOnly };
  bool Open(const std::string& path, OpenMode mode);
  sqlite3_stmt* Prepare(const std::string& sql);
  bool Bind(sqlite3_stmt* statement, const SqlParams& params);
  bool Fill(TResultSet& result, const std::string& sql, const SqlParams& params);
  bool Execute(const std::string& sql, const SqlParams& params);
  bool Begin();
  bool Finish(bool commit);
  void RememberError(const std::string& context);
  void FinalizeStatements();

  sqlite3* database_ = nullptr;
  std::string file_name_;
  std::string last_error_;
  std::vector<std::unique_ptr<TResultSet>> slots_;
  std::map<std::string, std::unique_ptr<TResultSet>, NoCaseLess> named_;
  std::unordered_map<std::string, sqlite3_stmt*> statements_;  // prepared once, reused
  int transaction_depth_ = 0;
};

}  // namespace zidezo

#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/Bytes.h"

namespace zidezo {

// A value bound to a statement's "?" placeholder. Values are never formatted into SQL text.
using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string, Bytes>;
using SqlParams = std::vector<SqlValue>;

// A statement and its bound values, as run by the channel's statement lists.
struct SqlStatement {
  std::string sql;
  SqlParams params;
};

// Helpers so callers can write {Int(user), Text(name)} without casts.
inline SqlValue Int(std::int64_t value) { return SqlValue(value); }
inline SqlValue Real(double value) { return SqlValue(value); }
inline SqlValue Text(std::string value) { return SqlValue(std::move(value)); }
inline SqlValue Blob(Bytes value) { return SqlValue(std::move(value)); }
inline SqlValue Null() { return SqlValue(); }

// "?,?,?" with count placeholders, at least one; an empty list reads as (-1), which matches nothing.
std::string Placeholders(std::size_t count);
// Binds the numbers of an IN list, starting with -1 so the list is never empty.
SqlParams InListParams(const std::vector<int>& numbers);
std::string InListPlaceholders(const std::vector<int>& numbers);

}  // namespace zidezo

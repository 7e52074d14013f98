#include "data/SqlFunctions.h"

#include <sqlite3.h>

#include <cfenv>
#include <cmath>
#include <string>

#include "base/Clock.h"

namespace zidezo {
namespace {

void NowFunction(sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_double(context, Now()); }

void RoundFunction(sqlite3_context* context, int count, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  const int decimals = count > 1 ? sqlite3_value_int(values[1]) : 0;
  const double rounded = RoundHalfEven(sqlite3_value_double(values[0]), decimals);
  if (decimals <= 0 && std::fabs(rounded) < 9.2e18) {
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(rounded));
  } else {
    sqlite3_result_double(context, rounded);
  }
}

void LenFunction(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  // Characters, not bytes: count UTF-8 lead bytes.
  const auto* text = sqlite3_value_text(values[0]);
  const int bytes = sqlite3_value_bytes(values[0]);
  int characters = 0;
  for (int i = 0; i < bytes; ++i) {
    if ((text[i] & 0xC0) != 0x80) ++characters;
  }
  sqlite3_result_int(context, characters);
}

void IntFunction(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  sqlite3_result_int64(context, static_cast<sqlite3_int64>(std::floor(sqlite3_value_double(values[0]))));
}

void IIfFunction(sqlite3_context* context, int, sqlite3_value** values) {
  const bool condition = sqlite3_value_type(values[0]) != SQLITE_NULL && sqlite3_value_double(values[0]) != 0.0;
  sqlite3_result_value(context, condition ? values[1] : values[2]);
}

std::string ValueText(sqlite3_value* value) {
  const auto* text = sqlite3_value_text(value);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(value)))
              : std::string();
}

void CaseFunction(sqlite3_context* context, int, sqlite3_value** values, bool upper) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  std::string text = ValueText(values[0]);
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void UCaseFunction(sqlite3_context* context, int count, sqlite3_value** values) { CaseFunction(context, count, values, true); }
void LCaseFunction(sqlite3_context* context, int count, sqlite3_value** values) { CaseFunction(context, count, values, false); }

bool Register(sqlite3* database, const char* name, int arguments, void (*function)(sqlite3_context*, int, sqlite3_value**),
              bool deterministic = true) {
  const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
  return sqlite3_create_function_v2(database, name, arguments, flags, nullptr, function, nullptr, nullptr, nullptr) ==
         SQLITE_OK;
}

}  // namespace

double RoundHalfEven(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double result = std::nearbyint(value * scale) / scale;
  std::fesetround(previous);
  return result;
}

bool RegisterSqlFunctions(sqlite3* database) {
  return Register(database, "Now", 0, NowFunction, false) && Register(database, "Round", 1, RoundFunction) &&
         Register(database, "Round", 2, RoundFunction) && Register(database, "Len", 1, LenFunction) &&
         Register(database, "Int", 1, IntFunction) && Register(database, "IIf", 3, IIfFunction) &&
         Register(database, "UCase", 1, UCaseFunction) && Register(database, "LCase", 1, LCaseFunction);
}

}  // namespace zidezo

#include "script/ScriptValue.h"

#include <cmath>
#include <cstdio>

#include "script/ScriptError.h"

namespace zidezo {

const char* TypeDisplayName(TScriptType type) {
  switch (type) {
    case TScriptType::Integer: return "整型";
    case TScriptType::Double: return "浮点型";
    case TScriptType::Boolean: return "布尔型";
  }
  return "";
}

bool IsAssignable(TScriptType slot, TScriptType value) {
  return slot == value || (slot == TScriptType::Double && value == TScriptType::Integer);
}

std::int32_t RoundToInteger(double value) {
  if (!std::isfinite(value)) throw ScriptError(kIntegerRangeMessage);
  const double rounded = std::nearbyint(value);  // the default rounding mode sends halves to even
  if (rounded < -2147483648.0 || rounded > 2147483647.0) throw ScriptError(kIntegerRangeMessage);
  return static_cast<std::int32_t>(rounded);
}

double TDynaValue::AsReal() const {
  switch (kind) {
    case Kind::Empty: return 0.0;
    case Kind::Integer: return integer;
    case Kind::Double: return real;
    case Kind::Boolean: return boolean ? 1.0 : 0.0;
  }
  return 0.0;
}

bool TDynaValue::AsBool() const {
  switch (kind) {
    case Kind::Empty: return false;
    case Kind::Integer: return integer != 0;
    case Kind::Double: return real != 0.0;
    case Kind::Boolean: return boolean;
  }
  return false;
}

std::int32_t TDynaValue::AsInteger() const {
  switch (kind) {
    case Kind::Empty: return 0;
    case Kind::Integer: return integer;
    case Kind::Double: return RoundToInteger(real);
    case Kind::Boolean: return boolean ? 1 : 0;
  }
  return 0;
}

std::string TDynaValue::ToText() const {
  switch (kind) {
    case Kind::Empty: return "";
    case Kind::Integer: return std::to_string(integer);
    case Kind::Boolean: return boolean ? "True" : "False";
    case Kind::Double: {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "%.15g", real);
      return buffer;
    }
  }
  return "";
}

}  // namespace zidezo

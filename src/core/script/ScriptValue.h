#pragma once

#include <cstdint>
#include <string>

namespace zidezo {

// Value types the checker knows, with their codes.
enum class TScriptType : std::int32_t { Integer = 0, Double = 1, Boolean = 2 };

const char* TypeDisplayName(TScriptType type);  // "整型", "浮点型", "布尔型"
// A Double slot takes Integer and Double, the others only their own type.
bool IsAssignable(TScriptType slot, TScriptType value);

// A run-time value. Values keep their kind: storing into an Integer variable does not convert.
struct TDynaValue {
  enum class Kind : std::uint8_t { Empty, Integer, Double, Boolean };
  Kind kind = Kind::Empty;
  union {
    std::int32_t integer;
    double real;
    bool boolean;
  };

  TDynaValue() : integer(0) {}
  static TDynaValue Int(std::int32_t value) { TDynaValue v; v.kind = Kind::Integer; v.integer = value; return v; }
  static TDynaValue Real(double value) { TDynaValue v; v.kind = Kind::Double; v.real = value; return v; }
  static TDynaValue Bool(bool value) { TDynaValue v; v.kind = Kind::Boolean; v.boolean = value; return v; }

  bool IsEmpty() const { return kind == Kind::Empty; }
  bool IsNumber() const { return kind == Kind::Integer || kind == Kind::Double || kind == Kind::Empty; }
  double AsReal() const;       // empty reads 0; Boolean reads 0 or 1
  bool AsBool() const;         // empty reads false, numbers read "not zero"
  std::int32_t AsInteger() const;  // rounds, halves to even; raises when it doesn't fit 32 bits
  std::string ToText() const;  // as ShowMessage shows it
};

// Run-time messages.
inline constexpr const char* kDivideByZeroMessage = "除数不能为零！";
inline constexpr const char* kIntegerOverflowMessage = "整数运算溢出！";
inline constexpr const char* kTypeMismatchMessage = "数据类型不匹配，无法运算！";
inline constexpr const char* kIntegerRangeMessage = "数值超出整数范围！";

// Rounds to the nearest integer, halves to even; raises ScriptError when the result doesn't fit.
std::int32_t RoundToInteger(double value);

}  // namespace zidezo

#include "script/SysMethods.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "script/KorvanaAnalysis.h"
#include "script/ScriptError.h"
#include "script/ScriptHost.h"

namespace zidezo {
namespace {

TDynaValue Show(const TDynaValue* a, IScriptHost& host) {
  host.ShowMessage(a[0].ToText());
  return TDynaValue();
}
TDynaValue Larger(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(std::max(a[0].AsInteger(), a[1].AsInteger())); }
TDynaValue Smaller(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(std::min(a[0].AsInteger(), a[1].AsInteger())); }
TDynaValue Absolute(const TDynaValue* a, IScriptHost&) { return TDynaValue::Real(std::fabs(a[0].AsReal())); }
TDynaValue Ceiling(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(RoundToInteger(std::ceil(a[0].AsReal()))); }
TDynaValue Flooring(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(RoundToInteger(std::floor(a[0].AsReal()))); }
TDynaValue Rounding(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(RoundToInteger(a[0].AsReal())); }
TDynaValue Square(const TDynaValue* a, IScriptHost&) { return TDynaValue::Real(a[0].AsReal() * a[0].AsReal()); }
TDynaValue SquareRoot(const TDynaValue* a, IScriptHost&) {
  const double value = a[0].AsReal();
  if (value < 0) throw ScriptError("不能对负数开平方！");
  return TDynaValue::Real(std::sqrt(value));
}
TDynaValue Truncation(const TDynaValue* a, IScriptHost&) { return TDynaValue::Int(RoundToInteger(std::trunc(a[0].AsReal()))); }
TDynaValue Power(const TDynaValue* a, IScriptHost&) {
  const double base = a[0].AsReal();
  const std::int32_t exponent = a[1].AsInteger();
  std::int64_t remaining = exponent < 0 ? -static_cast<std::int64_t>(exponent) : exponent;
  double result = 1.0;
  for (double factor = base; remaining > 0; remaining >>= 1, factor *= factor) {
    if (remaining & 1) result *= factor;
  }
  if (exponent < 0) {
    if (result == 0.0) throw ScriptError(kDivideByZeroMessage);
    result = 1.0 / result;
  }
  return TDynaValue::Real(result);
}

struct SysMethod {
  const char* declaration;
  TNativeRoutine routine;
};

constexpr std::array<SysMethod, 16> kSysMethods{{
    {"function ShowMessage(Value: Double): Double;", Show},
    {"function Max(Value1, Value2: Integer): Integer;", Larger},
    {"function MaxF(Value1, Value2: Double): Double;", Larger},
    {"function Min(Value1, Value2: Integer): Integer;", Smaller},
    {"function MinF(Value1, Value2: Double): Double;", Smaller},
    {"function Abs(Value: Integer): Integer;", Absolute},
    {"function AbsF(Value: Double): Double;", Absolute},
    {"function Ceil(Value: Double): Integer;", Ceiling},
    {"function Floor(Value: Double): Integer;", Flooring},
    {"function Round(Value: Double): Integer;", Rounding},
    {"function Sqr(Value: Integer): Integer;", Square},
    {"function SqrF(Value: Double): Double;", Square},
    {"function Sqrt(Value: Double): Double;", SquareRoot},
    {"function Trunc(Value: Double): Integer;", Truncation},
    {"function IntPower(Value1, Value2: Double): Double;", Power},
    {"function ShowBoolean(Value: Boolean): Boolean;", Show},
}};

}  // namespace

void TSysMethodTemplate::Build() {
  for (std::size_t i = 0; i < kSysMethods.size(); ++i) {
    TAnalySysMethod::Register(*this, static_cast<int>(i) + 1, kSysMethods[i].declaration, kSysMethods[i].routine);
  }
}

void TSysMethodTemplate::AppendTo(TKorvanaCodeMaker& maker) const {
  // The declarations are parsed once; each compile copies the result, moved to its own indexes.
  const int variable_offset = static_cast<int>(maker.Variables().size());
  const int code_offset = maker.NextInstructionIndex();
  for (const TUserVar& variable : variables_) {
    TUserVar& copy = maker.AddVariable(variable.name, variable.scope, variable.kind);
    copy.type = variable.type;
    copy.slot = variable.slot;
  }
  for (const TUserMethod& method : methods_) {
    TUserMethod& copy = maker.AddMethod(method.name, method.scope);
    copy.is_function = method.is_function;
    copy.parameter_count = method.parameter_count;
    copy.is_builtin = true;
    copy.native = method.native;
    copy.entry = method.entry + code_offset;
    for (const int parameter : method.parameters) copy.parameters.push_back(parameter + variable_offset);
  }
  for (const TVMPCode& code : code_) maker.Emit(code.op, code.operand);
}

void RegisterSysMethods(TKorvanaCodeMaker& maker) {
  static const TSysMethodTemplate kTemplate = [] {
    TSysMethodTemplate built;
    built.Build();
    return built;
  }();
  kTemplate.AppendTo(maker);
}

}  // namespace zidezo

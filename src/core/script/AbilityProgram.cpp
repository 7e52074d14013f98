#include "script/AbilityProgram.h"

#include <cmath>

#include "base/Clock.h"
#include "base/Text.h"

namespace zidezo {

TAbilityProgram::TAbilityProgram(std::string_view text) : TKorvanaProgram(text) { TAbilityProgram::Reset(); }

void TAbilityProgram::DeclareInput(const char* name, TScriptType type, TDynaValue value) {
  TUserVar& variable = AddVariable(name, kGlobalScope, TVarKind::Variable);
  variable.type = type;
  variable.value = value;
}

void TAbilityProgram::Reset() {
  TKorvanaProgram::Reset();
  const double now = Now();
  const auto integer = [this](const char* name, int value) {
    DeclareInput(name, TScriptType::Integer, TDynaValue::Int(value));
  };
  DeclareInput("CurrentTime", TScriptType::Double, TDynaValue::Real(now));
  DeclareInput("LastReciteTime", TScriptType::Double, TDynaValue::Real(now - 10));
  integer("State", 1);
  integer("StateValue", 12);
  integer("State1", 1);
  integer("State2", 1);
  integer("State3", 1);
  integer("Ability1", 40);
  integer("Ability2", 30);
  integer("Ability3", 20);
  integer("OccurTotalTime", 5);
  integer("ThisRoundOccurTime", 2);
  integer("Speed", 12);
}

bool TAbilityProgram::SetInputByName(std::string_view name, double value) {
  for (int i = 0; i < InputCount(); ++i) {
    TUserVar& variable = variables_[static_cast<std::size_t>(i)];
    if (!EqualsNoCase(variable.name, name)) continue;
    if (variable.type == TScriptType::Double) {
      variable.value = TDynaValue::Real(value);
    } else {
      variable.value = TDynaValue::Int(static_cast<int>(std::lround(value)));
    }
    return true;
  }
  return false;
}

TSpeedProgram::TSpeedProgram(std::string_view text) : TAbilityProgram(text) { TSpeedProgram::Reset(); }

void TSpeedProgram::Reset() {
  TAbilityProgram::Reset();
  DeclareInput("Ability", TScriptType::Integer, TDynaValue::Int(40));
}

}  // namespace zidezo

#pragma once

#include <string_view>

#include "script/KorvanaProgram.h"

namespace zidezo {

// The memory-score program of a book. Its inputs are global variables declared ahead of the
// script (so a script reads them by name and cannot declare them again); they sit at fixed
// positions, so setting one is a plain store.
class TAbilityProgram : public TKorvanaProgram {
 public:
  enum Input : int {
    kCurrentTime, kLastReciteTime, kState, kStateValue, kState1, kState2, kState3,
    kAbility1, kAbility2, kAbility3, kOccurTotalTime, kThisRoundOccurTime, kSpeed,
    kAbilityInputCount,
    kAbility = kAbilityInputCount,  // the speed program's extra input
  };

  explicit TAbilityProgram(std::string_view text = "");
  void Reset() override;

  void SetCurrentTime(double time) { SetReal(kCurrentTime, time); }
  void SetLastReciteTime(double time) { SetReal(kLastReciteTime, time); }
  void SetState(int n) { SetInteger(kState, n); }
  void SetStateValue(int n) { SetInteger(kStateValue, n); }
  void SetState1(int n) { SetInteger(kState1, n); }
  void SetState2(int n) { SetInteger(kState2, n); }
  void SetState3(int n) { SetInteger(kState3, n); }
  void SetAbility1(int n) { SetInteger(kAbility1, n); }
  void SetAbility2(int n) { SetInteger(kAbility2, n); }
  void SetAbility3(int n) { SetInteger(kAbility3, n); }
  void SetOccurTotalTime(int n) { SetInteger(kOccurTotalTime, n); }
  void SetThisRoundOccurTime(int n) { SetInteger(kThisRoundOccurTime, n); }
  void SetSpeed(int n) { SetInteger(kSpeed, n); }
  int GetResult() const { return KorvanaResult(); }

  // Sets an input by its name (letter case ignored); false when the program has no such input.
  bool SetInputByName(std::string_view name, double value);

 protected:
  int InputCount() const override { return kAbilityInputCount; }
  void SetInteger(int input, int value) { variables_[static_cast<std::size_t>(input)].value = TDynaValue::Int(value); }
  void SetReal(int input, double value) { variables_[static_cast<std::size_t>(input)].value = TDynaValue::Real(value); }
  void DeclareInput(const char* name, TScriptType type, TDynaValue value);
};

// The forgetting-rate program: the same inputs and the score just computed.
class TSpeedProgram : public TAbilityProgram {
 public:
  explicit TSpeedProgram(std::string_view text = "");
  void Reset() override;
  void SetAbility(int n) { SetInteger(kAbility, n); }

 protected:
  int InputCount() const override { return kAbilityInputCount + 1; }
};

}  // namespace zidezo

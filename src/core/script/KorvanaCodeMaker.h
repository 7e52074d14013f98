#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/ScriptValue.h"

namespace zidezo {

class IScriptHost;

// Instruction codes. The numbers are those of the instruction listing the editor shows.
enum class TOpCode : std::uint8_t {
  ADD = 0, SUB = 1, MUL = 2, FDIV = 3, MOD = 4, IDIV = 5, OR = 9, XOR = 10, AND = 11,
  CMPGE = 12, CMPEQ = 13, CMPLE = 14, CMPNE = 15, CMPGT = 16, CMPLT = 17, NEG = 18,
  JMP = 19, JMPF = 21, PUSHC = 23, ADDI = 29, LOAD = 48, CALL = 49, RET = 50, STORE = 53,
};

// One instruction: 8 bytes, so a program's code stays in a few cache lines.
struct TVMPCode {
  TOpCode op;
  std::int32_t operand;  // variable index, method index, jump target or immediate value
};

enum class TVarKind : std::int32_t { Variable = 0, Reference = 1, Parameter = 2, Result = 3, Constant = 4 };

// A named or constant value slot.
struct TUserVar {
  int index = 0;
  std::string name;
  TDynaValue value;
  TScriptType type = TScriptType::Integer;
  TVarKind kind = TVarKind::Variable;
  int slot = 0;  // position in its method's parameter-and-result list
  std::string scope;

  bool IsFrameSlot() const { return kind == TVarKind::Reference || kind == TVarKind::Parameter || kind == TVarKind::Result; }
};

// A built-in's routine: the parameter values in declaration order, the result.
using TNativeRoutine = TDynaValue (*)(const TDynaValue* arguments, IScriptHost& host);

struct TUserMethod {
  int index = 0;
  std::string name;
  bool is_function = false;
  std::vector<int> parameters;  // variable indexes: the parameters, then (function) the result slot
  int parameter_count = 0;      // parameters without the result slot
  int entry = 0;
  bool is_builtin = false;
  TNativeRoutine native = nullptr;
  std::string scope;
};

inline constexpr const char* kGlobalScope = "1001";
inline constexpr std::size_t kScopeGroupLength = 4;

// The three lists a compiled program is made of, and the name look-up over them.
class TKorvanaCodeMaker {
 public:
  TUserVar& AddVariable(std::string name, std::string scope, TVarKind kind);
  TUserMethod& AddMethod(std::string name, std::string scope);
  TVMPCode& Emit(TOpCode op, std::int32_t operand = 0);
  int NextInstructionIndex() const { return static_cast<int>(code_.size()); }
  TVMPCode& Instruction(int index) { return code_[static_cast<std::size_t>(index)]; }

  // Inner declarations hide outer ones; "Result" names the current function's result slot.
  TUserVar* FindVariable(std::string_view name, std::string_view scope);
  // Methods of the current scope, the current method, then earlier methods of enclosing scopes.
  TUserMethod* FindMethod(std::string_view name, std::string_view scope);

  TUserVar& Variable(int index) { return variables_[static_cast<std::size_t>(index)]; }
  const TUserVar& Variable(int index) const { return variables_[static_cast<std::size_t>(index)]; }
  TUserMethod& Method(int index) { return methods_[static_cast<std::size_t>(index)]; }
  const std::vector<TUserVar>& Variables() const { return variables_; }
  const std::vector<TUserMethod>& Methods() const { return methods_; }
  const std::vector<TVMPCode>& Code() const { return code_; }

 protected:
  void ClearLists();

  std::vector<TUserVar> variables_;
  std::vector<TUserMethod> methods_;
  std::vector<TVMPCode> code_;
};

std::size_t ScopeLevels(std::string_view scope);
// Scopes read as decimal numbers; they have no leading zeros, so length decides first.
bool ScopeLess(std::string_view a, std::string_view b);

}  // namespace zidezo

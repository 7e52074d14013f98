#include "script/KorvanaProgram.h"

#include <limits>

#include "script/KorvanaAnalysis.h"
#include "script/ScriptError.h"
#include "script/SysMethods.h"

namespace zidezo {
namespace {

// The clock is read once per this many instructions: cheap, and still far below the 3600 ms.
constexpr int kGuardInterval = 256;
// Bounds that only a runaway script reaches; they keep such a script from eating the memory.
constexpr std::size_t kMaxCallDepth = 10000;
constexpr std::size_t kMaxStack = 100000;

[[noreturn]] void RunError(const char* message) { throw ScriptError(message); }

bool IsIntegral(const TDynaValue& v) { return v.kind == TDynaValue::Kind::Integer || v.kind == TDynaValue::Kind::Empty; }
bool IsBoolean(const TDynaValue& v) { return v.kind == TDynaValue::Kind::Boolean; }

TDynaValue CheckedInteger(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    RunError(kIntegerOverflowMessage);
  }
  return TDynaValue::Int(static_cast<std::int32_t>(value));
}

TDynaValue Arithmetic(TOpCode op, const TDynaValue& left, const TDynaValue& right) {
  if (IsBoolean(left) || IsBoolean(right)) RunError(kTypeMismatchMessage);
  if (op == TOpCode::FDIV) {
    if (right.AsReal() == 0.0) RunError(kDivideByZeroMessage);
    return TDynaValue::Real(left.AsReal() / right.AsReal());
  }
  if (op == TOpCode::MOD || op == TOpCode::IDIV) {
    const std::int64_t a = left.AsInteger();
    const std::int64_t b = right.AsInteger();
    if (b == 0) RunError(kDivideByZeroMessage);
    return CheckedInteger(op == TOpCode::MOD ? a % b : a / b);  // both truncate toward zero
  }
  if (IsIntegral(left) && IsIntegral(right)) {
    const std::int64_t a = left.AsInteger();
    const std::int64_t b = right.AsInteger();
    return CheckedInteger(op == TOpCode::ADD ? a + b : op == TOpCode::SUB ? a - b : a * b);
  }
  const double a = left.AsReal();
  const double b = right.AsReal();
  return TDynaValue::Real(op == TOpCode::ADD ? a + b : op == TOpCode::SUB ? a - b : a * b);
}

// and, or, xor: logical on Booleans, bitwise on numbers.
TDynaValue Logic(TOpCode op, const TDynaValue& left, const TDynaValue& right) {
  if (IsBoolean(left) || IsBoolean(right)) {
    if (!(IsBoolean(left) || left.IsEmpty()) || !(IsBoolean(right) || right.IsEmpty())) RunError(kTypeMismatchMessage);
    const bool a = left.AsBool();
    const bool b = right.AsBool();
    return TDynaValue::Bool(op == TOpCode::AND ? a && b : op == TOpCode::OR ? a || b : a != b);
  }
  const std::int32_t a = left.AsInteger();
  const std::int32_t b = right.AsInteger();
  return TDynaValue::Int(op == TOpCode::AND ? a & b : op == TOpCode::OR ? a | b : a ^ b);
}

bool Compare(TOpCode op, const TDynaValue& left, const TDynaValue& right) {
  const double a = left.AsReal();
  const double b = right.AsReal();
  switch (op) {
    case TOpCode::CMPGE: return a >= b;
    case TOpCode::CMPEQ: return a == b;
    case TOpCode::CMPLE: return a <= b;
    case TOpCode::CMPNE: return a != b;
    case TOpCode::CMPGT: return a > b;
    default: return a < b;
  }
}

TDynaValue Negate(const TDynaValue& value) {
  switch (value.kind) {
    case TDynaValue::Kind::Empty: return TDynaValue::Int(0);
    case TDynaValue::Kind::Integer: return CheckedInteger(-static_cast<std::int64_t>(value.integer));
    case TDynaValue::Kind::Double: return TDynaValue::Real(-value.real);
    case TDynaValue::Kind::Boolean: break;
  }
  RunError(kTypeMismatchMessage);
}

}  // namespace

TKorvanaProgram::TKorvanaProgram(std::string_view text) {
  stack_.reserve(100);
  SetText(text);
}

std::string TKorvanaProgram::WrapText(std::string_view user_text) {
  return "var KorvanaValue: Integer; " + NormaliseLineEnds(user_text) + "\r\nbegin KorvanaValue := Korvana(); end;";
}

void TKorvanaProgram::SetText(std::string_view text) {
  std::string copy(text);  // the text may be a view of user_text_ itself
  reader_.SetText(WrapText(copy));
  user_text_ = std::move(copy);
  Reset();
}

void TKorvanaProgram::Reset() {
  ClearLists();
  compiled_ = false;
  result_variable_ = -1;
}

void TKorvanaProgram::Compile() {
  // Compiling starts from scratch every time, so a failed compile leaves nothing behind;
  // the inputs a caller already set survive it.
  std::vector<TDynaValue> inputs;
  const int input_count = InputCount();
  if (static_cast<int>(variables_.size()) >= input_count) {
    for (int i = 0; i < input_count; ++i) inputs.push_back(variables_[static_cast<std::size_t>(i)].value);
  }
  Reset();
  for (std::size_t i = 0; i < inputs.size(); ++i) variables_[i].value = inputs[i];
  reader_.Rewind();

  TCompileContext context{*this, reader_};
  Emit(TOpCode::JMP);
  RegisterSysMethods(*this);
  TAnalyDeclare(context, kGlobalScope).Parse();
  Instruction(0).operand = NextInstructionIndex();
  TAnalyStatement(context, kGlobalScope).Parse();
  const TUserVar* result = GlobalVariable("KorvanaValue");
  result_variable_ = result != nullptr ? result->index : -1;
  compiled_ = true;
}

int TKorvanaProgram::KorvanaResult() const {
  return result_variable_ < 0 ? 0 : Variable(result_variable_).value.AsInteger();
}

TDynaValue TKorvanaProgram::Pop() {
  if (stack_.empty()) RunError(kStackUnderflowMessage);
  const TDynaValue value = stack_.back();
  stack_.pop_back();
  return value;
}

void TKorvanaProgram::Call(int method_index, int return_address) {
  if (calls_.size() >= kMaxCallDepth) RunError(kCallDepthMessage);
  const TUserMethod& method = Method(method_index);
  const int base = static_cast<int>(slots_.size());
  calls_.push_back({method_index, base, return_address});
  slots_.resize(slots_.size() + method.parameters.size());  // fresh slots start empty
  for (int i = method.parameter_count - 1; i >= 0; --i) slots_[static_cast<std::size_t>(base + i)] = Pop();
  if (method.is_builtin) slots_.back() = method.native(slots_.data() + base, *host_);
}

int TKorvanaProgram::Return() {
  if (calls_.empty()) RunError(kStackUnderflowMessage);
  const TCallInfo call = calls_.back();
  const TUserMethod& method = Method(call.method);
  if (method.is_function) {
    if (stack_.size() >= kMaxStack) RunError(kStackOverflowMessage);
    stack_.push_back(slots_.back());
  }
  slots_.resize(slots_.size() - method.parameters.size());
  calls_.pop_back();
  return call.return_address + 1;
}

void TKorvanaProgram::CheckTimeGuard(std::int64_t& start, bool& stop_requested, std::uint64_t& steps) {
  steps += kGuardInterval;
  if (step_limit_ != 0 && steps > step_limit_) RunError(kStepLimitMessage);
  const std::int64_t now = timer_->Milliseconds();
  if (now - start <= kLongRunMilliseconds) return;
  if (host_->AskStopLongRun(kLongRunCaption, kLongRunQuestion)) {
    stop_requested = true;
  } else {
    start = timer_->Milliseconds();
  }
}

void TKorvanaProgram::Run() {
  stack_.clear();
  calls_.clear();
  slots_.clear();
  std::int64_t start = timer_->Milliseconds();
  bool stop_requested = false;
  std::uint64_t steps = 0;
  int countdown = kGuardInterval;
  const int count = static_cast<int>(code_.size());
  int pc = 0;
  while (pc < count) {
    if (stop_requested) RunError(kStoppedRunMessage);
    if (--countdown == 0) {
      countdown = kGuardInterval;
      CheckTimeGuard(start, stop_requested, steps);
    }
    const TVMPCode instruction = code_[static_cast<std::size_t>(pc)];
    ++pc;
    switch (instruction.op) {
      case TOpCode::ADD:
      case TOpCode::SUB:
      case TOpCode::MUL:
      case TOpCode::FDIV:
      case TOpCode::MOD:
      case TOpCode::IDIV: {
        const TDynaValue right = Pop();
        const TDynaValue left = Pop();
        stack_.push_back(Arithmetic(instruction.op, left, right));
        break;
      }
      case TOpCode::OR:
      case TOpCode::XOR:
      case TOpCode::AND: {
        const TDynaValue right = Pop();
        const TDynaValue left = Pop();
        stack_.push_back(Logic(instruction.op, left, right));
        break;
      }
      case TOpCode::CMPGE:
      case TOpCode::CMPEQ:
      case TOpCode::CMPLE:
      case TOpCode::CMPNE:
      case TOpCode::CMPGT:
      case TOpCode::CMPLT: {
        const TDynaValue right = Pop();
        const TDynaValue left = Pop();
        stack_.push_back(TDynaValue::Bool(Compare(instruction.op, left, right)));
        break;
      }
      case TOpCode::NEG: stack_.push_back(Negate(Pop())); break;
      case TOpCode::JMP: pc = instruction.operand; break;
      case TOpCode::JMPF:
        if (!Pop().AsBool()) pc = instruction.operand;
        break;
      case TOpCode::PUSHC: stack_.push_back(variables_[static_cast<std::size_t>(instruction.operand)].value); break;
      case TOpCode::ADDI: stack_.push_back(Arithmetic(TOpCode::ADD, Pop(), TDynaValue::Int(instruction.operand))); break;
      case TOpCode::LOAD: {
        const TUserVar& variable = variables_[static_cast<std::size_t>(instruction.operand)];
        if (!variable.IsFrameSlot()) {
          stack_.push_back(variable.value);
        } else {
          if (calls_.empty()) RunError(kStackUnderflowMessage);
          stack_.push_back(slots_[static_cast<std::size_t>(calls_.back().frame_base + variable.slot)]);
        }
        break;
      }
      case TOpCode::STORE: {
        TUserVar& variable = variables_[static_cast<std::size_t>(instruction.operand)];
        const TDynaValue value = Pop();
        if (!variable.IsFrameSlot()) {
          variable.value = value;
        } else {
          if (calls_.empty()) RunError(kStackUnderflowMessage);
          slots_[static_cast<std::size_t>(calls_.back().frame_base + variable.slot)] = value;
        }
        break;
      }
      case TOpCode::CALL:
        Call(instruction.operand, pc - 1);
        pc = Method(instruction.operand).entry;
        break;
      case TOpCode::RET: pc = Return(); break;
      default: RunError(kUnknownInstructionMessage);
    }
  }
  if (stop_requested) RunError(kStoppedRunMessage);
}

}  // namespace zidezo

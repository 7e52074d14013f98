#include "script/KorvanaAnalysis.h"

#include <cmath>
#include <cstdio>

#include "base/Text.h"

namespace zidezo {
namespace {

// Deeper nesting than this is no algorithm anybody writes; it only guards the machine stack.
constexpr int kMaxNesting = 200;
// Method scope groups are four digits: 1101 plus the method's position in its declaration part.
constexpr int kFirstMethodGroup = 1101;
constexpr int kLastMethodGroup = 9999;

std::string ScopeGroup(int group) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", group);
  return buffer;
}

TScriptType ResultTypeOf(TKorvanaCodeMaker& maker, const TUserMethod& method) {
  return maker.Variable(method.parameters.back()).type;
}

}  // namespace

TNestingGuard::TNestingGuard(TCompileContext& context) : context_(context) {
  if (++context_.depth > kMaxNesting) {
    --context_.depth;
    context_.reader.Fail("嵌套层次过深！");
  }
}

void TAnalyBase::FailMismatch(TScriptType expected, TScriptType found) {
  Fail(FormatMessage("[%s]和[%s]数据类型不匹配。", {TypeDisplayName(expected), TypeDisplayName(found)}));
}

TUserVar* TAnalyBase::UsableVariable(const std::string& name) {
  TUserVar* variable = Maker().FindVariable(name, scope_);
  if (variable != nullptr && variable->IsFrameSlot() && variable->scope != scope_) {
    // The slot would be addressed in the innermost call's frame, not in the enclosing method's.
    Fail(FormatMessage("不能使用外层函数的参数[%s]！", {name}));
  }
  return variable;
}

int TAnalyBase::EmitConstant(const std::string& name, TDynaValue value, TScriptType type) {
  TUserVar& constant = Maker().AddVariable(name, scope_, TVarKind::Constant);
  constant.value = value;
  constant.type = type;
  const int index = constant.index;
  Maker().Emit(TOpCode::PUSHC, index);
  return index;
}

// ---------------------------------------------------------------------------------------------
// Declarations

void TAnalyDeclare::Parse() {
  int position = 0;
  for (;;) {
    const int kind = PeekKind();
    if (kind == token::kVar) {
      ParseVarSection();
    } else if (kind == token::kProcedure || kind == token::kFunction) {
      const int group = kFirstMethodGroup + position++;
      if (group > kLastMethodGroup) Fail("方法太多！");
      TAnalyMethod(context_, scope_, scope_ + ScopeGroup(group)).Parse();
    } else {
      return;
    }
  }
}

void TAnalyDeclare::ParseVarSection() {
  Next();  // var
  do {
    std::vector<int> group;
    const auto declare = [&](const TToken& name) {
      if (!name.Is(token::kIdentifier)) Fail("缺少变量！");
      if (Maker().FindVariable(name.text, scope_) != nullptr) Fail(name.text + "变量重复声明！");
      group.push_back(Maker().AddVariable(name.text, scope_, TVarKind::Variable).index);
    };
    declare(Next());
    while (PeekKind() == ',') {
      Next();
      declare(Next());
    }
    if (PeekKind() == ':') {
      Next();
      const TScriptType type = Reader().TypeCodeOf(Next().text);
      for (const int index : group) Maker().Variable(index).type = type;
      Reader().ExpectSemicolon();
    }
  } while (!Reader().PeekToken().IsKeyword());
}

// ---------------------------------------------------------------------------------------------
// Methods

TUserMethod& TAnalyMethod::ParseHeader() {
  const TToken& keyword = Next();
  if (!keyword.Is(token::kFunction) && !keyword.Is(token::kProcedure)) Fail("期望Function或Procedure关键字！");
  const bool is_function = keyword.Is(token::kFunction);
  const std::string name = Next().text;
  if (!Reader().CurrentToken().Is(token::kIdentifier)) Fail("缺少标识符！");
  for (const TUserMethod& other : Maker().Methods()) {
    if (!other.is_builtin && other.scope.size() == scope_.size() && StartsWith(other.scope, outer_scope_) &&
        EqualsNoCase(other.name, name)) {
      Fail(name + "重复声明！");
    }
  }
  const int index = Maker().AddMethod(name, scope_).index;
  Maker().Method(index).is_function = is_function;
  if (PeekKind() == '(') {
    Next();
    ParseParameters(index);
    if (Next().kind != ')') Fail("缺少右括弧！");
  }
  Maker().Method(index).parameter_count = static_cast<int>(Maker().Method(index).parameters.size());
  if (is_function) {
    if (Next().kind != ':') Fail("缺少冒号！");
    const TScriptType type = Reader().TypeCodeOf(Next().text);
    TUserVar& result = Maker().AddVariable(scope_ + "Result", scope_, TVarKind::Result);
    result.type = type;
    result.slot = Maker().Method(index).parameter_count;
    Maker().Method(index).parameters.push_back(result.index);
  }
  if (Next().kind != ';') Fail("缺少分号！");
  return Maker().Method(index);
}

void TAnalyMethod::ParseParameters(int method_index) {
  while (PeekKind() != ')') {
    std::vector<int> group;
    const auto declare = [&](const TToken& name) {
      for (const int existing : Maker().Method(method_index).parameters) {
        if (EqualsNoCase(Maker().Variable(existing).name, name.text)) Fail(name.text + "重复声明！");
      }
      TUserVar& parameter = Maker().AddVariable(name.text, scope_, TVarKind::Parameter);
      TUserMethod& method = Maker().Method(method_index);
      parameter.slot = static_cast<int>(method.parameters.size());
      method.parameters.push_back(parameter.index);
      group.push_back(parameter.index);
    };
    const TToken& first = Next();
    if (!first.Is(token::kIdentifier)) Fail(FormatMessage("[%s]无法识别！可能是中文字符。", {first.text}));
    declare(first);
    while (PeekKind() == ',') {
      Next();
      const TToken& name = Next();
      if (!name.Is(token::kIdentifier)) Fail("缺少变量！");
      declare(name);
    }
    if (Next().kind != ':') Fail("缺少冒号！");
    const TScriptType type = Reader().TypeCodeOf(Next().text);
    for (const int index : group) Maker().Variable(index).type = type;
    if (PeekKind() != ')' && Next().kind != ';') Fail("缺少分号！");
  }
}

void TAnalyMethod::Parse() {
  TNestingGuard guard(context_);
  const int index = ParseHeader().index;
  TAnalyDeclare(context_, scope_).Parse();
  Maker().Method(index).entry = Maker().NextInstructionIndex();
  TAnalyStatement(context_, scope_).Parse();
  Reader().ExpectSemicolon();
  Maker().Emit(TOpCode::RET);
}

void TAnalySysMethod::Register(TKorvanaCodeMaker& maker, int number, const char* declaration,
                               TNativeRoutine routine) {
  TTokenReader reader{std::string(declaration)};
  TCompileContext context{maker, reader};
  TAnalyMethod header(context, kGlobalScope, kGlobalScope + ScopeGroup(1000 + number));
  TUserMethod& method = header.ParseHeader();
  method.is_builtin = true;
  method.native = routine;
  method.entry = maker.NextInstructionIndex();
  maker.Emit(TOpCode::RET);
}

// ---------------------------------------------------------------------------------------------
// Statements

void TAnalyStatement::Parse() {
  TNestingGuard guard(context_);
  switch (PeekKind()) {
    case token::kIdentifier:
      if (Reader().PeekSecondToken().kind == '(') {
        TAnalyCallMethod(context_, scope_).Parse();
      } else {
        ParseAssignment();
      }
      return;
    case token::kBegin: return ParseBlock();
    case token::kIf: return ParseIf();
    case token::kWhile: return ParseWhile();
    case token::kRepeat: return ParseRepeat();
    case token::kFor: return ParseFor();
    default: return;  // the empty statement
  }
}

TUserVar& TAnalyStatement::AssignedVariable() {
  const std::string name = Reader().CurrentToken().text;
  TUserVar* variable = UsableVariable(name);
  if (variable == nullptr) Fail(name + "变量未声明！");
  if (Next().kind != ':') Fail("缺少冒号！");
  if (Next().kind != '=') Fail("缺少等号！");
  return *variable;
}

void TAnalyStatement::ParseAssignment() {
  Next();
  const int index = AssignedVariable().index;
  const TScriptType type = TAnalyExpression(context_, scope_).Parse();
  const TScriptType slot_type = Maker().Variable(index).type;
  if (!IsAssignable(slot_type, type)) FailMismatch(slot_type, type);
  Maker().Emit(TOpCode::STORE, index);
}

void TAnalyStatement::ParseStatementList() {
  TAnalyStatement(context_, scope_).Parse();
  while (PeekKind() == ';') {
    Next();
    TAnalyStatement(context_, scope_).Parse();
  }
}

void TAnalyStatement::ParseBlock() {
  Next();  // begin
  ParseStatementList();
  if (Next().kind != token::kEnd_) Fail("缺少end!");
}

void TAnalyStatement::ParseIf() {
  Next();
  TAnalyCondition(context_, scope_, token::kThen).Parse();
  const int jump_false = Maker().NextInstructionIndex();
  Maker().Emit(TOpCode::JMPF);
  if (Next().kind != token::kThen) Fail("缺少then！");
  TAnalyStatement(context_, scope_).Parse();
  Maker().Instruction(jump_false).operand = Maker().NextInstructionIndex();
  if (PeekKind() == ';') return;
  if (Next().kind != token::kElse) Fail("缺少else!");
  const int jump = Maker().NextInstructionIndex();
  Maker().Emit(TOpCode::JMP);
  Maker().Instruction(jump_false).operand = jump + 1;
  TAnalyStatement(context_, scope_).Parse();
  Maker().Instruction(jump).operand = Maker().NextInstructionIndex();
}

void TAnalyStatement::ParseWhile() {
  Next();
  const int loop_start = Maker().NextInstructionIndex();
  TAnalyCondition(context_, scope_, token::kDo).Parse();
  const int jump_false = Maker().NextInstructionIndex();
  Maker().Emit(TOpCode::JMPF);
  if (Next().kind != token::kDo) Fail("缺少Do!");
  TAnalyStatement(context_, scope_).Parse();
  Maker().Emit(TOpCode::JMP, loop_start);
  Maker().Instruction(jump_false).operand = Maker().NextInstructionIndex();
}

void TAnalyStatement::ParseRepeat() {
  Next();
  const int loop_start = Maker().NextInstructionIndex();
  ParseStatementList();
  if (Next().kind != token::kUntil) Fail("缺少until！");
  TAnalyCondition(context_, scope_, ';').Parse();
  Maker().Emit(TOpCode::JMPF, loop_start);
}

void TAnalyStatement::ParseFor() {
  Next();
  if (!Next().Is(token::kIdentifier)) Fail("缺少标识符！");
  const int index = AssignedVariable().index;
  const TScriptType slot_type = Maker().Variable(index).type;
  const auto bound = [&] {
    const TScriptType type = TAnalyExpression(context_, scope_).Parse();
    if (!IsAssignable(slot_type, type)) FailMismatch(slot_type, type);
  };
  bound();
  Maker().Emit(TOpCode::STORE, index);
  if (Next().kind != token::kTo) Fail("缺少To！");
  const int loop_start = Maker().NextInstructionIndex();
  bound();
  Maker().Emit(TOpCode::LOAD, index);
  Maker().Emit(TOpCode::CMPGE);
  const int jump_false = Maker().NextInstructionIndex();
  Maker().Emit(TOpCode::JMPF);
  if (Next().kind != token::kDo) Fail("缺少Do！");
  if (Next().kind != token::kBegin) Fail("缺少Begin！");
  ParseStatementList();
  if (Next().kind != token::kEnd_) Fail("缺少End！");
  Maker().Emit(TOpCode::LOAD, index);
  Maker().Emit(TOpCode::ADDI, 1);
  Maker().Emit(TOpCode::STORE, index);
  Maker().Emit(TOpCode::JMP, loop_start);
  Maker().Instruction(jump_false).operand = Maker().NextInstructionIndex();
}

// ---------------------------------------------------------------------------------------------
// Values shared by expressions and conditions

TScriptType TAnalyExpression::Parse() {
  TNestingGuard guard(context_);
  const bool negative = PeekKind() == '-';
  if (negative) Next();
  const TScriptType first = ParseTerm();
  if (negative) Maker().Emit(TOpCode::NEG);
  for (;;) {
    TOpCode op;
    switch (PeekKind()) {
      case '+': op = TOpCode::ADD; break;
      case '-': op = TOpCode::SUB; break;
      case token::kOr: op = TOpCode::OR; break;
      case token::kXor: op = TOpCode::XOR; break;
      default: return first;
    }
    Next();
    const TScriptType type = ParseTerm();
    if (!IsAssignable(first, type)) FailMismatch(first, type);
    Maker().Emit(op);
  }
}

TScriptType TAnalyExpression::ParseTerm() {
  const TScriptType first = ParseFactor();
  for (;;) {
    TOpCode op;
    switch (PeekKind()) {
      case '*': op = TOpCode::MUL; break;
      case '/': op = TOpCode::FDIV; break;
      case token::kAnd: op = TOpCode::AND; break;
      case token::kMod: op = TOpCode::MOD; break;
      case token::kDiv: op = TOpCode::IDIV; break;
      default: return first;
    }
    Next();
    const TScriptType type = ParseFactor();
    if (!IsAssignable(first, type)) FailMismatch(first, type);
    if ((op == TOpCode::MOD || op == TOpCode::IDIV) && first != TScriptType::Integer) {
      FailMismatch(TScriptType::Integer, first);  // div and mod take Integers only
    }
    Maker().Emit(op);
  }
}

TScriptType TAnalyExpression::ParseFactor() {
  if (PeekKind() == '(') {
    Next();
    const TScriptType type = Parse();
    Reader().ExpectRightParen();
    return type;
  }
  TScriptType type;
  if (ParseSimpleValue(type)) return type;
  Fail("错误的表达式！");
}

bool TAnalyBase::ParseSimpleValue(TScriptType& type) {
  const TToken next = Reader().PeekToken();
  switch (next.kind) {
    case token::kIdentifier: {
      if (const TUserMethod* method = Maker().FindMethod(next.text, scope_)) {
        if (!method->is_function) Fail("调用的不是函数。");
        type = ResultTypeOf(Maker(), TAnalyCallMethod(context_, scope_).Parse());
        return true;
      }
      Next();
      const TUserVar* variable = UsableVariable(next.text);
      if (variable == nullptr) Fail("变量" + next.text + "没有定义");
      type = variable->type;
      Maker().Emit(TOpCode::LOAD, variable->index);
      return true;
    }
    case token::kNumber: {
      Next();
      const bool whole = std::floor(next.number) == next.number;
      type = whole ? TScriptType::Integer : TScriptType::Double;
      EmitConstant("Number", TDynaValue::Real(next.number), type);
      return true;
    }
    case token::kTrue:
    case token::kFalse:
      Next();
      type = TScriptType::Boolean;
      EmitConstant(next.Is(token::kTrue) ? "True" : "False", TDynaValue::Bool(next.Is(token::kTrue)), type);
      return true;
    default: return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Conditions

TScriptType TAnalyCondition::Parse() {
  TNestingGuard guard(context_);
  const int first = PeekKind();
  if (first == token::kOr || first == token::kAnd || first == terminator_) Fail("缺少表达式!");
  ParseRelation();
  for (int kind = PeekKind(); kind != terminator_; kind = PeekKind()) {
    if (kind == token::kOr || kind == token::kAnd) {
      Next();
      ParseRelation();
      Maker().Emit(kind == token::kOr ? TOpCode::OR : TOpCode::AND);
    } else if (kind == ')') {
      Fail("缺少左括号!");
    } else if (terminator_ == ')' && (kind == token::kThen || kind == token::kDo || kind == ';')) {
      Fail("缺少右括号!");
    } else {
      Fail("表达式不正确!");
    }
  }
  return TScriptType::Boolean;
}

void TAnalyCondition::RequireBoolean(TScriptType type) {
  if (type != TScriptType::Boolean) Fail(FormatMessage("[%s]不是布尔类型。", {Reader().CurrentToken().text}));
}

TScriptType TAnalyCondition::ParseAndChain(TScriptType first) {
  TScriptType last = first;
  while (PeekKind() == token::kAnd) {
    Next();
    last = ParseOperand();
    RequireBoolean(last);
    Maker().Emit(TOpCode::AND);
  }
  if (!IsAssignable(first, last)) FailMismatch(first, last);
  return last;
}

void TAnalyCondition::ParseRelation() {
  const TScriptType left = ParseOperand();
  TOpCode comparison;
  switch (PeekKind()) {
    case '=':
      Next();
      comparison = TOpCode::CMPEQ;
      break;
    case '>':
      Next();
      comparison = PeekKind() == '=' ? (Next(), TOpCode::CMPGE) : TOpCode::CMPGT;
      break;
    case '<':
      Next();
      comparison = PeekKind() == '=' ? (Next(), TOpCode::CMPLE)
                   : PeekKind() == '>' ? (Next(), TOpCode::CMPNE) : TOpCode::CMPLT;
      break;
    case ';':
    case token::kThen:
    case token::kDo: {
      RequireBoolean(left);
      TUserVar* constant = nullptr;
      for (const TUserVar& variable : Maker().Variables()) {
        if (variable.kind == TVarKind::Constant && variable.name == "True" && variable.scope == scope_) {
          constant = &Maker().Variable(variable.index);
          break;
        }
      }
      if (constant != nullptr) {
        Maker().Emit(TOpCode::PUSHC, constant->index);
      } else {
        EmitConstant("True", TDynaValue::Bool(true), TScriptType::Boolean);
      }
      Maker().Emit(TOpCode::AND);
      return;
    }
    case token::kAnd:
      ParseAndChain(left);
      return;
    case token::kOr:
      while (PeekKind() == token::kOr) {
        RequireBoolean(left);
        Next();
        const TScriptType right = ParseAndChain(ParseOperand());
        RequireBoolean(right);
        Maker().Emit(TOpCode::OR);
      }
      return;
    default: return;
  }
  const TScriptType right = ParseOperand();
  if (!IsAssignable(left, right)) FailMismatch(left, right);
  if (left == TScriptType::Boolean || right == TScriptType::Boolean) Fail("不支持布尔型数据比较！");
  Maker().Emit(comparison);
  const int after = PeekKind();
  if (after == token::kAnd || after == token::kOr) Fail("And 或 Or 之前的表达式缺少括号！");
}

TScriptType TAnalyCondition::ParseOperand() {
  if (PeekKind() == '(') {
    Next();
    TAnalyCondition(context_, scope_, ')').Parse();
    if (Next().kind != ')') Fail("缺少右括弧！");
    return TScriptType::Boolean;
  }
  TScriptType type;
  if (ParseSimpleValue(type)) return type;
  Fail("错误的表达式！");
}

// ---------------------------------------------------------------------------------------------
// Calls

TUserMethod& TAnalyCallMethod::Parse() {
  const TToken& name = Next();
  if (!name.Is(token::kIdentifier)) Fail("缺少标识符！");
  TUserMethod* found = Maker().FindMethod(name.text, scope_);
  if (found == nullptr) Fail("未定义的方法！");
  const int index = found->index;
  if (Next().kind != '(') Fail("缺少左括弧！");
  const int count = found->parameter_count;
  for (int argument = 0;; ++argument) {
    if (PeekKind() == ')') {
      if (argument != count) Fail("函数参数个数不匹配！");
      Next();
      Maker().Emit(TOpCode::CALL, index);
      return Maker().Method(index);
    }
    if (argument >= count) Fail("函数参数个数不匹配！");
    const TScriptType type = TAnalyExpression(context_, scope_).Parse();
    const TUserVar& parameter = Maker().Variable(Maker().Method(index).parameters[static_cast<std::size_t>(argument)]);
    if (!IsAssignable(parameter.type, type)) {
      Fail(FormatMessage("参数[%s]的数据类型为[%s]，和定义的数据类型[%s]不一致。",
                         {Reader().CurrentToken().text, TypeDisplayName(type), TypeDisplayName(parameter.type)}));
    }
    if (argument < count - 1) Reader().ExpectComma();
  }
}

}  // namespace zidezo

#pragma once

#include <string>

#include "script/KorvanaCodeMaker.h"
#include "script/TokenReader.h"

namespace zidezo {

// What every parser class shares: the program's lists, its reader and the nesting depth,
// which is bounded so that a hostile text cannot exhaust the machine stack.
struct TCompileContext {
  TKorvanaCodeMaker& maker;
  TTokenReader& reader;
  int depth = 0;
};

// Base of the parser classes: one construct each, checked and turned into code in one pass.
class TAnalyBase {
 public:
  TAnalyBase(TCompileContext& context, std::string scope) : context_(context), scope_(std::move(scope)) {}

 protected:
  TKorvanaCodeMaker& Maker() { return context_.maker; }
  TTokenReader& Reader() { return context_.reader; }
  const TToken& Next() { return context_.reader.NextToken(); }
  int PeekKind() { return context_.reader.PeekToken().kind; }
  [[noreturn]] void Fail(const std::string& message) { context_.reader.Fail(message); }
  void FailMismatch(TScriptType expected, TScriptType found);
  // A variable the current scope may use; the parameters and results of enclosing methods
  // belong to another frame and are refused.
  TUserVar* UsableVariable(const std::string& name);
  int EmitConstant(const std::string& name, TDynaValue value, TScriptType type);
  // A call, a variable, a number or true/false at the reader's position; false when none stands there.
  bool ParseSimpleValue(TScriptType& type);

  TCompileContext& context_;
  std::string scope_;
};

// Guards one level of nesting.
class TNestingGuard {
 public:
  explicit TNestingGuard(TCompileContext& context);
  ~TNestingGuard() { --context_.depth; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;

 private:
  TCompileContext& context_;
};

// var sections, procedures and functions of one declaration part.
class TAnalyDeclare : public TAnalyBase {
 public:
  using TAnalyBase::TAnalyBase;
  void Parse();

 private:
  void ParseVarSection();
};

// One function or procedure, declared in the given scope under its own scope.
class TAnalyMethod : public TAnalyBase {
 public:
  TAnalyMethod(TCompileContext& context, std::string outer_scope, std::string own_scope)
      : TAnalyBase(context, std::move(own_scope)), outer_scope_(std::move(outer_scope)) {}
  TUserMethod& ParseHeader();
  void Parse();

 private:
  void ParseParameters(int method_index);
  std::string outer_scope_;
};

class TAnalyStatement : public TAnalyBase {
 public:
  using TAnalyBase::TAnalyBase;
  void Parse();

 private:
  void ParseAssignment();
  void ParseBlock();
  void ParseIf();
  void ParseWhile();
  void ParseRepeat();
  void ParseFor();
  TUserVar& AssignedVariable();
  void ParseStatementList();
};

class TAnalyExpression : public TAnalyBase {
 public:
  using TAnalyBase::TAnalyBase;
  TScriptType Parse();

 private:
  TScriptType ParseTerm();
  TScriptType ParseFactor();
};

// Conditions of if, while and repeat: comparisons joined by and/or, up to a terminator.
class TAnalyCondition : public TAnalyBase {
 public:
  TAnalyCondition(TCompileContext& context, std::string scope, int terminator)
      : TAnalyBase(context, std::move(scope)), terminator_(terminator) {}
  TScriptType Parse();

 private:
  void ParseRelation();
  TScriptType ParseOperand();
  TScriptType ParseAndChain(TScriptType first);
  void RequireBoolean(TScriptType type);
  int terminator_;
};

// A call with its arguments; leaves the result (for a function) on the evaluation stack.
class TAnalyCallMethod : public TAnalyBase {
 public:
  using TAnalyBase::TAnalyBase;
  TUserMethod& Parse();
};

// Registers one built-in function from its declaration text.
class TAnalySysMethod {
 public:
  static void Register(TKorvanaCodeMaker& maker, int number, const char* declaration, TNativeRoutine routine);
};

}  // namespace zidezo

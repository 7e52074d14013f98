#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "script/AbilityProgram.h"

namespace zidezo {
namespace {

using testing::CompileError;
using testing::RunScript;

struct ProgramCase {
  const char* name;
  std::string text;
  int result;
};

std::string Korvana(const std::string& body, const std::string& declarations = "") {
  return declarations + "function Korvana: Integer;\r\n" + body;
}

TEST(ScriptPrograms, GiveTheirResults) {
  const std::vector<ProgramCase> cases = {
      {"constant", Korvana("begin Result := 3; end;"), 3},
      {"no result assigned", Korvana("begin end;"), 0},
      {"seven halves round up to 4", Korvana("begin Result := 7 / 2; end;"), 4},
      {"five halves round to even 2", Korvana("begin Result := 5 / 2; end;"), 2},
      {"precedence", Korvana("begin Result := 2 + 3 * 4 - (1 + 1); end;"), 12},
      {"leading minus", Korvana("begin Result := -5 + 2; end;"), -3},
      {"mod takes the dividend's sign", Korvana("begin Result := -7 mod 3; end;"), -1},
      {"div truncates toward zero", Korvana("begin Result := -7 div 2; end;"), -3},
      {"xor on integers", Korvana("begin Result := 6 xor 3; end;"), 5},
      {"xor on booleans", Korvana("var b: Boolean;\r\nbegin b := true xor false; if b then Result := 1; end;"), 1},
      {"double first", Korvana("var d: Double;\r\nbegin d := 2.5 + 1; Result := Round(d * 2); end;"), 7},
      {"parameters bind in order",
       Korvana("begin Result := Sub(5, 3); end;", "function Sub(A, B: Integer): Integer; begin Result := A - B; end;\r\n"), 2},
      {"IntPower", Korvana("begin Result := Round(IntPower(2, 3)); end;"), 8},
      {"IntPower negative exponent", Korvana("begin Result := Round(IntPower(2, -1) * 10); end;"), 5},
      {"Max and Min round their arguments", Korvana("begin Result := Max(2, 3) * 10 + Min(7, 4); end;"), 34},
      {"MaxF delivers an integer", Korvana("begin Result := Round(MaxF(2.5, 1.2) * 10); end;"), 20},
      {"Abs", Korvana("begin Result := Round(AbsF(-1.5) * 2 + Abs(-4)); end;"), 7},
      {"Ceil Floor Trunc", Korvana("begin Result := Ceil(1.2) * 100 + Floor(-1.2) * 10 + Trunc(-1.7); end;"), 179},
      {"Round halves to even", Korvana("begin Result := Round(2.5) * 10 + Round(3.5); end;"), 24},
      {"Sqr Sqrt", Korvana("begin Result := Sqr(3) + Round(Sqrt(16)); end;"), 13},
      {"recursion through parameters",
       Korvana("begin Result := Fact(5); end;",
               "function Fact(N: Integer): Integer;\r\nbegin if N <= 1 then Result := 1 else Result := N * Fact(N - 1); end;\r\n"),
       120},
      {"locals are shared by recursive calls",
       Korvana("begin Depth(3); Result := Count; end;",
               "var Count: Integer;\r\nprocedure Depth(N: Integer);\r\nvar Inner: Integer;\r\n"
               "begin Inner := N; Count := Count + 1; if N > 1 then Depth(N - 1); Count := Count * 10 + Inner; end;\r\n"),
       3111},
      {"while loop", Korvana("var i, s: Integer;\r\nbegin i := 0; s := 0; while i < 5 do begin i := i + 1; s := s + i; end; Result := s; end;"), 15},
      {"repeat loop", Korvana("var i: Integer;\r\nbegin i := 0; repeat i := i + 2; until i >= 7; Result := i; end;"), 8},
      {"for loop re-reads its end", Korvana("var i, n, s: Integer;\r\nbegin n := 4; s := 0; for i := 1 to n do begin s := s + i; end; Result := s; end;"), 10},
      {"and binds tighter than or",
       Korvana("var a, b, c: Boolean;\r\nbegin a := true; b := false; c := false; if a or b and c then Result := 1 else Result := 2; end;"), 1},
      {"parenthesised comparisons",
       Korvana("var x, y: Integer;\r\nbegin x := 2; y := 1; if (x > 1) and (y < 2) then Result := 1 else Result := 2; end;"), 1},
      {"if else chain", Korvana("var x: Integer;\r\nbegin x := 5; if x = 3 then Result := 1 else if x <> 5 then Result := 2 else Result := 3; end;"), 3},
      {"nested method sees globals", Korvana("begin Result := Outer(); end;",
               "function Outer: Integer;\r\n  function Inner: Integer; begin Result := 9; end;\r\nbegin Result := Inner() + 1; end;\r\n"), 10},
      {"main block of the user's own", "begin KorvanaValue := 5; end.", 5},
      {"stray keyword ends the declarations", "const x = 1;\r\nfunction Korvana: Integer; begin Result := 7; end;", 0},
      {"groups without separators", "var a b c begin a := 1; KorvanaValue := a; end.", 1},
      {"function called as a statement", Korvana("begin Max(1, 2); Result := 4; end;"), 4},
  };
  for (const ProgramCase& c : cases) {
    try {
      EXPECT_EQ(RunScript(c.text), c.result) << c.name;
    } catch (const ScriptError& error) {
      ADD_FAILURE() << c.name << ": " << error.what();
    }
  }
}

struct ErrorCase {
  const char* name;
  std::string text;
  std::string message;
};

std::string At(int line, const std::string& message) {
  return "第" + std::to_string(line) + "行出错了。错误为：" + message;
}

TEST(ScriptPrograms, RefuseWrongTextsWithLineAndMessage) {
  const std::string x = "var x, y: Integer; d: Double; flag: Boolean;\r\n";
  const std::vector<ErrorCase> cases = {
      {"empty text", "", At(2, "变量Korvana没有定义")},
      {"Korvana returns Double", "function Korvana: Double; begin Result := 3; end;", At(2, "[整型]和[浮点型]数据类型不匹配。")},
      {"if without else before end", Korvana("begin if 2 > 1 then Result := 2 end;"), At(2, "缺少else!")},
      {"unparenthesised and", Korvana("begin if 2 > 1 and 1 < 2 then Result := 1; end;"), At(2, "And 或 Or 之前的表达式缺少括号！")},
      {"boolean comparison", x + Korvana("begin if flag = true then Result := 1; end;"), At(3, "不支持布尔型数据比较！")},
      {"integer first", x + Korvana("begin d := 1 + 2.5; end;"), At(3, "[整型]和[浮点型]数据类型不匹配。")},
      {"too few arguments", Korvana("begin Result := Max(1); end;"), At(2, "缺少逗号！")},
      {"too many arguments", Korvana("begin Result := Max(1, 2, 3); end;"), At(2, "函数参数个数不匹配！")},
      {"function without parentheses", Korvana("begin Result := Korvana; end;"), At(2, "缺少左括弧！")},
      {"for without begin", x + Korvana("begin for x := 1 to 3 do y := y + x; end;"), At(3, "缺少Begin！")},
      {"downto", x + Korvana("begin for x := 3 downto 1 do begin end; end;"), At(3, "缺少To！")},
      {"empty operand", x + Korvana("begin d := ; end;"), At(3, "错误的表达式！")},
      {"empty argument", Korvana("begin Result := Max(, 2); end;"), At(2, "错误的表达式！")},
      {"arithmetic in a condition", x + Korvana("begin if x + 1 > y then x := 1; end;"), At(3, "表达式不正确!")},
      {"undeclared assignment", Korvana("begin z := 1; end;"), At(2, "z变量未声明！")},
      {"assigning the function's name", Korvana("begin Korvana := 1; end;"), At(2, "Korvana变量未声明！")},
      {"duplicate variable", "var a: Integer;\r\nvar a: Double;\r\n", At(2, "a变量重复声明！")},
      {"duplicate method", "function F: Integer; begin end;\r\nfunction f: Integer; begin end;\r\n", At(2, "f重复声明！")},
      {"duplicate parameter", "function F(A: Integer; a: Double): Integer; begin end;\r\n", At(1, "a重复声明！")},
      {"enclosing parameter",
       "function Outer(P: Integer): Integer;\r\n  function Inner: Integer;\r\n  begin Result := P; end;\r\nbegin Result := Inner(); end;\r\n",
       At(3, "不能使用外层函数的参数[P]！")},
      {"enclosing result", "function Outer: Integer;\r\n  procedure Inner;\r\n  begin Result := 1; end;\r\nbegin end;\r\n",
       At(3, "Result变量未声明！")},
      {"procedure as a value", "procedure P; begin end;\r\n" + Korvana("begin Result := P(); end;"), At(3, "调用的不是函数。")},
      {"unknown call", Korvana("begin Nothing(1); end;"), At(2, "未定义的方法！")},
      {"argument type", Korvana("begin Result := Max(1.5, 2); end;"), At(2, "参数[1.5]的数据类型为[浮点型]，和定义的数据类型[整型]不一致。")},
      {"unknown type", "var s: String;", At(1, "只支持Double,Integer和Boolean三种类型，暂时还不支持[String]类型")},
      {"missing end", Korvana("begin Result := 1;\r\n"), At(4, "缺少end!")},
      {"missing then", Korvana("begin if 1 < 2 Result := 1; end;"), At(2, "表达式不正确!")},
      {"missing do", x + Korvana("begin while x < 2 x := 1; end;"), At(3, "表达式不正确!")},
      {"missing until", x + Korvana("begin repeat x := 1 end;"), At(3, "缺少until！")},
      {"not a boolean", x + Korvana("begin if x then x := 1; end;"), At(3, "[x]不是布尔类型。")},
      {"condition starts with and", x + Korvana("begin if and then x := 1; end;"), At(3, "缺少表达式!")},
      {"stray right parenthesis", x + Korvana("begin if flag) then x := 1; end;"), At(3, "缺少左括号!")},
      {"missing right parenthesis", x + Korvana("begin if (flag then x := 1; end;"), At(3, "缺少右括号!")},
      {"missing equals", x + Korvana("begin x : 1; end;"), At(3, "缺少等号！")},
      {"header without semicolon", "function F: Integer begin end;", At(1, "缺少分号！")},
      {"function without type", "function F; begin end;", At(1, "缺少冒号！")},
      {"no method name", "function ; begin end;", At(1, "缺少标识符！")},
      {"var without name", "var ;", At(1, "缺少变量！")},
      {"parameter not a name", "function F(1: Integer): Integer;", At(1, "[1]无法识别！可能是中文字符。")},
      {"mod on doubles", x + Korvana("begin d := d mod 2; end;"), At(3, "[整型]和[浮点型]数据类型不匹配。")},
      {"Chinese outside strings", Korvana("begin Result := 分; end;"), At(2, "[分]无法识别！可能是中文字符。")},
  };
  for (const ErrorCase& c : cases) EXPECT_EQ(CompileError(c.text), c.message) << c.name;
}

TEST(ScriptPrograms, LineEndsOfAnyKindReportTheSameLines) {
  const std::string lf = "function Korvana: Integer;\nvar a: Integer;\n\n// note\nbegin\n  a := ;\nend;";
  std::string cr = lf;
  for (char& c : cr) c = c == '\n' ? '\r' : c;
  const std::string crlf = NormaliseLineEnds(lf);
  EXPECT_EQ(CompileError(lf), At(6, "错误的表达式！"));
  EXPECT_EQ(CompileError(cr), CompileError(lf));
  EXPECT_EQ(CompileError(crlf), CompileError(lf));
  EXPECT_EQ(RunScript("// only a comment\nfunction Korvana: Integer; begin Result := 2; end;"), 2);
}

TEST(ScriptPrograms, PredeclaredInputsCannotBeDeclaredAgain) {
  TAbilityProgram program("var Speed: Integer;");
  try {
    program.Compile();
    FAIL();
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "第1行出错了。错误为：Speed变量重复声明！");
  }
}

TEST(ScriptPrograms, MethodsSeeOnlyEarlierMethodsAndThemselves) {
  EXPECT_EQ(CompileError("function A: Integer; begin Result := B(); end;\r\nfunction B: Integer; begin Result := 1; end;"),
            At(1, "变量B没有定义"));
  // A nested method sees the method it stands in, so it can recurse through it.
  EXPECT_EQ(RunScript("function A(N: Integer): Integer;\r\n  function Step(M: Integer): Integer; begin Result := A(M); end;\r\n"
                      "begin if N >= 3 then Result := N else Result := Step(N + 1); end;\r\n"
                      "function Korvana: Integer; begin Result := A(0); end;"),
            3);
}

TEST(ScriptPrograms, CompilingAgainAfterAFailureStartsAfresh) {
  TKorvanaProgram program("function Korvana: Integer; begin Result := ; end;");
  EXPECT_THROW(program.Compile(), ScriptError);
  EXPECT_THROW(program.Compile(), ScriptError);  // the same error again, not a follow-on one
  program.SetText("function Korvana: Integer; begin Result := 4; end;");
  program.Compile();
  program.Compile();  // compiling twice leaves one program, not two
  program.Run();
  EXPECT_EQ(program.KorvanaResult(), 4);
  EXPECT_LT(program.Code().size(), 40u);
}

TEST(ScriptPrograms, DeepNestingIsRefusedNotCrashed) {
  const std::string text = "function Korvana: Integer; begin Result := " + std::string(5000, '(') + "1;";
  EXPECT_EQ(CompileError(text), At(1, "嵌套层次过深！"));
}

}  // namespace
}  // namespace zidezo

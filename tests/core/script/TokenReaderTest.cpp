#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/ScriptError.h"
#include "script/TokenReader.h"

namespace zidezo {
namespace {

struct Seen {
  int kind;
  std::string text;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen> Tokens(const std::string& text) {
  TTokenReader reader(text);
  std::vector<Seen> tokens;
  for (const TToken* t = &reader.NextToken(); t->kind != token::kEnd; t = &reader.NextToken()) {
    tokens.push_back({t->kind, t->text});
  }
  return tokens;
}

std::string ErrorOf(const std::string& text) {
  TTokenReader reader(text);
  try {
    while (reader.NextToken().kind != token::kEnd) {
    }
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "";
}

constexpr int kId = token::kIdentifier;
constexpr int kNum = token::kNumber;
constexpr int kStr = token::kString;

TEST(TokenReader, SplitsTextIntoTokenKinds) {
  struct Case {
    std::string text;
    std::vector<Seen> tokens;
  };
  const std::vector<Case> cases = {
      {"a:=1", {{kId, "a"}, {':', ":"}, {'=', "="}, {kNum, "1"}}},
      {"a : = 1", {{kId, "a"}, {':', ":"}, {'=', "="}, {kNum, "1"}}},
      {"BEGIN Begin begin", {{1004, "BEGIN"}, {1004, "Begin"}, {1004, "begin"}}},
      {"3.", {{kNum, "3"}, {'.', "."}}},
      {"3.25", {{kNum, "3.25"}}},
      {"1e5", {{kNum, "1"}, {kId, "e5"}}},
      {"x1_y 1x", {{kId, "x1_y"}, {kNum, "1"}, {kId, "x"}}},
      {"'it''s'", {{kStr, "it"}, {kStr, "s"}}},
      {"'中文' { 中文 } (* 中文 *) // 中文\r\nx", {{kStr, "中文"}, {kId, "x"}}},
      {"<>>=<=", {{'<', "<"}, {'>', ">"}, {'>', ">"}, {'=', "="}, {'<', "<"}, {'=', "="}}},
      {"stdcall Unitinit downto", {{1069, "stdcall"}, {1031, "Unitinit"}, {1024, "downto"}}},
      {"x { never closed", {{kId, "x"}}},
      {"x (* never closed", {{kId, "x"}}},
      {"#^[]}", {{'#', "#"}, {'^', "^"}, {'[', "["}, {']', "]"}, {'}', "}"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
}

TEST(TokenReader, NumbersCarryTheirValue) {
  TTokenReader reader("3.25 007");
  EXPECT_DOUBLE_EQ(reader.NextToken().number, 3.25);
  EXPECT_DOUBLE_EQ(reader.NextToken().number, 7.0);
  EXPECT_EQ(reader.NextToken().kind, token::kEnd);
  EXPECT_EQ(reader.NextToken().kind, token::kEnd);  // and again at the end
}

TEST(TokenReader, PeekingLeavesTheStateAlone) {
  TTokenReader reader("a\r\nb\r\nc");
  reader.NextToken();
  EXPECT_EQ(reader.PeekToken().text, "b");
  EXPECT_EQ(reader.PeekSecondToken().text, "c");
  EXPECT_EQ(reader.CurrentToken().text, "a");
  EXPECT_EQ(reader.Line(), 0);
  EXPECT_EQ(reader.NextToken().text, "b");
  EXPECT_EQ(reader.Line(), 1);
}

TEST(TokenReader, ReportsErrorsWithTheirLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"x := 1\r\ny := 2\r\n中", "第3行出错了。错误为：[中]无法识别！可能是中文字符。"},
      {"// note\r\n{ a\r\n b }\r\n@", "第4行出错了。错误为：[@]无法识别！可能是中文字符。"},
      {"(* a\r\n*) x\r\n'open", "第3行出错了。错误为：字符串常量没有结束！"},
      {"'broken\r\n'", "第1行出错了。错误为：字符串常量没有结束！"},
      {"x \x80", "第1行出错了。错误为：[\\x80]无法识别！可能是中文字符。"},
      {std::string(400, '9'), "第1行出错了。错误为：数字常量[" + std::string(400, '9') + "]不正确！"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.text), c.message) << c.text;
}

TEST(TokenReader, ExpectationsAndTypeNames) {
  TTokenReader reader("x , ; )");
  reader.NextToken();
  EXPECT_NO_THROW(reader.ExpectComma());
  EXPECT_NO_THROW(reader.ExpectSemicolon());
  EXPECT_NO_THROW(reader.ExpectRightParen());
  EXPECT_THROW(reader.ExpectSemicolon(), ScriptError);
  EXPECT_EQ(reader.TypeCodeOf("integer"), TScriptType::Integer);
  EXPECT_EQ(reader.TypeCodeOf("DOUBLE"), TScriptType::Double);
  EXPECT_EQ(reader.TypeCodeOf("Boolean"), TScriptType::Boolean);
  try {
    reader.TypeCodeOf("String");
    FAIL();
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "第1行出错了。错误为：只支持Double,Integer和Boolean三种类型，暂时还不支持[String]类型");
  }
}

TEST(TokenReader, SecondTextCountsLinesAfresh) {
  TTokenReader reader("a\r\nb\r\nc");
  while (reader.NextToken().kind != token::kEnd) {
  }
  EXPECT_EQ(reader.Line(), 2);
  reader.SetText("d");
  reader.NextToken();
  EXPECT_EQ(reader.Line(), 0);
}

TEST(TokenReader, LineEndsAreNormalisedToCarriageReturnLineFeed) {
  EXPECT_EQ(NormaliseLineEnds("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(NormaliseLineEnds("\n\n"), "\r\n\r\n");
}

}  // namespace
}  // namespace zidezo

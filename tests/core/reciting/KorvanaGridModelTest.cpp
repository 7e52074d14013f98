#include <gtest/gtest.h>

#include <stdexcept>

#include "reciting/KorvanaGridModel.h"

namespace zidezo {
namespace {

TEST(KorvanaGridModel, ColumnWidthsBelowTenAreRaisedForNonFixedColumnsOnly) {
  TKorvanaGridModel grid;
  struct Case {
    int col, width, stored;
  } cases[] = {{1, 5, 10}, {1, 1, 10}, {1, 0, 0}, {1, 9, 10}, {2, 10, 10}, {0, 5, 5}};
  for (const auto& c : cases) {
    grid.SetColWidth(c.col, c.width);
    EXPECT_EQ(grid.ColWidth(c.col), c.stored) << "col " << c.col << " width " << c.width;
  }
  EXPECT_EQ(grid.ColWidth(3), 64);
  EXPECT_THROW(grid.SetColWidth(5, 20), std::out_of_range);
  EXPECT_THROW(grid.SetRowHeight(-1, 20), std::out_of_range);
}

TEST(KorvanaGridModel, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  TKorvanaGridModel grid;
  int repaints = 0;
  grid.OnChanged = [&](int, int) { ++repaints; };
  grid.SetCells(7, 1, "lost");
  EXPECT_EQ(grid.Cells(7, 1), "");
  EXPECT_EQ(repaints, 0);
  grid.SetCells(1, 1, "Word");
  grid.SetCells(1, 1, "Word");  // unchanged: no repaint
  EXPECT_EQ(repaints, 1);
  grid.SetCells(1, 1, "WORD");  // a new letter case is stored and shown
  EXPECT_EQ(grid.Cells(1, 1), "WORD");
  EXPECT_EQ(repaints, 2);
}

TEST(KorvanaGridModel, DrawingPropertyIsTheCellsThenTheColumnsThenTheDefault) {
  TKorvanaGridModel grid;
  EXPECT_TRUE(grid.IsDefaultProperty(grid.DrawingProperty(2, 2)));
  grid.ColumnProperty(2).SetFontSize(12);
  EXPECT_EQ(grid.DrawingProperty(2, 2).FontSize(), 12);
  TCellProperty& own = grid.CellProperty(2, 2);
  EXPECT_EQ(own.FontName(), "宋体");
  EXPECT_EQ(own.FontSize(), 9);
  EXPECT_EQ(own.VerticalAlignment, 1);
  EXPECT_EQ(own.BackgroundColour(), grid.Colour);
  EXPECT_EQ(grid.CellProperty(0, 2).BackgroundColour(), grid.FixedColour);
  EXPECT_EQ(&grid.DrawingProperty(2, 2), &own);

  int repainted_col = -2, repainted_row = -2;
  grid.OnChanged = [&](int col, int row) { repainted_col = col, repainted_row = row; };
  own.SetBackgroundColour(0x00FF00);
  EXPECT_EQ(repainted_col, 2);
  EXPECT_EQ(repainted_row, 2);

  const TCellProperty free;
  EXPECT_EQ(free.FontName(), "MS Sans Serif");
  EXPECT_EQ(free.FontSize(), 8);
  EXPECT_EQ(free.VerticalAlignment, 3);
}

TEST(KorvanaGridModel, FocusCellCollapsesTheSelectionAndAsksFirst) {
  TKorvanaGridModel grid;
  ASSERT_TRUE(grid.FocusCell(2, 3, true));
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 3, 2, 3}));
  grid.CanSelectCell = [](int, int row) { return row != 4; };
  EXPECT_FALSE(grid.FocusCell(2, 4, true));
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_THROW(grid.FocusCell(5, 1, true), std::out_of_range);
}

TEST(KorvanaGridModel, TextExtentIsTheWidestTrimmedLinePlusFiveAndUnlimitedWhenBlank) {
  TKorvanaGridModel grid;
  const auto width = [](const TCellProperty&, std::string_view text) { return static_cast<int>(text.size()) * 7; };
  grid.SetCells(1, 1, "  ab  \r\nabcd\nabc");
  EXPECT_EQ(grid.TextExtent(1, 1, width), 4 * 7 + 5);
  grid.SetCells(1, 2, "   ");
  EXPECT_EQ(grid.TextExtent(1, 2, width), TKorvanaGridModel::kNoLimit);
}

TEST(KorvanaGridMarks, StandardTextSplitsAtTheFirstDollarPair) {
  struct Case {
    const char* text;
    const char* symbol;
    const char* answer;
  } cases[] = {{"ˈwɜːd$$单词", "ˈwɜːd", "单词"}, {"单词", "", "单词"}, {"a$$b$$c", "a", "b$$c"}, {"$$x", "", "x"}};
  for (const auto& c : cases) {
    const auto parts = ParseStandardCellText(c.text);
    EXPECT_EQ(parts.symbol, c.symbol) << c.text;
    EXPECT_EQ(parts.answer, c.answer) << c.text;
  }
}

TEST(KorvanaGridMarks, PictureTextReadsWordSymbolAndAnswer) {
  struct Case {
    const char* text;
    const char* word;
    const char* symbol;
    const char* answer;
  } cases[] = {
      {"apple##ˈæpl$$\n苹果", "apple", "ˈæpl", "\n苹果"},
      {"apple##$$\n苹果", "apple", "", "\n苹果"},
      {"apple##苹果", "apple", "", "苹果"},
      {"苹果", "", "", "苹果"},
      {"x$$y", "", "", "y"},
  };
  for (const auto& c : cases) {
    const auto parts = ParsePictureCellText(c.text);
    EXPECT_EQ(parts.word, c.word) << c.text;
    EXPECT_EQ(parts.symbol, c.symbol) << c.text;
    EXPECT_EQ(parts.answer, c.answer) << c.text;
  }
}

TEST(KorvanaGridMarks, ReverseTextReadsPromptWordSymbolAndReveal) {
  struct Case {
    const char* text;
    bool blank;
    const char* prompt;
    const char* word;
    const char* symbol;
    bool revealed;
  } cases[] = {
      {"   ", true, "", "", "", false},
      {"%%%苹果 $$ apple {{ˈæpl", false, "苹果", "apple", "ˈæpl", false},
      {"苹果$$apple{{ˈæpl####", false, "苹果", "apple", "ˈæpl", true},
      {"苹果$$apple####", false, "苹果", "apple", "", true},
      {"只有提示", false, "只有提示", "", "", false},
  };
  for (const auto& c : cases) {
    const auto parts = ParseReverseCellText(c.text);
    EXPECT_EQ(parts.blank, c.blank) << c.text;
    EXPECT_EQ(parts.prompt, c.prompt) << c.text;
    EXPECT_EQ(parts.word, c.word) << c.text;
    EXPECT_EQ(parts.symbol, c.symbol) << c.text;
    EXPECT_EQ(parts.revealed, c.revealed) << c.text;
  }
}

}  // namespace
}  // namespace zidezo

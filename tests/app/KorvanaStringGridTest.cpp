#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>

#include "controls/ForwardedKey.h"
#include "controls/KorvanaStringGrid.h"

namespace zidezo::app {
namespace {

// Records the keys the grid hands on.
class KeyOwner : public QWidget {
 public:
  std::vector<int> keys;
  bool event(QEvent* event) override {
    if (event->type() == TForwardedKeyEvent::kType) {
      keys.push_back(static_cast<TForwardedKeyEvent*>(event)->QtKey());
      return true;
    }
    return QWidget::event(event);
  }
};

class GridTest : public ::testing::Test {
 protected:
  GridTest() {
    grid.resize(420, 200);
    grid.Model().SetColWidth(1, 360);
    grid.Model().SetRowHeight(1, 40);
  }
  std::vector<TGridPiece> Pieces(TGridPiece::Kind kind) const {
    std::vector<TGridPiece> found;
    for (const auto& piece : grid.PlanCell(1, 1)) {
      if (piece.kind == kind) found.push_back(piece);
    }
    return found;
  }
  static bool DarkIn(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) return true;
      }
    }
    return false;
  }
  TKorvanaStringGrid grid;
};

TEST_F(GridTest, StandardModeDrawsTheSymbolInBracketsAndTheAnswerAfterARunOfSpaces) {
  grid.Model().ShowMark = false;
  grid.Model().SetCells(1, 1, "ˈæpl$$苹果");
  const auto brackets = Pieces(TGridPiece::kBrackets);
  ASSERT_EQ(brackets.size(), 1u);
  const QRect text_rect = grid.TextRect(1, 1);
  const QFont phonetic = brackets[0].font;
  const int symbol_width = QFontMetrics(phonetic).horizontalAdvance("ˈæpl");
  const QRect box = brackets[0].rect;
  EXPECT_EQ(box.topLeft(), text_rect.topLeft());
  EXPECT_EQ(box.right(), box.left() + symbol_width + 10);

  const auto texts = Pieces(TGridPiece::kText);
  ASSERT_EQ(texts.size(), 1u);
  const QString shown = texts[0].text;
  ASSERT_TRUE(shown.endsWith("苹果"));
  const int run = QFontMetrics(grid.CellFont(1, 1)).horizontalAdvance(shown.left(shown.size() - 2));
  EXPECT_GE(run, symbol_width + 15);

  const QImage image = grid.grab().toImage();
  // Both vertical bracket lines, nothing between the right bracket and the answer, then the answer.
  EXPECT_TRUE(DarkIn(image, QRect(box.left(), box.top() + 1, 1, box.height() - 2)));
  EXPECT_TRUE(DarkIn(image, QRect(box.right(), box.top() + 1, 1, box.height() - 2)));
  EXPECT_FALSE(DarkIn(image, QRect(QPoint(box.right() + 1, text_rect.top()),
                                   QPoint(text_rect.left() + run - 1, text_rect.bottom()))));
  EXPECT_TRUE(DarkIn(image, QRect(QPoint(text_rect.left() + run, text_rect.top()),
                                  QPoint(text_rect.left() + run + 40, text_rect.bottom()))));
}

TEST_F(GridTest, StandardModeWithoutMarksDrawsTheTextUnchanged) {
  grid.Model().SetCells(1, 1, "没有记号");
  const auto texts = Pieces(TGridPiece::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "没有记号");
  EXPECT_TRUE(Pieces(TGridPiece::kBrackets).empty());
}

TEST_F(GridTest, PictureModeDrawsTheBoldWordAndBracketsOnlyForASymbol) {
  grid.Model().DrawMode = gdmPicture;
  grid.Model().SetCells(1, 1, "apple##$$\n苹果");
  auto texts = Pieces(TGridPiece::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "apple");
  EXPECT_TRUE(texts[0].font.bold());
  EXPECT_EQ(texts[0].rect.height(), grid.Model().DefaultRowHeight());
  EXPECT_FALSE(texts[1].font.bold());
  EXPECT_TRUE(Pieces(TGridPiece::kBrackets).empty());

  grid.Model().SetCells(1, 1, "apple##ˈæpl$$\n苹果");
  const auto brackets = Pieces(TGridPiece::kBrackets);
  ASSERT_EQ(brackets.size(), 1u);
  QFont bold = grid.CellFont(1, 1);
  bold.setBold(true);
  EXPECT_EQ(brackets[0].rect.left(), grid.TextRect(1, 1).left() + QFontMetrics(bold).horizontalAdvance("apple") + 10);
}

TEST_F(GridTest, ReverseModeHidesTheWordUntilRevealedAndDropsTheSymbolWhenTheLineIsShort) {
  grid.Model().DrawMode = gdmReverse;
  grid.Model().SetCells(1, 1, "%%%苹果$$apple{{ˈæpl");
  auto texts = Pieces(TGridPiece::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "苹果");
  EXPECT_TRUE(Pieces(TGridPiece::kBrackets).empty());

  grid.Model().SetCells(1, 1, "苹果$$apple{{ˈæpl####");
  texts = Pieces(TGridPiece::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "apple");
  EXPECT_TRUE(texts[1].font.bold());
  const QRect rect = grid.TextRect(1, 1);
  QFont regular = grid.CellFont(1, 1);
  const int e = QFontMetrics(regular).horizontalAdvance("苹果");
  const int sp8 = QFontMetrics(regular).horizontalAdvance("        ");
  EXPECT_EQ(texts[1].rect.left(), rect.left() + e + sp8);
  auto brackets = Pieces(TGridPiece::kBrackets);
  ASSERT_EQ(brackets.size(), 1u);
  EXPECT_EQ(brackets[0].rect.top(), rect.top());

  grid.Model().SetColWidth(1, 110);  // too short for prompt, word and symbol on one line
  brackets = Pieces(TGridPiece::kBrackets);
  ASSERT_EQ(brackets.size(), 1u);
  EXPECT_EQ(brackets[0].rect.top(), grid.TextRect(1, 1).top() + grid.Model().DefaultRowHeight());
}

TEST_F(GridTest, HighlighterStripIsAsWideAsTheTextPlusFiveAndOneLineHigh) {
  grid.Model().SetCells(1, 1, "word");
  EXPECT_TRUE(Pieces(TGridPiece::kStrip).empty());  // background equals the grid colour
  grid.Model().CellProperty(1, 1).SetBackgroundColour(0x00FFFF);
  const auto strips = Pieces(TGridPiece::kStrip);
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0].rect.width(), QFontMetrics(grid.CellFont(1, 1)).horizontalAdvance("word") + 5);
  EXPECT_EQ(strips[0].rect.height(), grid.Model().DefaultRowHeight());
}

TEST_F(GridTest, CurrentCellUnderlineRunsUnderTheFirstLineInTheMarkColumn) {
  grid.Model().SetCells(1, 1, "word");
  grid.FocusCell(1, 1, true);
  grid.Model().MarkColumn = 1;
  auto lines = Pieces(TGridPiece::kUnderline);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect.top(), grid.CellRect(1, 1).top() + grid.Model().DefaultRowHeight() - 1);
  EXPECT_EQ(lines[0].rect.width(), grid.TextExtent(1, 1));
  grid.Model().MarkColumn = 0;
  lines = Pieces(TGridPiece::kUnderline);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect.top(), grid.CellRect(1, 1).bottom());
  grid.Model().CellProperty(1, 1).Markable = false;
  EXPECT_TRUE(Pieces(TGridPiece::kUnderline).empty());
}

TEST(KorvanaStringGrid, EveryKeyIsPostedToTheOwnerAndPageKeysMoveNothing) {
  KeyOwner owner;
  TKorvanaStringGrid grid(&owner);
  grid.resize(300, 200);
  grid.FocusCell(1, 2, true);
  for (const int key : {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &press);
    EXPECT_EQ(grid.Model().Row(), 2) << key;
    EXPECT_EQ(grid.Model().Col(), 1) << key;
  }
  EXPECT_TRUE(owner.keys.empty());  // posted, not sent: the owner sees them after the grid
  QCoreApplication::processEvents();
  EXPECT_EQ(owner.keys.size(), 6u);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &down);
  EXPECT_EQ(grid.Model().Row(), 3);
  QCoreApplication::processEvents();
  EXPECT_EQ(owner.keys.back(), Qt::Key_Down);
}

}  // namespace
}  // namespace zidezo::app

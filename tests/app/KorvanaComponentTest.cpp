#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>

#include "controls/Fonts.h"
#include "controls/KorvanaComponent.h"

namespace zidezo::app {
namespace {

int CaptionWidth(const TCustomSymbol& label, const QString& text) {
  return QFontMetrics(label.font())
      .boundingRect(QRect(0, 0, 100000, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic,
                    text)
      .width();
}

TEST(WordSymbol, CaptionGapBracketsAndSymbolMakeTheRealWidth) {
  TWordSymbol label;
  label.SetCaption("cat");
  label.SetSymbol("kæt");
  EXPECT_EQ(label.StoredSymbol(), "  kæt ");
  EXPECT_EQ(label.Symbol(), "kæt");
  const int caption = CaptionWidth(label, "cat");
  const int symbol = QFontMetrics(label.SymbolFont()).horizontalAdvance("  kæt ");
  EXPECT_EQ(label.SymbolLeft(), caption + 10);
  EXPECT_EQ(label.SymbolRight(), caption + 10 + symbol);
  EXPECT_EQ(label.RealWidth(), caption + 20 + symbol);
  EXPECT_EQ(label.width(), label.SymbolRight());  // auto size
  EXPECT_EQ(label.SymbolTop(), label.height() - QFontMetrics(label.SymbolFont()).height());
}

TEST(WordSymbol, EmptyCaptionStartsTheSymbolAfterOneSpace) {
  TWordSymbol label;
  label.SetSymbol("ə");
  const int symbol = QFontMetrics(label.SymbolFont()).horizontalAdvance("  ə ");
  EXPECT_EQ(label.SymbolLeft(), CaptionWidth(label, " "));
  EXPECT_EQ(label.RealWidth(), symbol);
  label.SetSymbol("");
  EXPECT_EQ(label.Symbol(), "");
  EXPECT_EQ(label.RealWidth(), 0);
}

TEST(WordSymbol, SymbolFontSizeAboveTheCaptionsIsIgnoredAndThickBracketsAboveFourteen) {
  TWordSymbol label;
  label.SetLabelFont(FaceFont("Arial", 14));
  label.SetSymbolFontSize(16);
  EXPECT_NE(label.SymbolFontSize(), 16);
  label.SetSymbolFontSize(14);
  EXPECT_EQ(label.BracketPenWidth(), 1);
  label.SetLabelFont(FaceFont("Arial", 15));
  label.SetSymbolFontSize(15);
  EXPECT_EQ(label.SymbolFontSize(), 15);
  EXPECT_EQ(label.BracketPenWidth(), 2);
}

TEST(KorvanaChoice, LetterFollowsTheIndexAndIndexZeroHasNoLetter) {
  QWidget page;
  TKorvanaChoice choice(&page);
  choice.SetIndex(3);
  EXPECT_EQ(choice.LetterLabel()->Caption(), "(C)");
  EXPECT_EQ(choice.LetterLabel()->width(), QFontMetrics(choice.font()).horizontalAdvance("(A)") + 5);
  EXPECT_EQ(choice.TextLabel()->x(), choice.LetterLabel()->x() + choice.LetterLabel()->width());
  choice.SetIndex(0);
  EXPECT_EQ(choice.LetterLabel()->width(), 0);
}

TEST(KorvanaChoice, ChosenColourWinsOverTheKeyColourUntilCleared) {
  QWidget page;
  TKorvanaChoice choice(&page);
  choice.CheckedColor = Qt::yellow;
  choice.CorrectColor = Qt::green;
  choice.SetCorrect(true);
  choice.SetChecked(true);
  EXPECT_EQ(choice.LetterLabel()->Colour(), QColor(Qt::yellow));
  EXPECT_FALSE(choice.LetterLabel()->Transparent());
  choice.SetChecked(false);
  EXPECT_EQ(choice.LetterLabel()->Colour(), QColor(Qt::green));
  choice.SetCorrect(false);
  EXPECT_TRUE(choice.LetterLabel()->Transparent());
}

TEST(KorvanaChoice, MultipleChoiceTickShowsTheChoiceAndTheLetterTheKey) {
  QWidget page;
  TKorvanaMultiChoice choice(&page);
  choice.SetChoiceLeft(30);
  EXPECT_EQ(choice.OptionLeft(), 30);
  EXPECT_EQ(choice.LetterLabel()->x(), 46);
  choice.SetChecked(true);
  choice.SetCorrect(false);
  EXPECT_TRUE(choice.TickBox()->Ticked());
  EXPECT_FALSE(choice.TickBox()->Transparent());
  EXPECT_TRUE(choice.LetterLabel()->Transparent());
  choice.SetCorrect(true);
  EXPECT_EQ(choice.LetterLabel()->Colour(), choice.CorrectColor);
}

TEST(OrderLabel, MenuOffersTheLettersThatAreNotExcluded) {
  QWidget page;
  QMenu menu;
  TOrderLabel label(&page);
  label.SetTypeMenu(&menu);
  label.LetterCount = 4;
  label.ExcludedNumbers << "2";
  label.Row = 3;
  label.Id = 7;
  QString chosen;
  label.OnChoose = [&](QAction* item) { chosen = item->text(); };
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&label, &press);
  QStringList letters;
  for (QAction* item : menu.actions()) {
    letters << item->text();
    EXPECT_EQ(item->data().toInt(), 3 * 65536 + 7);
  }
  menu.close();
  EXPECT_EQ(letters, QStringList({"A", "C", "D"}));
  menu.actions().at(1)->trigger();
  EXPECT_EQ(chosen, "C");

  label.Locked = true;
  menu.clear();
  QCoreApplication::sendEvent(&label, &press);
  EXPECT_TRUE(menu.actions().isEmpty());
}

}  // namespace
}  // namespace zidezo::app

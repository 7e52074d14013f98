#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "controls/InputText.h"
#include "controls/KeyForwardingEdits.h"
#include "controls/KorvanaTimer.h"

namespace zidezo::app {
namespace {

class KeySink : public QWidget {
 public:
  std::vector<int> keys;
  void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(target, &press);
}

TEST(WritingMemo, UpGoesToThePageGridOnlyFromTheFirstLine) {
  KeySink grid;
  TWritingMemo memo;
  memo.ArrowTarget = &grid;
  memo.setPlainText("one\ntwo\nthree");
  QTextCursor caret = memo.textCursor();
  caret.setPosition(5);  // line 2
  memo.setTextCursor(caret);
  Press(&memo, Qt::Key_Up);
  EXPECT_TRUE(grid.keys.empty());
  EXPECT_EQ(memo.CaretLine(), 0);
  Press(&memo, Qt::Key_Up);
  EXPECT_EQ(grid.keys, std::vector<int>{Qt::Key_Up});
  Press(&memo, Qt::Key_F1);
  EXPECT_EQ(grid.keys.back(), Qt::Key_F1);
}

TEST(WritingMemo, PageCommands) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
  } cases[] = {{Qt::Key_Home, Qt::ControlModifier, 0}, {Qt::Key_End, Qt::ControlModifier, 3},
               {Qt::Key_Left, Qt::ControlModifier, 1},  {Qt::Key_Right, Qt::ControlModifier, 2},
               {Qt::Key_Home, Qt::NoModifier, -1},      {Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier, -1},
               {Qt::Key_F5, Qt::ShiftModifier, 1},      {Qt::Key_F8, Qt::NoModifier, 2},
               {Qt::Key_F9, Qt::NoModifier, 6}};
  for (const auto& c : cases) EXPECT_EQ(WritingMemoCommand(c.key, c.modifiers), c.command) << c.key;
}

TEST(SpellMemo, ArrowsGoToTheListAndOtherKeysToTheWindowOnlyWhileForwarding) {
  KeySink list, window;
  TSpellMemo memo;
  memo.ArrowTarget = &list;
  memo.KeyTarget = &window;
  Press(&memo, Qt::Key_Down);
  Press(&memo, Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(list.keys, std::vector<int>{Qt::Key_Down});
  EXPECT_TRUE(window.keys.empty());
  EXPECT_EQ(memo.text(), "a");
  memo.ForwardKeys = true;
  Press(&memo, Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_EQ(window.keys, std::vector<int>{Qt::Key_B});
  EXPECT_EQ(memo.text(), "a");
}

TEST(RichEdit3, EveryKeyGoesToTheTargetAndOnlyPageKeysAndCopyStay) {
  KeySink window;
  TRichEdit3 pane;
  pane.KeyTarget = &window;
  pane.setPlainText("text");
  Press(&pane, Qt::Key_X, Qt::NoModifier, "x");
  Press(&pane, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window.keys, (std::vector<int>{Qt::Key_X, Qt::Key_A}));
  EXPECT_EQ(pane.toPlainText(), "text");
  EXPECT_EQ(pane.textCursor().selectedText(), "text");  // Ctrl+A still selected all
}

TEST(MyEdit, QuotesNeverReachTheText) {
  TMyEdit edit;
  Press(&edit, Qt::Key_Apostrophe, Qt::NoModifier, "'");
  EXPECT_EQ(edit.text(), "");
  edit.setText("it's \"mine\"");
  EXPECT_EQ(edit.text(), "its mine");
}

// Answers the next modal input box.
void AnswerInputBox(const QString& text, bool ok) {
  QTimer::singleShot(0, [text, ok] {
    auto* box = qobject_cast<TInputBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->Edit()->setText(text);
    (ok ? box->OkButton() : box->CancelButton())->click();
  });
}

TEST(InputText, OkWritesTheTextBackAndCancelLeavesIt) {
  QString value = "旧名";
  AnswerInputBox("新名", true);
  EXPECT_TRUE(InputText("书名", "请输入书名：", value, 20));
  EXPECT_EQ(value, "新名");
  AnswerInputBox("别的", false);
  EXPECT_FALSE(InputText("书名", "请输入书名：", value, 20));
  EXPECT_EQ(value, "新名");
}

TEST(InputText, LayoutInDialogUnits) {
  TInputBox box("caption", "prompt", "value", 5);
  const QFont& font = box.font();
  EXPECT_EQ(box.width(), TInputBox::HorizontalUnits(font, 180));
  EXPECT_EQ(box.OkButton()->x(), TInputBox::HorizontalUnits(font, 38));
  EXPECT_EQ(box.CancelButton()->x(), TInputBox::HorizontalUnits(font, 92));
  EXPECT_EQ(box.OkButton()->y(), box.Edit()->geometry().bottom() + 1 + 15);
  EXPECT_EQ(box.height(), box.OkButton()->geometry().bottom() + 1 + 13);
  EXPECT_EQ(box.Edit()->y(), box.Prompt()->geometry().bottom() + 1 + 5);
  EXPECT_EQ(box.Edit()->maxLength(), 5);
  EXPECT_EQ(box.Edit()->selectedText(), "value");
}

TEST(KorvanaTimer, NeverRunsWithIntervalZeroOrWithoutAHandler) {
  TKorvanaTimer timer;
  EXPECT_FALSE(timer.Running());
  timer.SetOnTimer([](TKorvanaTimer&) {});
  EXPECT_TRUE(timer.Running());
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(200);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
}

TEST(KorvanaTimer, AFailingHandlerIsReportedAndTheTimerGoesOn) {
  TKorvanaTimer timer;
  std::string reported;
  const auto keep = TKorvanaTimer::OnHandlerError;
  TKorvanaTimer::OnHandlerError = [&](const char* what) { reported = what; };
  timer.SetOnTimer([](TKorvanaTimer&) { throw std::runtime_error("broken"); });
  timer.Timer();
  TKorvanaTimer::OnHandlerError = keep;
  EXPECT_EQ(reported, "broken");
  EXPECT_TRUE(timer.Running());
}

}  // namespace
}  // namespace zidezo::app

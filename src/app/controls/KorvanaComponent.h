#pragma once

#include <QColor>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace zidezo::app {

enum TTextLayoutEx { tlTopEx, tlCenterEx, tlBottomEx };

// A chosen pop-up menu item reaches the owner with the item (caption = letter or entry, data = tag).
using TChooseHandler = std::function<void(QAction* item)>;

// A word label: the caption and, beside it, the phonetic symbol between drawn square brackets,
// the symbol resting on the bottom edge.
class TCustomSymbol : public QWidget {
  Q_OBJECT
 public:
  explicit TCustomSymbol(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // Stored as two spaces, the value and one space; read back trimmed.
  QString Symbol() const { return stored_symbol_.trimmed(); }
  QString StoredSymbol() const { return stored_symbol_; }
  void SetSymbol(const QString& symbol);
  int SymbolFontSize() const { return symbol_font_size_; }
  // Ignored when larger than the caption font's size.
  void SetSymbolFontSize(int size);
  QString Explain;
  int RealWidth() const { return real_width_; }
  Qt::Alignment Alignment() const { return alignment_; }
  void SetAlignment(Qt::Alignment alignment);
  TTextLayoutEx Layout() const { return layout_; }
  void SetLayout(TTextLayoutEx layout);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  bool AutoSize() const { return auto_size_; }
  virtual void SetAutoSize(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool on);
  QColor Colour() const { return colour_; }
  void SetColour(QColor colour);
  // The caption's accelerator letter ("&") focuses this borrowed control.
  void SetFocusControl(QWidget* control);
  QWidget* FocusControl() const { return focus_control_.data(); }
  void SetLabelFont(const QFont& font);

  int SymbolLeft() const { return symbol_left_; }
  int SymbolTop() const { return symbol_top_; }
  int SymbolRight() const { return symbol_right_; }
  QFont SymbolFont() const;
  // The pen width of the brackets: 2 above size 14, else 1.
  int BracketPenWidth() const { return symbol_font_size_ > 14 ? 2 : 1; }

  virtual QString LabelText() const { return caption_; }

 protected:
  virtual void AdjustBounds();
  virtual void DrawCaption(class QPainter& painter, QRect rect, int flags);
  virtual void DrawSymbol(QPainter& painter, QRect rect, int flags);
  virtual void DrawSymbolBrackets(QPainter& painter);
  // How much the caption's rectangle loses on the right (the drop-down arrow's room).
  virtual int CaptionRightInset() const { return 0; }
  int TextFlags() const;
  // The word-label painting steps; subclasses add their own before or after.
  void PaintLabel(QPainter& painter, QRect caption_rect);
  void DrawArrow(QPainter& painter);
  void PopUp(QMenu* menu, QPoint client_point);

  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void DrawTwice(QPainter& painter, QRect rect, int flags, const QString& text);
  void GrabAccelerator();

  QString caption_;
  QString stored_symbol_ = QStringLiteral("   ");
  int symbol_font_size_ = 9;
  int real_width_ = 0;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  TTextLayoutEx layout_ = tlTopEx;
  bool word_wrap_ = false;
  bool auto_size_ = true;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  QColor colour_;
  QPointer<QWidget> focus_control_;
  int accelerator_ = 0;
  int symbol_left_ = 0;
  int symbol_top_ = 0;
  int symbol_right_ = 0;
};

// The word label created for every word of the screens.
class TWordSymbol : public TCustomSymbol {
  Q_OBJECT
 public:
  using TCustomSymbol::TCustomSymbol;
};

// A label with a drop-down arrow that offers the letters A, B, ... (answer letters of test rows).
class TInformationLabel : public TCustomSymbol {
  Q_OBJECT
 public:
  explicit TInformationLabel(QWidget* parent = nullptr);
  void SetTypeMenu(QMenu* menu) { type_menu_ = menu; }
  QMenu* TypeMenu() const { return type_menu_.data(); }
  QColor BorderColor = Qt::white;
  int RowTag = 0;
  int LetterCount = 0;
  TChooseHandler OnChoose;
  bool Hovered() const { return hovered_; }

 protected:
  int CaptionRightInset() const override { return 20; }
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPointer<QMenu> type_menu_;
  bool hovered_ = false;
};

// A framed box whose menu offers the letters of an ordering question, leaving out excluded numbers.
class TOrderLabel : public TCustomSymbol {
  Q_OBJECT
 public:
  explicit TOrderLabel(QWidget* parent = nullptr);
  void SetTypeMenu(QMenu* menu) { type_menu_ = menu; }
  QMenu* TypeMenu() const { return type_menu_.data(); }
  bool Bordered() const { return bordered_; }
  void SetBordered(bool on);
  int LetterCount = 0;
  int Row = 0;
  int Id = 0;
  void* Item = nullptr;  // the owner's data item (borrowed)
  QStringList ExcludedNumbers;
  bool Locked = false;
  TChooseHandler OnChoose;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent*) override { update(); }
  void leaveEvent(QEvent*) override { update(); }

 private:
  QPointer<QMenu> type_menu_;
  bool bordered_ = true;
};

// A label whose arrow opens a menu of the given entries.
class TMultiOptionLabel : public TCustomSymbol {
  Q_OBJECT
 public:
  explicit TMultiOptionLabel(QWidget* parent = nullptr);
  void SetTypeMenu(QMenu* menu) { type_menu_ = menu; }
  QMenu* TypeMenu() const { return type_menu_.data(); }
  QStringList Options;
  bool ArrowVisible() const { return arrow_visible_; }
  void SetArrowVisible(bool on);
  TChooseHandler OnChoose;
  // Opens the menu when (x, y) lies on the arrow, for windows that get presses as non-client ones.
  void ClickAt(int x, int y);

 protected:
  int CaptionRightInset() const override { return 20; }
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPointer<QMenu> type_menu_;
  bool arrow_visible_ = false;
};

// A tick box drawn in front of its caption.
class TMultiChoice : public TWordSymbol {
  Q_OBJECT
 public:
  using TWordSymbol::TWordSymbol;
  bool Ticked() const { return ticked_; }
  void SetTicked(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool ticked_ = false;
};

// One option of a choice question: the letter "(A)" and the option text, placed on the owner C.
class TKorvanaChoice : public QWidget {
  Q_OBJECT
 public:
  explicit TKorvanaChoice(QWidget* owner);
  ~TKorvanaChoice() override;

  TWordSymbol* LetterLabel() const { return letter_label_; }
  TWordSymbol* TextLabel() const { return text_label_; }
  int Index() const { return index_; }
  void SetIndex(int index);
  bool Checked() const { return checked_; }
  bool Correct() const { return correct_; }
  QColor CheckedColor = Qt::yellow;
  QColor CorrectColor = Qt::green;

  void SetChoiceLeft(int x);
  void SetChoiceTop(int y);
  void SetChoiceWidth(int w);
  void SetChoiceHeight(int h);
  void SetChoiceFont(const QFont& font);
  void ShowChoice();
  void HideChoice();

  virtual int OptionLeft() const;
  virtual void SetChecked(bool on);
  virtual void SetCorrect(bool on);
  virtual void Arrange();

 protected:
  TKorvanaChoice(QWidget* owner, bool with_tick_box);
  void Paint(TCustomSymbol* label, bool opaque, QColor colour);
  int LetterHeight() const;
  int LetterWidth() const;
  virtual void SetPartsVisible(bool visible);

  TWordSymbol* letter_label_ = nullptr;
  TWordSymbol* text_label_ = nullptr;
  int index_ = 1;
  bool checked_ = false;
  bool correct_ = false;
};

// A multiple-choice option: a tick box, then the letter and the text.
class TKorvanaMultiChoice : public TKorvanaChoice {
  Q_OBJECT
 public:
  explicit TKorvanaMultiChoice(QWidget* owner);
  ~TKorvanaMultiChoice() override;
  TMultiChoice* TickBox() const { return tick_box_; }

  int OptionLeft() const override;
  void SetChecked(bool on) override;
  void SetCorrect(bool on) override;
  void Arrange() override;

 protected:
  void SetPartsVisible(bool visible) override;

 private:
  TMultiChoice* tick_box_ = nullptr;
};

// A panel that paints nothing itself: only its child controls show over the backdrop.
class TTransparentPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TTransparentPanel(QWidget* parent = nullptr);
};

}  // namespace zidezo::app

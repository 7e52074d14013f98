#include "controls/KorvanaComponent.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QKeySequence>
#include <QShortcutEvent>

#include "controls/Fonts.h"

namespace zidezo::app {

namespace {

// A move-to/line-to line along one axis, the end point not drawn, `width` pixels thick.
void DrawAxisLine(QPainter& painter, int x1, int y1, int x2, int y2, int width, QColor colour) {
  if (x1 == x2 && y1 == y2) return;
  QRect line;
  if (y1 == y2) {
    const int from = x1 < x2 ? x1 : x2 + 1;
    line = QRect(from, y1, std::abs(x2 - x1), width);
  } else {
    const int from = y1 < y2 ? y1 : y2 + 1;
    line = QRect(x1, from, width, std::abs(y2 - y1));
  }
  painter.fillRect(line, colour);
}

QString LetterOf(int n) { return QString(QChar(64 + n)); }

}  // namespace

// ---------------------------------------------------------------- word labels

TCustomSymbol::TCustomSymbol(QWidget* parent) : QWidget(parent) {
  resize(65, 17);
  symbol_font_size_ = font().pointSize() > 0 ? font().pointSize() : 9;
  colour_ = palette().color(QPalette::Window);
  AdjustBounds();
}

void TCustomSymbol::SetCaption(const QString& caption) {
  caption_ = caption;
  GrabAccelerator();
  AdjustBounds();
  update();
}

void TCustomSymbol::GrabAccelerator() {
  if (accelerator_ != 0) releaseShortcut(accelerator_);
  accelerator_ = 0;
  const QKeySequence letter = QKeySequence::mnemonic(caption_);
  if (show_accel_char_ && focus_control_ && !letter.isEmpty()) accelerator_ = grabShortcut(letter);
}

void TCustomSymbol::SetFocusControl(QWidget* control) {
  focus_control_ = control;
  GrabAccelerator();
}

void TCustomSymbol::SetSymbol(const QString& symbol) {
  stored_symbol_ = QStringLiteral("  %1 ").arg(symbol);
  AdjustBounds();
  update();
}

void TCustomSymbol::SetSymbolFontSize(int size) {
  if (size > font().pointSize()) return;
  symbol_font_size_ = size;
  AdjustBounds();
  update();
}

void TCustomSymbol::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void TCustomSymbol::SetLayout(TTextLayoutEx layout) {
  layout_ = layout;
  update();
}

void TCustomSymbol::SetWordWrap(bool on) {
  word_wrap_ = on;
  AdjustBounds();
  update();
}

void TCustomSymbol::SetAutoSize(bool on) {
  auto_size_ = on;
  AdjustBounds();
  update();
}

void TCustomSymbol::SetTransparent(bool on) {
  transparent_ = on;
  update();
}

void TCustomSymbol::SetShowAccelChar(bool on) {
  show_accel_char_ = on;
  GrabAccelerator();
  update();
}

void TCustomSymbol::SetColour(QColor colour) {
  colour_ = colour;
  update();
}

void TCustomSymbol::SetLabelFont(const QFont& font) {
  setFont(font);
  AdjustBounds();
  update();
}

QFont TCustomSymbol::SymbolFont() const { return FaceFont(kPhoneticFace, symbol_font_size_); }

int TCustomSymbol::TextFlags() const {
  int flags = Qt::TextExpandTabs | Qt::AlignTop;
  if (word_wrap_) flags |= Qt::TextWordWrap;
  if (alignment_ & Qt::AlignRight) {
    flags |= Qt::AlignRight;
  } else if (alignment_ & Qt::AlignHCenter) {
    flags |= Qt::AlignHCenter;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (show_accel_char_) flags |= Qt::TextShowMnemonic;
  return flags;
}

void TCustomSymbol::AdjustBounds() {
  QString text = LabelText();
  if (text.isEmpty() || (show_accel_char_ && text == "&")) text += ' ';
  const QFontMetrics metrics(font());
  const int wrap_width = word_wrap_ ? std::max(width(), 1) : 100000;
  const QRect measured = metrics.boundingRect(QRect(0, 0, wrap_width, 0), TextFlags() & ~Qt::AlignRight &
                                                                             ~Qt::AlignHCenter, text);
  const bool no_caption = caption_.trimmed().isEmpty();
  real_width_ = no_caption ? 0 : measured.width() + 20;
  QRect size_rect(0, 0, measured.width(), measured.height());
  if (!Symbol().isEmpty()) {
    symbol_left_ = no_caption ? measured.width() : measured.width() + 10;
    const QFontMetrics symbol_metrics(SymbolFont());
    const int symbol_width = symbol_metrics.horizontalAdvance(stored_symbol_);
    real_width_ += symbol_width;
    symbol_top_ = height() - symbol_metrics.height();
    symbol_right_ = symbol_left_ + symbol_width;
    size_rect = QRect(0, 0, symbol_right_, measured.height());
  }
  int x = geometry().left();
  const bool right = (alignment_ & Qt::AlignRight) != 0;
  if (right != (layoutDirection() == Qt::RightToLeft)) x += width() - size_rect.width();
  if (auto_size_) setGeometry(x, geometry().top(), size_rect.width(), size_rect.height());
}

void TCustomSymbol::DrawTwice(QPainter& painter, QRect rect, int flags, const QString& text) {
  if (isEnabled()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect, flags, text);
    return;
  }
  painter.setPen(palette().color(QPalette::Light));
  painter.drawText(rect.translated(1, 1), flags, text);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawText(rect, flags, text);
}

void TCustomSymbol::DrawCaption(QPainter& painter, QRect rect, int flags) {
  painter.setFont(font());
  DrawTwice(painter, rect, flags, caption_);
}

void TCustomSymbol::DrawSymbol(QPainter& painter, QRect rect, int flags) {
  painter.setFont(SymbolFont());
  DrawTwice(painter, rect, flags, stored_symbol_);
}

void TCustomSymbol::DrawSymbolBrackets(QPainter& painter) {
  const QColor pen = palette().color(QPalette::WindowText);
  const int p = BracketPenWidth();
  const int b = height() - 1;
  const int sl = symbol_left_, st = symbol_top_, sr = symbol_right_;
  DrawAxisLine(painter, sl + 2, st, sl + 2, b, p, pen);
  DrawAxisLine(painter, sl + 2, st + p - 1, sl + 5, st + p - 1, p, pen);
  DrawAxisLine(painter, sl + 2, b, sl + 5, b, p, pen);
  DrawAxisLine(painter, sr - 1, st + p - 1, sr - 4, st + p - 1, p, pen);
  DrawAxisLine(painter, sr - 1, st, sr - 1, b, p, pen);
  DrawAxisLine(painter, sr - 1, b, sr - 4, b, p, pen);
}

void TCustomSymbol::PaintLabel(QPainter& painter, QRect caption_rect) {
  if (!transparent_) painter.fillRect(rect(), colour_);
  const int flags = TextFlags();
  if (layout_ != tlTopEx) {
    const QRect measured = QFontMetrics(font()).boundingRect(caption_rect, flags, caption_);
    const int spare = height() - measured.bottom() - 1;
    caption_rect.translate(0, layout_ == tlBottomEx ? spare : spare / 2);
  }
  DrawCaption(painter, caption_rect, flags);
  if (Symbol().isEmpty()) return;
  DrawSymbolBrackets(painter);
  QRect symbol_rect = caption_rect;
  symbol_rect.setLeft(symbol_left_);
  symbol_rect.setTop(symbol_top_);
  symbol_rect.setRight(std::max(symbol_rect.right(), symbol_right_));
  symbol_rect.setBottom(std::max(symbol_rect.bottom(), height()));
  DrawSymbol(painter, symbol_rect, flags);
}

void TCustomSymbol::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLabel(painter, rect().adjusted(0, 0, -CaptionRightInset(), 0));
}

void TCustomSymbol::DrawArrow(QPainter& painter) {
  const int w = width();
  const QPolygon arrow({QPoint(w - 16, 5), QPoint(w - 4, 5), QPoint(w - 10, 14)});
  painter.setPen(Qt::black);
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow);
  painter.setBrush(Qt::NoBrush);
}

void TCustomSymbol::PopUp(QMenu* menu, QPoint client_point) { menu->popup(mapToGlobal(client_point)); }

void TCustomSymbol::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) AdjustBounds();
  QWidget::changeEvent(event);
}

bool TCustomSymbol::event(QEvent* event) {
  // The caption's accelerator letter focuses the borrowed control.
  if (event->type() == QEvent::Shortcut && focus_control_ && isEnabled() && show_accel_char_) {
    focus_control_->setFocus(Qt::ShortcutFocusReason);
    return true;
  }
  return QWidget::event(event);
}

// ---------------------------------------------------------------- menu labels

TInformationLabel::TInformationLabel(QWidget* parent) : TCustomSymbol(parent) { setAttribute(Qt::WA_Hover); }

void TInformationLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLabel(painter, rect().adjusted(0, 0, -20, 0));
  DrawArrow(painter);
  const int w = width(), h = height();
  const QColor top_left = hovered_ ? palette().color(QPalette::Light) : BorderColor;
  const QColor bottom_right = hovered_ ? palette().color(QPalette::Dark) : BorderColor;
  painter.setPen(top_left);
  painter.drawLine(0, 0, w - 1, 0);
  painter.drawLine(0, 0, 0, h - 1);
  painter.drawLine(w - 20, 0, w - 20, h - 1);
  painter.setPen(bottom_right);
  painter.drawLine(w - 1, 0, w - 1, h - 1);
  painter.drawLine(0, h - 1, w - 1, h - 1);
  painter.drawLine(w - 21, 0, w - 21, h - 1);
}

void TInformationLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !type_menu_ || event->position().x() <= width() - 20) return;
  hovered_ = false;
  update();
  type_menu_->clear();
  for (int k = 1; k <= LetterCount; ++k) {
    QAction* item = type_menu_->addAction(LetterOf(k));
    item->setData(RowTag);
    if (OnChoose) connect(item, &QAction::triggered, this, [handler = OnChoose, item] { handler(item); });
  }
  PopUp(type_menu_, QPoint(0, height() + 1));
}

void TInformationLabel::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void TInformationLabel::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

TOrderLabel::TOrderLabel(QWidget* parent) : TCustomSymbol(parent) {
  SetAutoSize(false);
  resize(36, 22);
}

void TOrderLabel::SetBordered(bool on) {
  bordered_ = on;
  update();
}

void TOrderLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLabel(painter, rect());
  if (!bordered_) return;
  const int w = width(), h = height();
  painter.fillRect(QRect(0, 0, w, 1), Qt::black);
  painter.fillRect(QRect(w - 1, 0, 1, h - 1), Qt::black);
  painter.fillRect(QRect(0, h - 1, w, 1), Qt::black);
  painter.fillRect(QRect(0, 0, 1, h - 1), Qt::black);
}

void TOrderLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !type_menu_ || !bordered_ || Locked) return;
  type_menu_->clear();
  for (int n = 1; n <= LetterCount; ++n) {
    if (ExcludedNumbers.contains(QString::number(n))) continue;
    QAction* item = type_menu_->addAction(LetterOf(n));
    item->setData(Row * 65536 + Id);
    if (OnChoose) connect(item, &QAction::triggered, this, [handler = OnChoose, item] { handler(item); });
  }
  PopUp(type_menu_, QPoint(0, height() + 1));
}

TMultiOptionLabel::TMultiOptionLabel(QWidget* parent) : TCustomSymbol(parent) {}

void TMultiOptionLabel::SetArrowVisible(bool on) {
  arrow_visible_ = on;
  update();
}

void TMultiOptionLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLabel(painter, rect().adjusted(0, 0, -20, 0));
  if (arrow_visible_) DrawArrow(painter);
}

void TMultiOptionLabel::ClickAt(int x, int y) {
  if (!QRect(QPoint(width() - 20, 0), QPoint(width(), height())).contains(x, y)) return;
  if (!type_menu_ || !arrow_visible_) return;
  type_menu_->clear();
  for (const QString& entry : Options) {
    QAction* item = type_menu_->addAction(entry);
    if (OnChoose) connect(item, &QAction::triggered, this, [handler = OnChoose, item] { handler(item); });
  }
  PopUp(type_menu_, QPoint(width() - 20, height() + 1));
}

void TMultiOptionLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || event->position().x() <= width() - 20) return;
  ClickAt(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void TMultiChoice::SetTicked(bool on) {
  if (on == ticked_) return;
  ticked_ = on;
  update();
}

void TMultiChoice::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLabel(painter, rect().adjusted(16, 0, -16, 0));
  const int y0 = (height() - 16) / 2;
  painter.setPen(Qt::black);
  painter.drawPolyline(QPolygon({QPoint(1, y0), QPoint(15, y0), QPoint(15, y0 + 16), QPoint(1, y0 + 16), QPoint(1, y0)}));
  if (!ticked_) return;
  painter.drawPolyline(QPolygon({QPoint(2, y0 + 8), QPoint(6, y0 + 15), QPoint(15, y0 + 2)}));
  painter.drawPolyline(QPolygon({QPoint(2, y0 + 9), QPoint(7, y0 + 15), QPoint(15, y0 + 3)}));
}

// ---------------------------------------------------------------- choices

TKorvanaChoice::TKorvanaChoice(QWidget* owner) : TKorvanaChoice(owner, false) { Arrange(); }

TKorvanaChoice::TKorvanaChoice(QWidget* owner, bool) : QWidget(owner) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  letter_label_ = new TWordSymbol(owner);
  letter_label_->SetAlignment(Qt::AlignHCenter);
  letter_label_->SetLayout(tlCenterEx);
  letter_label_->SetAutoSize(false);
  letter_label_->resize(20, letter_label_->height());
  letter_label_->SetColour(Qt::red);
  letter_label_->SetCaption("(A)");
  letter_label_->raise();
  text_label_ = new TWordSymbol(owner);
  text_label_->SetAutoSize(false);
  text_label_->SetWordWrap(true);
  text_label_->SetTransparent(true);
  text_label_->raise();
  resize(200, 80);
}

TKorvanaChoice::~TKorvanaChoice() {
  delete letter_label_;
  delete text_label_;
}

int TKorvanaChoice::LetterHeight() const { return QFontMetrics(font()).height() + 2; }

int TKorvanaChoice::LetterWidth() const {
  return index_ <= 0 ? 0 : QFontMetrics(font()).horizontalAdvance("(A)") + 5;
}

void TKorvanaChoice::SetIndex(int index) {
  index_ = index;
  Arrange();
}

void TKorvanaChoice::SetChoiceLeft(int x) {
  move(x, y());
  Arrange();
}
void TKorvanaChoice::SetChoiceTop(int y) {
  move(x(), y);
  Arrange();
}
void TKorvanaChoice::SetChoiceWidth(int w) {
  resize(w, height());
  Arrange();
}
void TKorvanaChoice::SetChoiceHeight(int h) {
  resize(width(), h);
  Arrange();
}
void TKorvanaChoice::SetChoiceFont(const QFont& font) {
  setFont(font);
  Arrange();
}

void TKorvanaChoice::Arrange() {
  letter_label_->SetLabelFont(font());
  text_label_->SetLabelFont(font());
  letter_label_->setGeometry(x(), y(), LetterWidth(), LetterHeight());
  text_label_->setGeometry(x() + letter_label_->width(), y(), width() - letter_label_->width(), height());
  letter_label_->SetCaption(QStringLiteral("(%1)").arg(LetterOf(index_)));
}

int TKorvanaChoice::OptionLeft() const { return letter_label_->x(); }

void TKorvanaChoice::Paint(TCustomSymbol* label, bool opaque, QColor colour) {
  if (opaque) label->SetColour(colour);
  label->SetTransparent(!opaque);
}

void TKorvanaChoice::SetChecked(bool on) {
  checked_ = on;
  if (on) {
    Paint(letter_label_, true, CheckedColor);
  } else {
    SetCorrect(correct_);
  }
}

void TKorvanaChoice::SetCorrect(bool on) {
  correct_ = on;
  if (checked_) return;
  Paint(letter_label_, on, CorrectColor);
}

void TKorvanaChoice::SetPartsVisible(bool visible) {
  letter_label_->setVisible(visible);
  text_label_->setVisible(visible);
  setVisible(visible);
}

void TKorvanaChoice::ShowChoice() { SetPartsVisible(true); }
void TKorvanaChoice::HideChoice() { SetPartsVisible(false); }

TKorvanaMultiChoice::TKorvanaMultiChoice(QWidget* owner) : TKorvanaChoice(owner, true) {
  tick_box_ = new TMultiChoice(owner);
  tick_box_->SetAlignment(Qt::AlignHCenter);
  tick_box_->SetLayout(tlCenterEx);
  tick_box_->SetAutoSize(false);
  tick_box_->resize(16, tick_box_->height());
  tick_box_->SetColour(Qt::red);
  tick_box_->lower();
  Arrange();
}

TKorvanaMultiChoice::~TKorvanaMultiChoice() { delete tick_box_; }

void TKorvanaMultiChoice::Arrange() {
  if (tick_box_ == nullptr) return;
  letter_label_->SetLabelFont(font());
  text_label_->SetLabelFont(font());
  tick_box_->SetLabelFont(font());
  const int box_width = index_ <= 0 ? 0 : 16;
  tick_box_->setGeometry(x(), y(), box_width, LetterHeight());
  letter_label_->setGeometry(x() + 16, y(), LetterWidth(), LetterHeight());
  // The text keeps the tick box's 16 pixels: it reaches past the choice's right edge by as much.
  text_label_->setGeometry(letter_label_->x() + letter_label_->width(), y(), width() - letter_label_->width(),
                           height());
  letter_label_->SetCaption(QStringLiteral("(%1)").arg(LetterOf(index_)));
}

int TKorvanaMultiChoice::OptionLeft() const { return tick_box_->x(); }

void TKorvanaMultiChoice::SetChecked(bool on) {
  checked_ = on;
  tick_box_->SetTicked(on);
  Paint(letter_label_, on, CheckedColor);
  Paint(tick_box_, on, CheckedColor);
}

void TKorvanaMultiChoice::SetCorrect(bool on) {
  correct_ = on;
  Paint(letter_label_, on, CorrectColor);
}

void TKorvanaMultiChoice::SetPartsVisible(bool visible) {
  tick_box_->setVisible(visible);
  TKorvanaChoice::SetPartsVisible(visible);
}

TTransparentPanel::TTransparentPanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
}

}  // namespace zidezo::app

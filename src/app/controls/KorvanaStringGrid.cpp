#include "controls/KorvanaStringGrid.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "controls/Colours.h"
#include "controls/Fonts.h"
#include "controls/ForwardedKey.h"

namespace zidezo::app {

namespace {

const QString kEightSpaces = QStringLiteral("        ");

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont BoldOf(QFont font, bool bold = true) {
  font.setBold(bold);
  return font;
}

int Width(const QFont& font, const QString& text) { return QFontMetrics(font).horizontalAdvance(text); }

bool IsPageKey(int key) {
  return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home ||
         key == Qt::Key_Left || key == Qt::Key_Right;
}

}  // namespace

TKorvanaStringGrid::TKorvanaStringGrid(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_NoSystemBackground);
  model_.OnChanged = [this](int col, int row) {
    if (col >= 0 && row >= 0) {
      update(CellRect(col, row));
    } else {
      KeepCurrentVisible();
      update();
    }
  };
}

QObject* TKorvanaStringGrid::Owner() const {
  if (owner_) return owner_.data();
  return parentWidget() != nullptr ? static_cast<QObject*>(window()) : nullptr;
}

int TKorvanaStringGrid::ColLeft(int col) const {
  int x = 0;
  const int line = model_.GridLineWidth();
  for (int c = 0; c < col; ++c) {
    if (c >= model_.FixedCols() && c < left_col_) continue;  // scrolled out
    x += model_.ColWidth(c) + line;
  }
  return x;
}

int TKorvanaStringGrid::RowTop(int row) const {
  int y = 0;
  const int line = model_.GridLineWidth();
  for (int r = 0; r < row; ++r) {
    if (r >= model_.FixedRows() && r < top_row_) continue;
    y += model_.RowHeight(r) + line;
  }
  return y;
}

QRect TKorvanaStringGrid::CellRect(int col, int row) const {
  const bool hidden_col = col >= model_.FixedCols() && col < left_col_;
  const bool hidden_row = row >= model_.FixedRows() && row < top_row_;
  if (col < 0 || row < 0 || col >= model_.ColCount() || row >= model_.RowCount() || hidden_col || hidden_row) {
    return {};
  }
  return {ColLeft(col), RowTop(row), model_.ColWidth(col), model_.RowHeight(row)};
}

QRect TKorvanaStringGrid::TextRect(int col, int row) const {
  return CellRect(col, row).adjusted(kCellMargin, kCellMargin, -kCellMargin, -kCellMargin);
}

QFont TKorvanaStringGrid::CellFont(int col, int row) const {
  const TCellProperty& property = model_.DrawingProperty(col, row);
  if (model_.IsDefaultProperty(property)) {
    QFont font = FaceFont(Q(model_.FontName), model_.FontSize, (model_.FontStyle & fsBold) != 0);
    font.setItalic((model_.FontStyle & fsItalic) != 0);
    return font;
  }
  QFont font = FaceFont(Q(property.FontName()), property.FontSize(), property.Bold());
  font.setItalic((property.FontStyle() & fsItalic) != 0);
  font.setUnderline((property.FontStyle() & fsUnderline) != 0);
  font.setStrikeOut((property.FontStyle() & fsStrikeOut) != 0);
  return font;
}

QFont TKorvanaStringGrid::PhoneticFont(int col, int row) const {
  return FaceFont(kPhoneticFace, CellFont(col, row).pointSize());
}

QColor TKorvanaStringGrid::FontColour(int col, int row) const {
  return ColourOf(model_.DrawingProperty(col, row).FontColour());
}

int TKorvanaStringGrid::TextExtent(int col, int row) const {
  const QFont font = CellFont(col, row);
  return model_.TextExtent(col, row, [&font](const TCellProperty&, std::string_view text) {
    return Width(font, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  });
}

void TKorvanaStringGrid::SetTransparent(bool transparent) {
  model_.Transparent = transparent;
  update();
}

int TKorvanaStringGrid::TextFlags(int col, int row) const {
  switch (model_.DrawingProperty(col, row).HorizontalAlignment) {
    case 1: return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    case 2: return Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    case 3: return Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    default: return Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
  }
}

void TKorvanaStringGrid::PlanText(std::vector<TGridPiece>& plan, int col, int row, const QString& text) const {
  plan.push_back({TGridPiece::kText, TextRect(col, row), text, CellFont(col, row), FontColour(col, row),
                  TextFlags(col, row), false});
}

void TKorvanaStringGrid::PlanBrackets(std::vector<TGridPiece>& plan, int col, int row, QPoint at,
                                      const QString& symbol, QColor pen) const {
  const QFont phonetic = PhoneticFont(col, row);
  const QFontMetrics metrics(phonetic);
  const int right = at.x() + metrics.horizontalAdvance(symbol) + 10;
  const int bottom = at.y() + metrics.height() - 1;
  plan.push_back({TGridPiece::kBrackets, QRect(at, QPoint(right, bottom)), symbol, phonetic, pen, 0, false});
}

std::vector<TGridPiece> TKorvanaStringGrid::PlanCell(int col, int row) const {
  std::vector<TGridPiece> plan;
  const QRect cell = CellRect(col, row);
  if (cell.isEmpty()) return plan;
  if (model_.IsFixed(col, row)) {
    plan.push_back({TGridPiece::kStrip, cell, {}, {}, ColourOf(model_.FixedColour), 0, false});
    PlanText(plan, col, row, Q(model_.Cells(col, row)));
    return plan;
  }
  if (!model_.DefaultDrawing) return plan;
  const TCellProperty& property = model_.DrawingProperty(col, row);
  if (model_.FillBackground && property.BackgroundColour() != model_.Colour) {
    const int extent = std::min(TextExtent(col, row), cell.width());
    plan.push_back({TGridPiece::kStrip, QRect(cell.left(), cell.top(), extent, model_.DefaultRowHeight()), {}, {},
                    ColourOf(property.BackgroundColour()), 0, false});
  }
  QRect rect = TextRect(col, row);
  if (property.VerticalAlignment == 2 || property.VerticalAlignment == 3) {
    const QRect needed = QFontMetrics(CellFont(col, row))
                             .boundingRect(QRect(0, 0, rect.width(), 100000), TextFlags(col, row),
                                           Q(model_.Cells(col, row)));
    const int spare = rect.height() - needed.height();
    if (spare > 0) rect.setTop(rect.top() + (property.VerticalAlignment == 2 ? spare : spare / 2));
  }
  switch (model_.DrawMode) {
    case gdmReverse: PlanReverse(plan, col, row, rect); break;
    case gdmPicture: PlanPicture(plan, col, row, rect); break;
    default: PlanStandard(plan, col, row, rect); break;
  }
  PlanMark(plan, col, row);
  return plan;
}

void TKorvanaStringGrid::PlanStandard(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const {
  const TCellProperty& property = model_.DrawingProperty(col, row);
  if (property.HasPicture) rect.setLeft(rect.left() + property.PictureWidth + 1);
  const auto parts = ParseStandardCellText(model_.Cells(col, row));
  const QFont font = CellFont(col, row);
  const int flags = TextFlags(col, row);
  const QColor colour = FontColour(col, row);
  if (parts.symbol.empty()) {
    plan.push_back({TGridPiece::kText, rect, Q(parts.answer), font, colour, flags, false});
    return;
  }
  // The answer starts after a run of spaces that leaves room for the bracketed symbol.
  const QString symbol = Q(parts.symbol);
  const int room = Width(PhoneticFont(col, row), symbol) + 15;
  QString run;
  while (Width(font, run) < room) run += ' ';
  plan.push_back({TGridPiece::kText, rect, run + Q(parts.answer), font, colour, flags, false});
  PlanBrackets(plan, col, row, rect.topLeft(), symbol, Qt::black);
}

void TKorvanaStringGrid::PlanPicture(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const {
  const auto parts = ParsePictureCellText(model_.Cells(col, row));
  const QFont font = BoldOf(CellFont(col, row), false);
  const int flags = TextFlags(col, row);
  const QColor colour = FontColour(col, row);
  if (parts.word.empty()) {
    plan.push_back({TGridPiece::kText, rect, Q(parts.answer), font, colour, flags, false});
    return;
  }
  const QString word = Q(parts.word);
  const QRect first_line(rect.left(), rect.top(), rect.width(), model_.DefaultRowHeight());
  plan.push_back({TGridPiece::kText, first_line, word, BoldOf(font), colour, flags, false});
  if (!parts.symbol.empty()) {
    PlanBrackets(plan, col, row, QPoint(rect.left() + Width(BoldOf(font), word) + 10, rect.top()), Q(parts.symbol),
                 Qt::black);
  }
  if (!parts.answer.empty()) plan.push_back({TGridPiece::kText, rect, Q(parts.answer), font, colour, flags, false});
}

void TKorvanaStringGrid::PlanReverse(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const {
  const auto parts = ParseReverseCellText(model_.Cells(col, row));
  if (parts.blank) return;
  const QFont regular = BoldOf(CellFont(col, row), false);
  const QFont bold = BoldOf(regular);
  const int flags = TextFlags(col, row);
  const QColor colour = FontColour(col, row);
  const QString prompt = Q(parts.prompt), word = Q(parts.word), symbol = Q(parts.symbol);
  const int sp8 = Width(regular, kEightSpaces);
  const int f = Width(bold, word + kEightSpaces);
  const int e = Width(regular, prompt);
  const int c = rect.width();
  const int line = model_.DefaultRowHeight();
  const auto word_at = [&](int x, int y) {
    plan.push_back({TGridPiece::kText, QRect(x, y, std::max(rect.right() - x + 1, f), line), word, bold, colour,
                    Qt::AlignLeft | Qt::AlignTop, false});
  };
  if (symbol.isEmpty()) {
    QRect narrowed = rect;
    narrowed.setRight(rect.right() - f);
    plan.push_back({TGridPiece::kText, narrowed, prompt, regular, colour, flags, false});
    if (!parts.revealed) return;
    const int narrowed_width = std::max(narrowed.width(), 1);
    if (e / narrowed_width >= 1) {
      word_at(rect.left() + rect.width() - f, rect.top() + (e / narrowed_width) * line);
    } else {
      word_at(rect.left() + e + sp8, rect.top());
    }
    return;
  }
  const int s = Width(regular, symbol);
  if (e + f + s + sp8 < c) {
    plan.push_back({TGridPiece::kText, QRect(rect.left(), rect.top(), e, rect.height()), prompt, regular, colour,
                    flags, false});
    if (!parts.revealed) return;
    word_at(rect.left() + e + sp8, rect.top());
    PlanBrackets(plan, col, row, QPoint(rect.left() + e + f + 6, rect.top()), symbol, colour);
    return;
  }
  QRect pulled = rect;
  pulled.setRight(rect.right() - (std::max(f, s) + sp8));
  plan.push_back({TGridPiece::kText, pulled, prompt, regular, colour, flags, false});
  if (!parts.revealed) return;
  const int d = c - std::max(f, s);
  const int x = e < d ? e + sp8 : d;
  word_at(rect.left() + x, rect.top());
  PlanBrackets(plan, col, row, QPoint(rect.left() + x, rect.top() + line), symbol, colour);
}

void TKorvanaStringGrid::PlanMark(std::vector<TGridPiece>& plan, int col, int row) const {
  if (!model_.ShowMark || col != model_.Col() || row != model_.Row()) return;
  if (!model_.DrawingProperty(col, row).Markable) return;
  const QRect cell = CellRect(col, row);
  if (model_.UnderlineMark) {
    const int length = std::min(TextExtent(col, row), cell.width());
    const bool first_line = model_.FirstLineMark && col == model_.MarkColumn;
    const int y = first_line ? cell.top() + model_.DefaultRowHeight() - 1 : cell.bottom();
    plan.push_back({TGridPiece::kUnderline, QRect(cell.left(), y, length, 1), {}, {},
                    model_.BlackMark ? QColor(Qt::black) : QColor(Qt::white), 0, !model_.BlackMark});
  } else if (col == model_.MarkColumn) {
    plan.push_back({TGridPiece::kFocusFrame, cell, {}, {}, Qt::black, 0, false});
  }
}

void TKorvanaStringGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  if (!model_.Transparent) painter.fillRect(rect(), ColourOf(model_.Colour));
  for (int row = 0; row < model_.RowCount(); ++row) {
    for (int col = 0; col < model_.ColCount(); ++col) {
      const QRect cell = CellRect(col, row);
      if (cell.isEmpty() || !event->region().intersects(cell)) continue;
      painter.save();
      painter.setClipRect(cell);
      for (const auto& piece : PlanCell(col, row)) {
        switch (piece.kind) {
          case TGridPiece::kStrip: painter.fillRect(piece.rect, piece.colour); break;
          case TGridPiece::kText:
            painter.setFont(piece.font);
            painter.setPen(piece.colour);
            painter.drawText(piece.rect, piece.flags, piece.text);
            break;
          case TGridPiece::kBrackets: {
            const int l = piece.rect.left(), t = piece.rect.top(), r = piece.rect.right(), b = piece.rect.bottom();
            painter.setPen(piece.colour);
            painter.drawLine(l, t, l + 3, t);
            painter.drawLine(l, t, l, b - 1);
            painter.drawLine(l, b, l + 3, b);
            painter.drawLine(r, t, r - 3, t);
            painter.drawLine(r, t, r, b - 1);
            painter.drawLine(r, b, r - 3, b);
            painter.setFont(piece.font);
            painter.drawText(piece.rect.translated(5, 0), Qt::AlignLeft | Qt::AlignTop, piece.text);
            break;
          }
          case TGridPiece::kUnderline:
            if (piece.inverting) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(piece.rect, piece.colour);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
          case TGridPiece::kFocusFrame:
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(piece.rect.adjusted(0, 0, -1, -1));
            break;
        }
      }
      painter.restore();
    }
  }
}

void TKorvanaStringGrid::KeepCurrentVisible() {
  const int row = model_.Row();
  if (row >= model_.FixedRows() && row < top_row_) top_row_ = row;
  while (top_row_ < row && RowTop(row) + model_.RowHeight(row) > height() && height() > 0) ++top_row_;
  top_row_ = std::clamp(top_row_, model_.FixedRows(), std::max(model_.RowCount() - 1, model_.FixedRows()));
  left_col_ = std::clamp(left_col_, model_.FixedCols(), std::max(model_.ColCount() - 1, model_.FixedCols()));
}

void TKorvanaStringGrid::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (QObject* owner = Owner(); owner != nullptr && owner != this) {
    QCoreApplication::postEvent(owner, new TForwardedKeyEvent(event->key(), event->modifiers(), event->text()));
  }
  if (IsPageKey(event->key())) return;  // paging is the owner's
  const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
  if (step == 0) return;
  const int row = model_.Row() + step;
  if (row >= model_.FixedRows() && row < model_.RowCount()) model_.FocusCell(model_.Col(), row, true);
}

int TKorvanaStringGrid::CellAt(QPoint point, int& col, int& row) const {
  for (row = 0; row < model_.RowCount(); ++row) {
    for (col = 0; col < model_.ColCount(); ++col) {
      if (CellRect(col, row).contains(point)) return 1;
    }
  }
  return 0;
}

void TKorvanaStringGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  int col = 0, row = 0;
  if (CellAt(event->position().toPoint(), col, row) != 0 && !model_.IsFixed(col, row)) {
    model_.FocusCell(col, row, true);
  }
  QWidget::mousePressEvent(event);
}

}  // namespace zidezo::app

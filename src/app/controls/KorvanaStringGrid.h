#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "reciting/KorvanaGridModel.h"

namespace zidezo::app {

// One thing the grid draws in a cell, in drawing order; planned first so that what is drawn and
// where can be checked without reading pixels.
struct TGridPiece {
  enum Kind { kText, kBrackets, kStrip, kUnderline, kFocusFrame };
  Kind kind = kText;
  QRect rect;     // text: drawing rectangle; brackets: the box (L, T, R, B); strip/frame: area; underline: the line
  QString text;   // text and brackets: what is drawn (brackets: the symbol inside)
  QFont font;
  QColor colour;
  int flags = 0;  // Qt text flags
  bool inverting = false;
};

// The word list grid: draws a TKorvanaGridModel (see-through over the window's backdrop when
// Transparent), marks the current cell by a thin underline, and hands every key-down to its owner
// window as a TForwardedKeyEvent, leaving the page keys to the owner.
class TKorvanaStringGrid : public QWidget {
  Q_OBJECT
 public:
  explicit TKorvanaStringGrid(QWidget* parent = nullptr);

  TKorvanaGridModel& Model() { return model_; }
  const TKorvanaGridModel& Model() const { return model_; }

  // Receives the forwarded key-downs; the parent window when not set.
  void SetOwner(QObject* owner) { owner_ = owner; }
  QObject* Owner() const;

  QRect CellRect(int col, int row) const;
  QRect TextRect(int col, int row) const;
  QFont CellFont(int col, int row) const;
  int TextExtent(int col, int row) const;
  void SetTransparent(bool transparent);
  void FocusCell(int col, int row, bool collapse) { model_.FocusCell(col, row, collapse); }

  std::vector<TGridPiece> PlanCell(int col, int row) const;

  static constexpr int kCellMargin = 2;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void PlanText(std::vector<TGridPiece>& plan, int col, int row, const QString& text) const;
  void PlanStandard(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const;
  void PlanPicture(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const;
  void PlanReverse(std::vector<TGridPiece>& plan, int col, int row, QRect rect) const;
  void PlanBrackets(std::vector<TGridPiece>& plan, int col, int row, QPoint at, const QString& symbol,
                    QColor pen) const;
  void PlanMark(std::vector<TGridPiece>& plan, int col, int row) const;
  int TextFlags(int col, int row) const;
  QFont PhoneticFont(int col, int row) const;
  QColor FontColour(int col, int row) const;
  int ColLeft(int col) const;
  int RowTop(int row) const;
  void KeepCurrentVisible();
  int CellAt(QPoint point, int& col, int& row) const;

  TKorvanaGridModel model_;
  QPointer<QObject> owner_;
  int left_col_ = 1;
  int top_row_ = 1;
};

}  // namespace zidezo::app

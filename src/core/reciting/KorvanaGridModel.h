#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reciting/CellProperty.h"

namespace zidezo {

// The selected rectangle of the grid (the reciting modes read Top as the selected row).
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

// The drawing modes of the cell texts with marks.
enum TGridDrawMode : int { gdmStandard = 0, gdmReverse = 1, gdmPicture = 2 };

// What the word list grid shows, without a screen: the reciting modes write cells, properties,
// selection and mark settings here, and the widget draws them and reports keys back.
class TKorvanaGridModel {
 public:
  TKorvanaGridModel();
  ~TKorvanaGridModel();
  TKorvanaGridModel(const TKorvanaGridModel&) = delete;
  TKorvanaGridModel& operator=(const TKorvanaGridModel&) = delete;

  // Sizes. Index errors throw std::out_of_range("Grid index out of range").
  int ColCount() const { return col_count_; }
  int RowCount() const { return row_count_; }
  int FixedCols() const { return fixed_cols_; }
  int FixedRows() const { return fixed_rows_; }
  void SetColCount(int count);
  void SetRowCount(int count);
  void SetFixedCols(int count);
  void SetFixedRows(int count);
  int DefaultColWidth() const { return default_col_width_; }
  int DefaultRowHeight() const { return default_row_height_; }
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  int ColWidth(int col) const;
  int RowHeight(int row) const;
  // A non-fixed column narrower than 10 (but not 0) gets 10.
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  int GridLineWidth() const { return grid_line_width_; }
  void SetGridLineWidth(int width);

  // Cells; outside the grid reads are empty and writes ignored; a changed text repaints its cell.
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  bool IsFixed(int col, int row) const { return col < fixed_cols_ || row < fixed_rows_; }

  // Properties: the cell's own (created on first use), the column's, the default; and the one drawn.
  TCellProperty& CellProperty(int col, int row);
  TCellProperty& ColumnProperty(int col);
  TCellProperty& DefaultProperty() { return *default_property_; }
  const TCellProperty& DrawingProperty(int col, int row) const;
  bool IsDefaultProperty(const TCellProperty& property) const { return &property == default_property_.get(); }
  void RemoveCellProperty(int col, int row);

  // The current cell and the selection. FocusCell asks CanSelectCell first.
  int Col() const { return col_; }
  int Row() const { return row_; }
  const TGridRect& Selection() const { return selection_; }
  bool FocusCell(int col, int row, bool collapse);
  bool RangeSelect = false;
  std::function<bool(int col, int row)> CanSelectCell;

  // Grid look.
  std::string FontName = "宋体";
  int FontSize = 9;
  TColour FontColour = kBlack;
  int FontStyle = fsNone;
  TColour Colour = kWindowColour;
  TColour FixedColour = kButtonFaceColour;
  bool DefaultDrawing = true;
  int DrawMode = gdmStandard;
  bool FillBackground = true;
  bool ShowMark = true;
  bool UnderlineMark = true;
  bool FirstLineMark = true;
  int MarkColumn = 0;
  bool BlackMark = false;
  bool Transparent = false;

  // The widest text line of the cell (lines trimmed) measured by width + 5; 0x3FFFFFFF for blank.
  using TTextWidth = std::function<int(const TCellProperty& font, std::string_view text)>;
  int TextExtent(int col, int row, const TTextWidth& width) const;
  static constexpr int kNoLimit = 0x3FFFFFFF;

  // Who repaints: one cell (col, row), or everything (-1, -1).
  std::function<void(int col, int row)> OnChanged;
  void Changed(int col = -1, int row = -1) const;

 private:
  void CheckCol(int col) const;
  void CheckRow(int row) const;
  std::unique_ptr<TCellProperty> NewProperty(int col, int row) const;
  void Resize();

  int col_count_ = 5;
  int row_count_ = 5;
  int fixed_cols_ = 1;
  int fixed_rows_ = 1;
  int default_col_width_ = 64;
  int default_row_height_ = 18;
  int grid_line_width_ = 1;
  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  std::map<std::pair<int, int>, std::string> cells_;
  std::map<std::pair<int, int>, std::unique_ptr<TCellProperty>> cell_properties_;
  std::map<int, std::unique_ptr<TCellProperty>> column_properties_;
  std::unique_ptr<TCellProperty> default_property_;
  int col_ = 1;
  int row_ = 1;
  TGridRect selection_{1, 1, 1, 1};
};

// The parts of a cell text with marks, as each drawing mode reads them.
struct TStandardCellText {
  std::string symbol;  // before "$$"
  std::string answer;  // after "$$", or the whole text
};
TStandardCellText ParseStandardCellText(std::string_view text);

struct TPictureCellText {
  std::string word;    // before "##"
  std::string symbol;  // between "##" and "$$"
  std::string answer;  // after "$$", else after "##", else the whole text
};
TPictureCellText ParsePictureCellText(std::string_view text);

struct TReverseCellText {
  bool blank = true;
  std::string prompt;  // before "$$", without a leading "%%%"
  std::string word;    // after "$$", before "{{" or "####"
  std::string symbol;  // between "{{" and "####"
  bool revealed = false;  // the text holds "####"
};
TReverseCellText ParseReverseCellText(std::string_view text);

// Splits at line breaks (CR LF, LF or CR).
std::vector<std::string> SplitCellLines(std::string_view text);

}  // namespace zidezo

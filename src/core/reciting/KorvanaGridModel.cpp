#include "reciting/KorvanaGridModel.h"

#include <algorithm>
#include <stdexcept>

#include "base/Text.h"

namespace zidezo {

namespace {

constexpr const char* kIndexError = "Grid index out of range";

// The text before the first occurrence of mark, and the text after it; found is false without it.
struct TCut {
  std::string_view before;
  std::string_view after;
  bool found = false;
};

TCut CutAt(std::string_view text, std::string_view mark) {
  const auto at = text.find(mark);
  if (at == std::string_view::npos) return {text, {}, false};
  return {text.substr(0, at), text.substr(at + mark.size()), true};
}

}  // namespace

void TCellProperty::Changed() {
  if (grid_ != nullptr) grid_->Changed(col_, row_);
}
void TCellProperty::SetFontName(const std::string& name) {
  font_name_ = name;
  Changed();
}
void TCellProperty::SetFontSize(int size) {
  font_size_ = size;
  Changed();
}
void TCellProperty::SetFontColour(TColour colour) {
  font_colour_ = colour;
  Changed();
}
void TCellProperty::SetBackgroundColour(TColour colour) {
  background_colour_ = colour;
  Changed();
}
void TCellProperty::SetFontStyle(int style) {
  font_style_ = style;
  Changed();
}

TKorvanaGridModel::TKorvanaGridModel() : default_property_(NewProperty(-1, -1)) {}

TKorvanaGridModel::~TKorvanaGridModel() = default;

void TKorvanaGridModel::Changed(int col, int row) const {
  if (OnChanged) OnChanged(col, row);
}

void TKorvanaGridModel::CheckCol(int col) const {
  if (col < 0 || col >= col_count_) throw std::out_of_range(kIndexError);
}

void TKorvanaGridModel::CheckRow(int row) const {
  if (row < 0 || row >= row_count_) throw std::out_of_range(kIndexError);
}

void TKorvanaGridModel::Resize() {
  if (!col_widths_.empty()) col_widths_.resize(static_cast<size_t>(col_count_), default_col_width_);
  if (!row_heights_.empty()) row_heights_.resize(static_cast<size_t>(row_count_), default_row_height_);
  fixed_cols_ = std::min(fixed_cols_, std::max(col_count_ - 1, 0));
  fixed_rows_ = std::min(fixed_rows_, std::max(row_count_ - 1, 0));
  col_ = std::clamp(col_, std::min(fixed_cols_, col_count_ - 1), std::max(col_count_ - 1, 0));
  row_ = std::clamp(row_, std::min(fixed_rows_, row_count_ - 1), std::max(row_count_ - 1, 0));
  selection_ = {col_, row_, col_, row_};
  Changed();
}

void TKorvanaGridModel::SetColCount(int count) {
  col_count_ = std::max(count, 1);
  Resize();
}

void TKorvanaGridModel::SetRowCount(int count) {
  row_count_ = std::max(count, 1);
  Resize();
}

void TKorvanaGridModel::SetFixedCols(int count) {
  if (count < 0 || count >= col_count_) throw std::out_of_range(kIndexError);
  fixed_cols_ = count;
  Resize();
}

void TKorvanaGridModel::SetFixedRows(int count) {
  if (count < 0 || count >= row_count_) throw std::out_of_range(kIndexError);
  fixed_rows_ = count;
  Resize();
}

void TKorvanaGridModel::SetDefaultColWidth(int width) {
  default_col_width_ = width;
  col_widths_.clear();
  Changed();
}

void TKorvanaGridModel::SetDefaultRowHeight(int height) {
  default_row_height_ = height;
  row_heights_.clear();
  Changed();
}

int TKorvanaGridModel::ColWidth(int col) const {
  if (col_widths_.empty() || col < 0 || col >= col_count_) return default_col_width_;
  return col_widths_[static_cast<size_t>(col)];
}

int TKorvanaGridModel::RowHeight(int row) const {
  if (row_heights_.empty() || row < 0 || row >= row_count_) return default_row_height_;
  return row_heights_[static_cast<size_t>(row)];
}

void TKorvanaGridModel::SetColWidth(int col, int width) {
  CheckCol(col);
  if (col >= fixed_cols_ && width >= 1 && width <= 9) width = 10;
  if (col_widths_.empty()) col_widths_.assign(static_cast<size_t>(col_count_), default_col_width_);
  col_widths_[static_cast<size_t>(col)] = width;
  Changed();
}

void TKorvanaGridModel::SetRowHeight(int row, int height) {
  CheckRow(row);
  if (row_heights_.empty()) row_heights_.assign(static_cast<size_t>(row_count_), default_row_height_);
  row_heights_[static_cast<size_t>(row)] = height;
  Changed();
}

void TKorvanaGridModel::SetGridLineWidth(int width) {
  grid_line_width_ = std::max(width, 0);
  Changed();
}

std::string TKorvanaGridModel::Cells(int col, int row) const {
  const auto found = cells_.find({col, row});
  return found == cells_.end() ? std::string() : found->second;
}

void TKorvanaGridModel::SetCells(int col, int row, const std::string& text) {
  if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return;
  auto& stored = cells_[{col, row}];
  // A change of letter case alone is a change too: what is stored is what is drawn.
  if (stored == text) return;
  stored = text;
  Changed(col, row);
}

std::unique_ptr<TCellProperty> TKorvanaGridModel::NewProperty(int col, int row) const {
  auto property = std::make_unique<TCellProperty>();
  property->grid_ = const_cast<TKorvanaGridModel*>(this);
  property->col_ = col;
  property->row_ = row;
  property->font_name_ = FontName;
  property->font_size_ = FontSize;
  property->font_colour_ = FontColour;
  property->font_style_ = FontStyle;
  property->background_colour_ = (col >= 0 && row >= 0 && IsFixed(col, row)) ? FixedColour : Colour;
  property->VerticalAlignment = 1;
  return property;
}

TCellProperty& TKorvanaGridModel::CellProperty(int col, int row) {
  if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) throw std::out_of_range(kIndexError);
  auto& slot = cell_properties_[{col, row}];
  if (!slot) slot = NewProperty(col, row);
  return *slot;
}

TCellProperty& TKorvanaGridModel::ColumnProperty(int col) {
  CheckCol(col);
  auto& slot = column_properties_[col];
  if (!slot) slot = NewProperty(col, -1);
  return *slot;
}

void TKorvanaGridModel::RemoveCellProperty(int col, int row) {
  if (cell_properties_.erase({col, row}) > 0) Changed(col, row);
}

const TCellProperty& TKorvanaGridModel::DrawingProperty(int col, int row) const {
  if (const auto cell = cell_properties_.find({col, row}); cell != cell_properties_.end()) return *cell->second;
  if (const auto column = column_properties_.find(col); column != column_properties_.end()) return *column->second;
  return *default_property_;
}

bool TKorvanaGridModel::FocusCell(int col, int row, bool collapse) {
  if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) throw std::out_of_range(kIndexError);
  if (CanSelectCell && !CanSelectCell(col, row)) return false;
  col_ = col;
  row_ = row;
  if (collapse || !RangeSelect) {
    selection_ = {col, row, col, row};
  } else {
    selection_ = {std::min(selection_.Left, col), std::min(selection_.Top, row), std::max(selection_.Right, col),
                  std::max(selection_.Bottom, row)};
  }
  Changed();
  return true;
}

int TKorvanaGridModel::TextExtent(int col, int row, const TTextWidth& width) const {
  const std::string text = Cells(col, row);
  if (Trim(text).empty()) return kNoLimit;
  const TCellProperty& property = DrawingProperty(col, row);
  int widest = 0;
  for (const auto& line : SplitCellLines(text)) widest = std::max(widest, width(property, Trim(line)));
  return widest + 5;
}

std::vector<std::string> SplitCellLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

TStandardCellText ParseStandardCellText(std::string_view text) {
  const TCut cut = CutAt(text, "$$");
  if (!cut.found) return {"", std::string(text)};
  return {std::string(cut.before), std::string(cut.after)};
}

TPictureCellText ParsePictureCellText(std::string_view text) {
  TPictureCellText parts;
  const TCut word = CutAt(text, "##");
  const TCut answer = CutAt(word.found ? word.after : text, "$$");
  if (word.found) parts.word = std::string(word.before);
  if (word.found && answer.found) parts.symbol = std::string(answer.before);
  if (answer.found) {
    parts.answer = std::string(answer.after);
  } else {
    parts.answer = std::string(word.found ? word.after : text);
  }
  return parts;
}

TReverseCellText ParseReverseCellText(std::string_view raw) {
  TReverseCellText parts;
  const std::string text = Trim(raw);
  if (text.empty()) return parts;
  parts.blank = false;
  parts.revealed = text.find("####") != std::string::npos;
  const TCut prompt = CutAt(text, "$$");
  std::string_view shown = prompt.before;
  if (text.find("%%%") != std::string::npos && shown.starts_with("%%%")) shown.remove_prefix(3);
  parts.prompt = Trim(shown);
  if (prompt.found) {
    const TCut symbol = CutAt(prompt.after, "{{");
    parts.word = Trim(symbol.found ? symbol.before : CutAt(prompt.after, "####").before);
    if (symbol.found) parts.symbol = Trim(CutAt(symbol.after, "####").before);
  }
  return parts;
}

}  // namespace zidezo

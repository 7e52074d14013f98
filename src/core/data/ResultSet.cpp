#include "data/ResultSet.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "base/Text.h"

namespace zidezo {

void TResultSet::MoveBy(int n) {
  long long target = static_cast<long long>(row_) + n;
  if (target < -1) target = -1;
  if (target > row_count_) target = row_count_;
  row_ = static_cast<int>(target);
}

void TResultSet::SetRecNo(int row) {
  row_ = row < 0 ? 0 : row;
  if (row_ > row_count_) row_ = row_count_;
}

int TResultSet::FieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (EqualsNoCase(columns_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

const TResultSet::Cell* TResultSet::CellAt(int field) const {
  if (field < 0 || field >= FieldCount() || row_ < 0 || row_ >= row_count_) return nullptr;
  return &cells_[static_cast<std::size_t>(row_) * columns_.size() + static_cast<std::size_t>(field)];
}

bool TResultSet::IsNullAt(int field) const {
  const Cell* cell = CellAt(field);
  return cell == nullptr || cell->kind == Kind::Null;
}

std::int64_t TResultSet::IntegerAt(int field) const {
  const Cell* cell = CellAt(field);
  if (cell == nullptr) return 0;
  switch (cell->kind) {
    case Kind::Integer: return cell->integer;
    case Kind::Float: return static_cast<std::int64_t>(std::llround(cell->real));
    case Kind::Text: {
      std::int64_t value = 0;
      std::string_view text = TextViewAt(field);
      std::from_chars(text.data(), text.data() + text.size(), value);
      return value;
    }
    default: return 0;
  }
}

double TResultSet::FloatAt(int field) const {
  const Cell* cell = CellAt(field);
  if (cell == nullptr) return 0.0;
  switch (cell->kind) {
    case Kind::Integer: return static_cast<double>(cell->integer);
    case Kind::Float: return cell->real;
    case Kind::Text: {
      std::string text(TextViewAt(field));
      char* end = nullptr;
      double value = std::strtod(text.c_str(), &end);
      return end == text.c_str() ? 0.0 : value;
    }
    default: return 0.0;
  }
}

std::string_view TResultSet::TextViewAt(int field) const {
  const Cell* cell = CellAt(field);
  if (cell == nullptr || (cell->kind != Kind::Text && cell->kind != Kind::Blob)) return {};
  return std::string_view(arena_.data() + cell->offset, cell->size);
}

std::string TResultSet::TextAt(int field) const {
  const Cell* cell = CellAt(field);
  if (cell == nullptr) return {};
  switch (cell->kind) {
    case Kind::Integer: return std::to_string(cell->integer);
    case Kind::Float: {
      char buffer[32];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, cell->real);
      return std::string(buffer, result.ptr);
    }
    case Kind::Text:
    case Kind::Blob: return std::string(TextViewAt(field));
    default: return {};
  }
}

Bytes TResultSet::BlobAt(int field) const {
  std::string_view view = TextViewAt(field);
  return Bytes(view.begin(), view.end());
}

std::size_t TResultSet::MemoryUsage() const {
  return cells_.capacity() * sizeof(Cell) + arena_.capacity();
}

void TResultSet::Reset(std::vector<std::string> columns) {
  columns_ = std::move(columns);
  cells_.clear();
  arena_.clear();
  row_count_ = 0;
  row_ = 0;
}

void TResultSet::AppendNull() { cells_.emplace_back(); }

void TResultSet::AppendInteger(std::int64_t value) {
  Cell& cell = cells_.emplace_back();
  cell.kind = Kind::Integer;
  cell.integer = value;
}

void TResultSet::AppendFloat(double value) {
  Cell& cell = cells_.emplace_back();
  cell.kind = Kind::Float;
  cell.real = value;
}

void TResultSet::AppendText(std::string_view value) {
  Cell& cell = cells_.emplace_back();
  cell.kind = Kind::Text;
  cell.offset = arena_.size();
  cell.size = static_cast<std::uint32_t>(value.size());
  arena_.append(value);
}

void TResultSet::AppendBlob(const void* data, std::size_t size) {
  Cell& cell = cells_.emplace_back();
  cell.kind = Kind::Blob;
  cell.offset = arena_.size();
  cell.size = static_cast<std::uint32_t>(size);
  arena_.append(static_cast<const char*>(data), size);
}

}  // namespace zidezo

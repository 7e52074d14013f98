#include "data/ResultSet.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

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

std::size_t TResultSet::CellIndex(int field) const {
  if (field < 0 || field >= FieldCount() || row_ < 0 || row_ >= row_count_) return SIZE_MAX;
  return static_cast<std::size_t>(row_) * columns_.size() + static_cast<std::size_t>(field);
}

bool TResultSet::IsNullAt(int field) const {
  const std::size_t cell = CellIndex(field);
  return cell == SIZE_MAX || KindAt(cell) == Kind::Null;
}

std::int64_t TResultSet::IntegerAt(int field) const {
  const std::size_t cell = CellIndex(field);
  if (cell == SIZE_MAX) return 0;
  switch (KindAt(cell)) {
    case Kind::Integer: return static_cast<std::int64_t>(values_[cell]);
    case Kind::Float: return static_cast<std::int64_t>(std::llround(FloatAt(field)));
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
  const std::size_t cell = CellIndex(field);
  if (cell == SIZE_MAX) return 0.0;
  switch (KindAt(cell)) {
    case Kind::Integer: return static_cast<double>(static_cast<std::int64_t>(values_[cell]));
    case Kind::Float: {
      double value = 0;
      std::memcpy(&value, &values_[cell], sizeof value);
      return value;
    }
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
  const std::size_t cell = CellIndex(field);
  if (cell == SIZE_MAX || (KindAt(cell) != Kind::Text && KindAt(cell) != Kind::Blob)) return {};
  const std::uint64_t value = values_[cell];
  return std::string_view(arena_.data() + (value & 0xFFFFFFFFu), value >> 32);
}

std::string TResultSet::TextAt(int field) const {
  const std::size_t cell = CellIndex(field);
  if (cell == SIZE_MAX) return {};
  switch (KindAt(cell)) {
    case Kind::Integer: return std::to_string(IntegerAt(field));
    case Kind::Float: {
      char buffer[32];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, FloatAt(field));
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
  return kinds_.capacity() + values_.capacity() * sizeof(std::uint64_t) + arena_.capacity();
}

void TResultSet::Reset(std::vector<std::string> columns) {
  columns_ = std::move(columns);
  kinds_.clear();
  values_.clear();
  arena_.clear();
  row_count_ = 0;
  row_ = 0;
}

void TResultSet::Compact() {
  kinds_.shrink_to_fit();
  values_.shrink_to_fit();
  arena_.shrink_to_fit();
}

void TResultSet::AppendCell(Kind kind, std::uint64_t value) {
  kinds_.push_back(static_cast<std::uint8_t>(kind));
  values_.push_back(value);
}

void TResultSet::AppendBytes(Kind kind, const char* data, std::size_t size) {
  if (arena_.size() > 0xFFFFFFFFu - size) throw std::length_error("result too large");
  AppendCell(kind, static_cast<std::uint64_t>(arena_.size()) | (static_cast<std::uint64_t>(size) << 32));
  arena_.append(data, size);
}

void TResultSet::AppendNull() { AppendCell(Kind::Null, 0); }

void TResultSet::AppendInteger(std::int64_t value) { AppendCell(Kind::Integer, static_cast<std::uint64_t>(value)); }

void TResultSet::AppendFloat(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  AppendCell(Kind::Float, bits);
}

void TResultSet::AppendText(std::string_view value) { AppendBytes(Kind::Text, value.data(), value.size()); }

void TResultSet::AppendBlob(const void* data, std::size_t size) {
  AppendBytes(Kind::Blob, static_cast<const char*>(data), size);
}

}  // namespace zidezo

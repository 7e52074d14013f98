#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bytes.h"

namespace zidezo {

// A snapshot of a query's rows, read by field name without regard to letter case.
// Writes made while it is open do not change it. NULL reads as 0 or empty.
// Cells are packed (16 bytes each, texts in one arena) so large selections stay small.
class TResultSet {
 public:
  TResultSet() = default;

  // Navigation: the cursor starts on the first row.
  int RowCount() const { return row_count_; }
  bool Eof() const { return row_ >= row_count_; }
  bool Bof() const { return row_ < 0 || row_count_ == 0; }
  bool IsEmpty() const { return row_count_ == 0; }
  void First() { row_ = 0; }
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  void Last() { row_ = row_count_ > 0 ? row_count_ - 1 : 0; }
  // Moves n rows; the cursor stops before the first row or after the last.
  void MoveBy(int n);
  // The current row number, 0-based.
  int RecNo() const { return row_; }
  void SetRecNo(int row);

  // Fields.
  int FieldCount() const { return static_cast<int>(columns_.size()); }
  const std::string& FieldName(int index) const { return columns_[index]; }
  // -1 when there is no such field.
  int FieldIndex(std::string_view name) const;
  bool HasField(std::string_view name) const { return FieldIndex(name) >= 0; }

  // Getters of the current row. An unknown field name or a cursor outside the rows reads as NULL.
  bool IsNull(std::string_view name) const { return IsNullAt(FieldIndex(name)); }
  std::int64_t AsInteger(std::string_view name) const { return IntegerAt(FieldIndex(name)); }
  int AsInt(std::string_view name) const { return static_cast<int>(AsInteger(name)); }
  double AsFloat(std::string_view name) const { return FloatAt(FieldIndex(name)); }
  std::string AsText(std::string_view name) const { return TextAt(FieldIndex(name)); }
  Bytes AsBlob(std::string_view name) const { return BlobAt(FieldIndex(name)); }

  bool IsNullAt(int field) const;
  std::int64_t IntegerAt(int field) const;
  double FloatAt(int field) const;
  std::string TextAt(int field) const;
  std::string_view TextViewAt(int field) const;
  Bytes BlobAt(int field) const;

  // Memory held by the snapshot, in bytes (cells and texts).
  std::size_t MemoryUsage() const;

  // Building (the channel fills a snapshot row by row).
  void Reset(std::vector<std::string> columns);
  void AppendNull();
  void AppendInteger(std::int64_t value);
  void AppendFloat(double value);
  void AppendText(std::string_view value);
  void AppendBlob(const void* data, std::size_t size);
  void FinishRow() { ++row_count_; }
  // Releases the spare capacity left by building.
  void Compact();

 private:
  enum class Kind : std::uint8_t { Null, Integer, Float, Text, Blob };
  // Each cell is a kind byte plus 8 value bytes: an integer, a double's bits, or a text's
  // arena offset (low 32 bits) and size (high 32 bits).
  std::size_t CellIndex(int field) const;  // SIZE_MAX when outside the rows or fields
  Kind KindAt(std::size_t cell) const { return static_cast<Kind>(kinds_[cell]); }
  void AppendCell(Kind kind, std::uint64_t value);
  void AppendBytes(Kind kind, const char* data, std::size_t size);

  std::vector<std::string> columns_;
  std::vector<std::uint8_t> kinds_;
  std::vector<std::uint64_t> values_;
  std::string arena_;
  int row_count_ = 0;
  int row_ = 0;
};

}  // namespace zidezo

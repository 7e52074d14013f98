#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "base/Bytes.h"

namespace zidezo {

// A stream that delivered or took fewer bytes than asked.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A byte stream with a position, as the enciphering helpers read and write it.
class TStream {
 public:
  virtual ~TStream() = default;

  // Read and Write move the position and return how many bytes they moved.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const std::uint8_t* buffer, std::size_t count) = 0;
  virtual std::size_t Size() const = 0;
  virtual std::size_t Position() const = 0;
  // Positions past the end are clamped to the end.
  virtual void Seek(std::size_t position) = 0;

  std::size_t Remaining() const { return Size() - Position(); }

  // All or nothing: throw "Stream read error" / "Stream write error" when short.
  void ReadBuffer(std::uint8_t* buffer, std::size_t count);
  Bytes ReadBytes(std::size_t count);
  void WriteBuffer(const std::uint8_t* buffer, std::size_t count);
  void WriteBytes(const Bytes& bytes) { WriteBuffer(bytes.data(), bytes.size()); }
};

// Bytes in memory; writing past the end grows them.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(Bytes bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::size_t Write(const std::uint8_t* buffer, std::size_t count) override;
  std::size_t Size() const override { return bytes_.size(); }
  std::size_t Position() const override { return position_; }
  void Seek(std::size_t position) override;

  const Bytes& Data() const { return bytes_; }

 private:
  Bytes bytes_;
  std::size_t position_ = 0;
};

}  // namespace zidezo

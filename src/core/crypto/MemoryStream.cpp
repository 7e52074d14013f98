#include "crypto/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace zidezo {

void TStream::ReadBuffer(std::uint8_t* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

Bytes TStream::ReadBytes(std::size_t count) {
  Bytes bytes(count);
  ReadBuffer(bytes.data(), count);
  return bytes;
}

void TStream::WriteBuffer(const std::uint8_t* buffer, std::size_t count) {
  if (Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::size_t TMemoryStream::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t taken = std::min(count, Remaining());
  if (taken > 0) std::memcpy(buffer, bytes_.data() + position_, taken);
  position_ += taken;
  return taken;
}

std::size_t TMemoryStream::Write(const std::uint8_t* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

void TMemoryStream::Seek(std::size_t position) { position_ = std::min(position, bytes_.size()); }

}  // namespace zidezo

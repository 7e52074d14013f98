#include "crypto/CompressedBlob.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace zidezo {
namespace {

constexpr std::size_t kLengthBytes = 4;
constexpr std::size_t kChunk = 64 * 1024;
// Deflate cannot expand better than about 1032:1, so a truthful stream never needs more.
constexpr std::size_t kMaxInflateRatio = 1032;

std::uint32_t ReadLength(std::span<const std::uint8_t> blob) {
  std::uint32_t length = 0;
  for (std::size_t i = kLengthBytes; i-- > 0;) length = (length << 8) | blob[i];
  return length;
}

void WriteLength(Bytes& blob, std::uint32_t length) {
  for (std::size_t i = 0; i < kLengthBytes; ++i) blob[i] = static_cast<std::uint8_t>(length >> (8 * i));
}

[[noreturn]] void Damaged(const std::string& what) { throw EBlobError("压缩数据已损坏：" + what); }

// One inflate run; ends the zlib state however the run leaves.
class Inflater {
 public:
  explicit Inflater(std::span<const std::uint8_t> stream) {
    if (inflateInit(&z_) != Z_OK) throw EBlobError("zlib 初始化失败");
    z_.next_in = const_cast<Bytef*>(stream.data());
    z_.avail_in = static_cast<uInt>(stream.size());
  }
  ~Inflater() { inflateEnd(&z_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Fills the chunk; returns zlib's status and how many bytes came out.
  int Step(std::uint8_t* chunk, std::size_t size, std::size_t& produced) {
    z_.next_out = chunk;
    z_.avail_out = static_cast<uInt>(size);
    const int status = inflate(&z_, Z_NO_FLUSH);
    produced = size - z_.avail_out;
    return status;
  }
  std::size_t InputLeft() const { return z_.avail_in; }
  std::string Message() const { return z_.msg != nullptr ? z_.msg : "invalid stream"; }

 private:
  z_stream z_{};
};

// Inflates the stream, growing the output as it comes and never beyond the stated length.
Bytes Inflate(std::span<const std::uint8_t> stream, std::size_t stated) {
  Inflater inflater(stream);
  Bytes output;
  output.reserve(std::min(stated, stream.size() * kMaxInflateRatio + kChunk));
  std::vector<std::uint8_t> chunk(kChunk);
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    std::size_t produced = 0;
    status = inflater.Step(chunk.data(), chunk.size(), produced);
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
      Damaged("zlib 流无效（" + inflater.Message() + "）");
    }
    if (output.size() + produced > stated) {
      Damaged("解压后的数据比记录的长度 " + std::to_string(stated) + " 字节更长");
    }
    output.insert(output.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(produced));
    if (status == Z_BUF_ERROR || (status == Z_OK && produced == 0 && inflater.InputLeft() == 0)) {
      Damaged("zlib 流被截断");
    }
  }
  if (inflater.InputLeft() != 0) Damaged("zlib 流之后还有 " + std::to_string(inflater.InputLeft()) + " 个多余字节");
  if (output.size() != stated) {
    Damaged("记录的长度为 " + std::to_string(stated) + " 字节，实际解压出 " + std::to_string(output.size()) + " 字节");
  }
  return output;
}

}  // namespace

Bytes PackBlob(std::span<const std::uint8_t> payload) {
  if (payload.size() > kMaxBlobPayload) {
    throw EBlobError("数据过大，无法压缩保存：" + std::to_string(payload.size()) + " 字节");
  }
  uLongf packedSize = compressBound(static_cast<uLong>(payload.size()));
  Bytes blob(kLengthBytes + packedSize);
  WriteLength(blob, static_cast<std::uint32_t>(payload.size()));
  const int status = compress2(blob.data() + kLengthBytes, &packedSize, payload.data(),
                               static_cast<uLong>(payload.size()), Z_BEST_COMPRESSION);
  if (status != Z_OK) throw EBlobError("zlib 压缩失败（错误 " + std::to_string(status) + "）");
  blob.resize(kLengthBytes + packedSize);
  return blob;
}

Bytes UnpackBlob(std::span<const std::uint8_t> blob) {
  if (blob.size() < kLengthBytes) Damaged("只有 " + std::to_string(blob.size()) + " 个字节，缺少长度");
  const std::size_t stated = ReadLength(blob);
  if (stated > kMaxBlobPayload) Damaged("记录的长度 " + std::to_string(stated) + " 字节超出上限");
  const auto stream = blob.subspan(kLengthBytes);
  if (stream.size() > std::numeric_limits<uInt>::max()) Damaged("数据过大");
  return Inflate(stream, stated);
}

}  // namespace zidezo

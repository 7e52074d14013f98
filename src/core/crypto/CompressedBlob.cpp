#include "crypto/CompressedBlob.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <string>

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

// Inflates the stream, growing the output as it comes and never beyond the stated length.
Bytes Inflate(std::span<const std::uint8_t> stream, std::size_t stated) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EBlobError("zlib 初始化失败");
  Bytes output;
  output.reserve(std::min(stated, stream.size() * kMaxInflateRatio + kChunk));
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  int status = Z_OK;
  std::uint8_t chunk[kChunk];
  while (status != Z_STREAM_END) {
    z.next_out = chunk;
    z.avail_out = kChunk;
    status = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = kChunk - z.avail_out;
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
      const std::string message = z.msg != nullptr ? z.msg : "invalid stream";
      inflateEnd(&z);
      Damaged("zlib 流无效（" + message + "）");
    }
    if (output.size() + produced > stated) {
      inflateEnd(&z);
      Damaged("解压后的数据比记录的长度 " + std::to_string(stated) + " 字节更长");
    }
    output.insert(output.end(), chunk, chunk + produced);
    if (status == Z_BUF_ERROR || (status == Z_OK && produced == 0 && z.avail_in == 0)) {
      inflateEnd(&z);
      Damaged("zlib 流被截断");
    }
  }
  const uInt trailing = z.avail_in;
  inflateEnd(&z);
  if (trailing != 0) Damaged("zlib 流之后还有 " + std::to_string(trailing) + " 个多余字节");
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

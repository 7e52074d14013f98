#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "base/Bytes.h"

namespace zidezo {

// A blob that is truncated, corrupt, states a wrong or absurd length, or carries trailing bytes.
class EBlobError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest payload a blob may hold; larger stated lengths are taken as damage.
inline constexpr std::size_t kMaxBlobPayload = std::size_t{256} * 1024 * 1024;

// A 4-byte little-endian length of the payload followed by one zlib stream at level 9.
Bytes PackBlob(std::span<const std::uint8_t> payload);
// The payload of a packed blob; throws EBlobError for any damage, never allocates more than
// the stream really delivers.
Bytes UnpackBlob(std::span<const std::uint8_t> blob);

}  // namespace zidezo

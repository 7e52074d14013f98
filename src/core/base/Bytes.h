#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zidezo {

// Raw bytes: blobs, cipher blocks, compressed streams.
using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline std::string ToText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace zidezo

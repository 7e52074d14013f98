#pragma once

#include <filesystem>
#include <string>

namespace zidezo {

// The whole content of a file as bytes; throws std::runtime_error naming the file when it
// cannot be read.
std::string ReadWholeFile(const std::filesystem::path& file);

}  // namespace zidezo

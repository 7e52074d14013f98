#include "base/Files.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zidezo {

std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw std::runtime_error("无法读取文件 " + file.string());
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

}  // namespace zidezo

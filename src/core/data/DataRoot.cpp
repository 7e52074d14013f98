#include "data/DataRoot.h"

#include <cstdlib>

namespace zidezo {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

std::filesystem::path ResolveDataRoot(const std::string& given) {
  if (!given.empty()) return given;
  if (auto home = Environment("ZIDEZO_HOME"); !home.empty()) return home;
  if (auto xdg = Environment("XDG_DATA_HOME"); !xdg.empty()) return std::filesystem::path(xdg) / "zidezo";
  return std::filesystem::path(Environment("HOME")) / ".local/share/zidezo";
}

std::filesystem::path ReferenceDataDir() {
  if (auto overridden = Environment("ZIDEZO_DATA_DIR"); !overridden.empty()) return overridden;
  return ZIDEZO_SOURCE_DATA_DIR;
}

}  // namespace zidezo

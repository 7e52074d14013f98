#include "data/SqlValue.h"

namespace zidezo {

std::string Placeholders(std::size_t count) {
  if (count == 0) return "-1";
  std::string text = "?";
  for (std::size_t i = 1; i < count; ++i) text += ",?";
  return text;
}

SqlParams InListParams(const std::vector<int>& numbers) {
  SqlParams params;
  params.reserve(numbers.size() + 1);
  params.emplace_back(std::int64_t{-1});
  for (int number : numbers) params.emplace_back(std::int64_t{number});
  return params;
}

std::string InListPlaceholders(const std::vector<int>& numbers) { return Placeholders(numbers.size() + 1); }

}  // namespace zidezo

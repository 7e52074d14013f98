#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zidezo {

// Case-insensitive comparison of ASCII letters; other bytes (UTF-8 Chinese) compare exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool LessNoCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Removes spaces, tabs, line ends and zero bytes at both ends.
std::string Trim(std::string_view text);

std::vector<std::string> Split(std::string_view text, char separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// Replaces each "%d" or "%s" of a message template in order by the given values.
std::string FormatMessage(std::string_view pattern, const std::vector<std::string>& values);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

struct NoCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return LessNoCase(a, b); }
};

}  // namespace zidezo

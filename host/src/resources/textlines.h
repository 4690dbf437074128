// Line splitting and number parsing shared by the resource parsers.
#pragma once

#include <charconv>
#include <string_view>

namespace host::textlines {

// Calls onLine(lineNumber, line) for each line without its end ("\n" or "\r\n"); a leading UTF-8 byte
// order mark is skipped. Stops early and returns false when onLine does.
template <typename OnLine>
bool ForEachLine(std::string_view text, OnLine onLine) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!onLine(++number, line)) return false;
  }
  return true;
}

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

inline std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// True for an empty line, a blank one or a "#" comment.
inline bool IsSkipped(std::string_view line) {
  line = TrimLeft(line);
  return line.empty() || line.front() == '#';
}

// The whole text must be the number.
template <typename T>
bool ParseNumber(std::string_view text, T* out) {
  if (text.empty()) return false;
  const char* begin = text.data();
  if (*begin == '+' && text.size() > 1 && text[1] != '-') ++begin;
  auto [ptr, ec] = std::from_chars(begin, text.data() + text.size(), *out);
  return ec == std::errc() && ptr == text.data() + text.size();
}

}  // namespace host::textlines

#pragma once
// Byte-string helpers shared by every stage. Values are byte strings: UTF-8
// passes through untouched, and case folding touches only A-Z and a-z.

#include <string>
#include <string_view>

namespace docbase {

inline char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline std::string lower_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = lower_ascii(c);
  return result;
}

inline bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// 1-based position of the first occurrence of part in text, 0 when absent.
inline std::size_t position_of(std::string_view text, std::string_view part) {
  std::size_t at = text.find(part);
  return at == std::string_view::npos ? 0 : at + 1;
}

// Blanks are byte 32 only.
inline std::string_view trim_blanks(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

inline std::string_view trim_trailing_blanks(std::string_view text) {
  std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// Byte order: bytes compared as unsigned values, a proper prefix first. This is
// the order of std::string_view comparison, named here so that callers say
// which order they mean.
inline bool byte_less(std::string_view a, std::string_view b) { return a < b; }

bool equal_ignoring_case(std::string_view a, std::string_view b);

// The number at the start of text after leading blanks (an optional sign, then
// digits); 0 when there is none. Saturates instead of overflowing.
long long leading_number(std::string_view text);

}  // namespace docbase

#include "records/text.h"

#include <limits>

namespace docbase {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
  return true;
}

long long leading_number(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  constexpr long long limit = std::numeric_limits<long long>::max() / 10 - 10;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < limit) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

}  // namespace docbase

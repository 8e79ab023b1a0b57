#include "gui/number_text.h"

#include <algorithm>
#include <climits>

namespace vorlane {

int LeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Saturates just past the 32-bit range, so no count of digits overflows.
  constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(kCap, value * 10 + (text[i] - '0'));
  return static_cast<int>(std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX));
}

int AddClamped(int value, int delta) {
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) + delta, INT_MIN,
                                                INT_MAX));
}

}  // namespace vorlane

// The program's one rule for reading a number out of text (number fields,
// attributes, preference values): the leading decimal integer, optionally
// signed, after leading blanks; text that is not a number gives 0; values
// beyond 32 bits are clamped rather than wrapped.
#pragma once

#include <string_view>

namespace vorlane {

int LeadingInt(std::string_view text);

// value + delta, stopping at the ends of the int range instead of wrapping.
int AddClamped(int value, int delta);

}  // namespace vorlane

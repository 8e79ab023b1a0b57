// What a code window decides about the syntax check of its script: when a
// check is due, which line it marks and what its help line says. Kept apart
// from the widgets so that tests make these decisions without a window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "generate/script_check.h"

namespace vorlane {

// "Line 3: Unexpected ';'"
std::string SyntaxErrorText(const SyntaxError& error);

// The help line shows the error while there is one, else what it shows anyway.
std::string HelpLineText(const std::optional<SyntaxError>& error, const std::string& usual);

// The 0-based editor line that marks `error` in a text of `line_count`
// lines, or -1 for none. The parser may place an unfinished block after the
// last line; the last line is marked then.
int MarkedLine(const std::optional<SyntaxError>& error, int line_count);

// Runs a check only for a script (code and parameters) it has not checked
// last, since a check parses the whole text.
class SyntaxWatch {
 public:
  using Check =
      std::function<std::optional<SyntaxError>(std::string_view code, std::string_view params)>;
  explicit SyntaxWatch(Check check) : check_(std::move(check)) {}

  // Checks unless this is what was checked last. True when the error
  // appeared, went or changed.
  bool Update(const std::string& code, const std::string& params);
  const std::optional<SyntaxError>& error() const { return error_; }

 private:
  Check check_;
  std::optional<std::pair<std::string, std::string>> checked_;
  std::optional<SyntaxError> error_;
};

}  // namespace vorlane

#include "code/syntax_watch.h"

#include <algorithm>

namespace vorlane {

std::string SyntaxErrorText(const SyntaxError& error) {
  return "Line " + std::to_string(error.line) + ": " + error.message;
}

std::string HelpLineText(const std::optional<SyntaxError>& error, const std::string& usual) {
  return error ? SyntaxErrorText(*error) : usual;
}

int MarkedLine(const std::optional<SyntaxError>& error, int line_count) {
  if (!error || line_count <= 0) return -1;
  return std::clamp(error->line - 1, 0, line_count - 1);
}

bool SyntaxWatch::Update(const std::string& code, const std::string& params) {
  if (checked_ && checked_->first == code && checked_->second == params) return false;
  checked_.emplace(code, params);
  std::optional<SyntaxError> error = check_(code, params);
  const bool same = error.has_value() == error_.has_value() &&
                    (!error || (error->line == error_->line && error->message == error_->message));
  error_ = std::move(error);
  return !same;
}

}  // namespace vorlane

#include "editors/font_edits.h"

#include <charconv>

#include "project/rename.h"

namespace vorlane {

int FontSizeOf(const std::string& text) {
  int size = 0;
  const char* end = text.data() + text.size();
  // from_chars refuses a value too large for int instead of wrapping round.
  const auto [stop, error] = std::from_chars(text.data(), end, size);
  if (error != std::errc() || stop != end || size < 1) return 0;
  return size;
}

std::vector<std::string> StoreFont(Project& project, int index, const FontFields& fields) {
  SetModified(project, 1);
  if (fields.name.empty()) return {CheckResourceName(project, ResourceKind::Font, "", index)};
  std::vector<std::string> errors;
  if (std::string error = CheckResourceName(project, ResourceKind::Font, fields.name, index);
      error.empty())
    RenameResource(project, ResourceKind::Font, index, fields.name);
  else
    errors.push_back(error);
  const int size = FontSizeOf(fields.size);
  if (size < 1) errors.push_back("The font size '" + fields.size + "' is invalid");
  if (!errors.empty()) return errors;
  Font& font = project.fonts.at(index);
  font.family = fields.family;
  font.size = size;
  font.bold = fields.bold ? 1 : 0;
  font.italic = fields.italic ? 1 : 0;
  return {};
}

}  // namespace vorlane

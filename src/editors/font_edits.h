// What the font dialog's "Done" checks and stores.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The dialog's fields as typed.
struct FontFields {
  std::string name;
  std::string family;
  std::string size;  // the digits field's text
  bool bold = false;
  bool italic = false;
};

// The size typed, or 0 when the text is not a number from 1 up to the
// largest int (empty, "0", other characters, too large).
int FontSizeOf(const std::string& text);

// "Done" for font `index`. Marks the project modified. A missing name is
// the only message (the size is then not looked at); a valid name is stored
// at once, even when the size is then refused; a size below 1 gives "The
// font size '<text>' is invalid". Only without any message are the family,
// size, bold and italic stored. Returns the messages for "Error" boxes.
std::vector<std::string> StoreFont(Project& project, int index, const FontFields& fields);

}  // namespace vorlane

// Text crosses into Qt as UTF-8: the program's strings are std::string.
#pragma once

#include <QString>
#include <string_view>

namespace vorlane {

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vorlane

// Small helpers shared by the emitters: every piece of generated code is
// appended to one growing text.
#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <type_traits>

namespace vorlane::emit {

// Generated JavaScript always breaks lines with CR LF.
inline constexpr std::string_view kNL = "\r\n";

// Plain decimal, "-" for negatives.
template <typename Integer>
void AppendInt(std::string& out, Integer value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// Several pieces in a row; numbers are written as decimals.
template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
  const auto one = [&out](const auto& piece) {
    using Piece = std::decay_t<decltype(piece)>;
    if constexpr (std::is_integral_v<Piece> && !std::is_same_v<Piece, char>)
      AppendInt(out, piece);
    else
      out += piece;
  };
  (one(pieces), ...);
}

// A name, or the bare word null when it is empty (no parent, sprite, ...).
inline std::string_view OrNull(const std::string& name) {
  return name.empty() ? std::string_view("null") : std::string_view(name);
}

}  // namespace vorlane::emit

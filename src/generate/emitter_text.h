// Small helpers shared by the emitters: every piece of generated code is
// appended to one growing text.
#pragma once

#include <charconv>
#include <string>
#include <unordered_set>
#include <string_view>
#include <type_traits>

#include "gui/text_lines.h"
#include "project/safe_name.h"

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

// `text` as it may stand between single quotes in JavaScript: quotes,
// backslashes and line breaks escaped, so that a file name like don't.wav
// cannot end the string early and stop the whole game.
inline std::string JsText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::string_view rest = text.substr(i, 3);
    if (c == '\'' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20) {
      Append(out, "\\x", kHex[c >> 4], kHex[c & 15]);
    } else if (rest == "\u2028" || rest == "\u2029") {
      // Line separators that older browsers do not take inside a string.
      Append(out, rest == "\u2028" ? "\\u2028" : "\\u2029");
      i += 2;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// A name, or the bare word null when it is empty (no parent, sprite, ...).
inline std::string_view OrNull(const std::string& name) {
  return name.empty() ? std::string_view("null") : std::string_view(name);
}

// Saving writes only media files with plain names; any other file the game
// asked for would be missing, so it is left out as if it had been deleted.
inline bool KeptMedia(std::string_view file) { return !file.empty() && IsPlainFileName(file); }

// The names the generated game defines as variables. The project may still
// refer to a resource that was deleted (a parent, a view object, a collision
// partner); such a name would stop the whole game with a reference error,
// so it is written as null, or its code left out, as a missing name means
// "none" everywhere else.
struct DefinedNames {
  std::unordered_set<std::string_view> objects;
  std::unordered_set<std::string_view> sprites;
  std::unordered_set<std::string_view> backgrounds;  // those with a picture

  template <typename ProjectT>
  explicit DefinedNames(const ProjectT& project) {
    for (const auto& o : project.objects)
      if (o.prototype == 1) objects.insert(o.name);
    for (const auto& s : project.sprites) sprites.insert(s.name);
    for (const auto& b : project.backgrounds)
      if (KeptMedia(b.file)) backgrounds.insert(b.name);
  }
  static std::string_view Known(const std::unordered_set<std::string_view>& names,
                                const std::string& name) {
    return names.count(name) ? OrNull(name) : std::string_view("null");
  }
};

}  // namespace vorlane::emit

#include "project/js_name.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <array>

namespace vorlane {
namespace {

// Unicode's ID_Start: letters and letter numbers, and a few symbols kept
// for compatibility; less a tilde that counts as syntax.
bool IdStart(char32_t c) {
  if (c == '$' || c == '_') return true;
  switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_Letter: return c != 0x2E2F;
    default:
      return c == 0x1885 || c == 0x1886 || c == 0x2118 || c == 0x212E || c == 0x309B || c == 0x309C;
  }
}

// ID_Continue adds digits, combining marks and connectors; JavaScript adds
// the zero-width joiners.
bool IdPart(char32_t c) {
  if (IdStart(c) || c == 0x200C || c == 0x200D) return true;
  switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Number_DecimalDigit:
    case QChar::Punctuation_Connector: return true;
    default: return c == 0x00B7 || c == 0x0387 || (c >= 0x1369 && c <= 0x1371) || c == 0x19DA;
  }
}

// JavaScript's reserved words (strict code's too), the globals a resource
// variable could not replace (undefined, NaN, Infinity), and the names
// event code needs as they are (eval, arguments).
constexpr std::array<std::string_view, 51> kKeptWords = {
    "await",     "break",  "case",     "catch",  "class",      "const",   "continue",  "debugger",
    "default",   "delete", "do",       "else",   "enum",       "export",  "extends",   "false",
    "finally",   "for",    "function", "if",     "implements", "import",  "in",        "instanceof",
    "interface", "let",    "new",      "null",   "package",    "private", "protected", "public",
    "return",    "static", "super",    "switch", "this",       "throw",   "true",      "try",
    "typeof",    "var",    "void",     "while",  "with",       "yield",   "undefined", "NaN",
    "Infinity",  "eval",   "arguments"};

}  // namespace

std::string JsNameProblem(std::string_view name) {
  const std::u32string chars =
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toStdU32String();
  const bool identifier = !chars.empty() && IdStart(chars.front()) &&
                          std::all_of(chars.begin() + 1, chars.end(), IdPart);
  if (!identifier) return "use letters, digits and _, not starting with a digit";
  if (std::find(kKeptWords.begin(), kKeptWords.end(), name) != kKeptWords.end())
    return "it is a word JavaScript keeps for itself";
  return "";
}

std::string CheckJsName(std::string_view kind_word, std::string_view name) {
  const std::string problem = JsNameProblem(name);
  if (problem.empty()) return "";
  return "The " + std::string(kind_word) + " name '" + std::string(name) +
         "' is not a valid name: " + problem;
}

}  // namespace vorlane

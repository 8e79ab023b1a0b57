// The manual's engine reference page (manual/reference.html), written from the
// keyword list at build time by vorlane-make-reference: every function,
// variable and constant of keywords.dat with its help lines, grouped by theme.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "code/keyword_list.h"

namespace vorlane {

struct ReferenceTheme {
  std::string id;     // the page anchor, e.g. "drawing"
  std::string title;  // the heading, e.g. "Drawing and colours"
  std::string intro;  // one sentence under the heading
  // A page of the manual that shows more, linked after the sentence.
  std::string see_page = "";
  std::string see_title = "";
};

// The themes in the order the page shows them; the last one, "other", takes
// every name no other theme claims.
const std::vector<ReferenceTheme>& ReferenceThemes();

// The id of the theme `name` belongs to, decided by its name (its prefix, or
// the name itself for the few that have none).
std::string ThemeOf(std::string_view name);

// The page anchor of a keyword: "kw-" and its name.
std::string KeywordAnchor(std::string_view name);

// Text made safe for HTML: & < > " become entities, bytes past ASCII are read
// as Latin-1 (as the engine's files are) and written as character references.
std::string HtmlText(std::string_view text);

// The whole page: a list of themes, one section per theme (functions, then
// variables, then constants, each in the file's order) and an A-Z index.
std::string ReferencePage(const KeywordList& keywords);

}  // namespace vorlane

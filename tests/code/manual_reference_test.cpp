#include "code/manual_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "code/keyword_list.h"
#include "generate/golden.h"
#include "gui/file_util.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

// What follows `mark` up to the next quote, for each place `mark` stands in `page`.
Strings Quoted(const std::string& page, const std::string& mark) {
  Strings found;
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) {
    const size_t start = at + mark.size();
    found.push_back(page.substr(start, page.find('"', start) - start));
  }
  return found;
}

// A prefix takes longer names only; whole names win over prefixes; what no
// theme claims is "other", the last theme.
TEST(ManualReferenceTest, ThemesByName) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"instance_create", "instances"}, {"x", "instances"},           {"image_alpha", "sprites"},
      {"string_width", "drawing"},      {"string", "other"},          {"c_red", "drawing"},
      {"vk_left", "input"},             {"ord", "input"},             {"music_stop", "sound"},
      {"room", "scenes"},               {"room_goto_next", "scenes"}, {"irandom_range", "math"},
      {"alarm_set", "alarms"},          {"draw_", "other"},           {"xylophone", "other"},
      {"", "other"}};
  // clang-format on
  for (const auto& [name, theme] : cases) EXPECT_EQ(ThemeOf(name), theme) << name;
  EXPECT_EQ(ReferenceThemes().back().id, "other");
}

TEST(ManualReferenceTest, HtmlTextEscapesAndDropsControlCharactersButTabs) {
  EXPECT_EQ(HtmlText("a < b && c > \"d\""), "a &lt; b &amp;&amp; c &gt; &quot;d&quot;");
  EXPECT_EQ(HtmlText("caf\xE9"), "caf&#233;");
  EXPECT_EQ(HtmlText("one\rtwo\x01\tthree"), "onetwo\tthree");
}

// Themes in order, functions before variables before constants, empty themes
// left out, one anchor for a name listed twice, a bare name as the first help
// line not repeated: byte for byte as golden/reference.html
// (VORLANE_UPDATE_GOLDEN=1 rewrites it).
TEST(ManualReferenceTest, PageIsTheGoldenOne) {
  KeywordList list;
  AddKeywordRecord(list, "draw_text", "Fn", "draw_text(x, y, text)", "Draws <text> & more.");
  AddKeywordRecord(list, "x", "Var", "x", "Horizontal position.");
  AddKeywordRecord(list, "c_red", "Cons", "c_red (colour)", "The colour red.");
  AddKeywordRecord(list, "string", "Fn", "string(value)", "A value turned into text.");
  AddKeywordRecord(list, "x", "Var", "x", "Listed twice.");
  test::ExpectGolden("reference.html", ReferencePage(list));
}

// The page the build wrote from the shipped keyword list. (That the engine
// has every keyword as what it says is the engine tests' business.)
TEST(ShippedManualTest, TheReferenceHasEveryKeyword) {
  KeywordList keywords;
  std::string page, error;
  ASSERT_TRUE(LoadKeywordFile(keywords, VORLANE_RUNTIME_DIR "/keywords.dat", &error)) << error;
  ASSERT_TRUE(ReadFile(VORLANE_REFERENCE_PAGE, &page, 16 << 20, &error))
      << "the build writes " VORLANE_REFERENCE_PAGE " (target manual_reference): " << error;
  ASSERT_FALSE(keywords.empty());
  EXPECT_EQ(page, ReferencePage(keywords))
      << "the page is older than keywords.dat: build the target manual_reference";
  const Strings anchored = Quoted(page, "id=\"kw-");
  for (const KeywordRecord& r : keywords)
    EXPECT_NE(std::find(anchored.begin(), anchored.end(), r.name), anchored.end())
        << r.name << " has no entry";
}

// The hand-written pages: each is set up for phones, uses the one
// stylesheet, is linked from the start page, and links only to pages and
// pictures of the manual that exist; so does the reference.
TEST(ShippedManualTest, PagesLinkToPagesThatExist) {
  const std::string folder = VORLANE_RUNTIME_DIR "/manual/";
  const Strings pages = {"index.html",         "getting-started.html", "main-window.html",
                         "sprites.html",       "sounds.html",          "backgrounds.html",
                         "fonts.html",         "objects.html",         "scenes.html",
                         "functions.html",     "project-folder.html",  "extensions.html",
                         "vorlane-build.html", "drawing.html"};
  ASSERT_TRUE(IsRegularFile(folder + "style.css"));
  std::string index, reference;
  ASSERT_TRUE(ReadFile(folder + "index.html", &index, 1 << 20));
  ASSERT_TRUE(ReadFile(VORLANE_REFERENCE_PAGE, &reference, 16 << 20));
  EXPECT_NE(index.find("href=\"reference.html\""), std::string::npos);
  EXPECT_NE(reference.find("<a href=\"drawing.html\">"), std::string::npos);
  for (const std::string& page : pages) {
    std::string text;
    ASSERT_TRUE(ReadFile(folder + page, &text, 1 << 20)) << page;
    EXPECT_NE(text.find("<meta name=\"viewport\""), std::string::npos) << page;
    EXPECT_NE(text.find("<link rel=\"stylesheet\" href=\"style.css\">"), std::string::npos) << page;
    EXPECT_TRUE(page == "index.html" || index.find("href=\"" + page + "\"") != std::string::npos)
        << page;
    // Links and pictures alike; the start page also stands for the reference.
    Strings targets = Quoted(text + (page == "index.html" ? reference : ""), "href=\"");
    for (const std::string& picture : Quoted(text, "src=\"")) targets.push_back(picture);
    for (std::string target : targets) {
      target = target.substr(0, target.find('#'));
      EXPECT_TRUE(target.empty() || target == "reference.html" || IsRegularFile(folder + target))
          << page << " refers to " << target;
    }
  }
}

}  // namespace
}  // namespace vorlane

// The manual's engine reference page, and the links of the shipped manual.
#include "code/manual_reference.h"

#include <gtest/gtest.h>

#include "code/keyword_list.h"
#include "support/golden.h"
#include "gui/file_util.h"

namespace vorlane {
namespace {

// What follows `mark` up to the next quote, for each place `mark` stands in `page`.
std::vector<std::string> Quoted(const std::string& page, const std::string& mark) {
  std::vector<std::string> found;
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) {
    const size_t start = at + mark.size();
    found.push_back(page.substr(start, page.find('"', start) - start));
  }
  return found;
}

// A prefix takes longer names only; whole names win over prefixes; what no
// theme claims is "other", the last theme.
TEST(ManualReferenceTest, ThemesByName) {
  const std::pair<const char*, const char*> cases[] = {
      {"instance_create", "instances"}, {"x", "instances"}, {"string_width", "drawing"},
      {"string", "other"}, {"draw_", "other"}, {"xylophone", "other"}, {"", "other"}};
  for (const auto& [name, theme] : cases) EXPECT_EQ(ThemeOf(name), theme) << name;
  EXPECT_EQ(ReferenceThemes().back().id, "other");
}

TEST(ManualReferenceTest, HtmlTextEscapesAndDropsControlCharactersButTabs) {
  EXPECT_EQ(HtmlText("a < b && c > \"d\""), "a &lt; b &amp;&amp; c &gt; &quot;d&quot;");
  EXPECT_EQ(HtmlText("caf\xE9one\rtwo\x01\tthree"), "caf&#233;onetwo\tthree");
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

// The page the build wrote is the one the shipped keyword list gives. The
// hand-written pages are set up for phones, use the one stylesheet, are
// linked from the start page, and link only to pages and pictures of the
// manual that exist; so does the reference.
TEST(ShippedManualTest, ReferenceIsCurrentAndLinksReachPagesThatExist) {
  const std::string folder = VORLANE_RUNTIME_DIR "/manual/";
  KeywordList keywords;
  std::string reference, index, error;
  ASSERT_TRUE(LoadKeywordFile(keywords, VORLANE_RUNTIME_DIR "/keywords.dat", &error)) << error;
  ASSERT_TRUE(ReadFile(VORLANE_REFERENCE_PAGE, &reference, 16 << 20, &error))
      << "the build writes " VORLANE_REFERENCE_PAGE " (target manual_reference): " << error;
  EXPECT_EQ(reference, ReferencePage(keywords)) << "build the target manual_reference";
  ASSERT_TRUE(ReadFile(folder + "index.html", &index, 1 << 20));
  EXPECT_NE(index.find("href=\"reference.html\""), std::string::npos);
  EXPECT_NE(reference.find("<a href=\"drawing.html\">"), std::string::npos);
  for (const std::string& page : ListFolder(folder)) {
    if (!page.ends_with(".html")) continue;
    std::string text;
    ASSERT_TRUE(ReadFile(folder + page, &text, 1 << 20)) << page;
    EXPECT_NE(text.find("<meta name=\"viewport\""), std::string::npos) << page;
    EXPECT_NE(text.find("<link rel=\"stylesheet\" href=\"style.css\">"), std::string::npos) << page;
    EXPECT_TRUE(page == "index.html" || index.find("href=\"" + page + "\"") != std::string::npos)
        << page;
    // Links and pictures alike; the start page also stands for the reference.
    std::vector<std::string> targets =
        Quoted(text + (page == "index.html" ? reference : ""), "href=\"");
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

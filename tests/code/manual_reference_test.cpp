#include "code/manual_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "code/keyword_list.h"
#include "gui/file_util.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

KeywordList Sample() {
  KeywordList list;
  AddKeywordRecord(list, "draw_text", "Fn", "draw_text(x, y, text)", "Draws <text> & more.");
  AddKeywordRecord(list, "x", "Var", "x", "Horizontal position.");
  AddKeywordRecord(list, "c_red", "Cons", "c_red (colour)", "The colour red.");
  AddKeywordRecord(list, "string", "Fn", "string(value)", "A value turned into text.");
  AddKeywordRecord(list, "x", "Var", "x", "Listed twice.");
  return list;
}

// The names the page gives an entry, in the page's order.
Strings Anchored(const std::string& page) {
  Strings names;
  const std::string mark = "id=\"kw-";
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) {
    const size_t start = at + mark.size();
    names.push_back(page.substr(start, page.find('"', start) - start));
  }
  return names;
}

// The names the page lists as functions.
Strings PageFunctions(const std::string& page) {
  Strings names;
  const std::string mark = "<h4><code>";
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) {
    const size_t start = at + mark.size();
    const size_t end = page.find("</code>", start);
    const std::string tail = "</code> <span class=\"tag\">function<";
    if (end != std::string::npos && page.compare(end, tail.size(), tail) == 0)
      names.push_back(page.substr(start, end - start));
  }
  return names;
}

// Keywords of the list with no entry on the page.
Strings MissingFromPage(const KeywordList& keywords, const std::string& page) {
  const Strings anchored = Anchored(page);
  Strings missing;
  for (const KeywordRecord& r : keywords)
    if (std::find(anchored.begin(), anchored.end(), r.name) == anchored.end())
      missing.push_back(r.name);
  return missing;
}

// Functions of the page the engine does not define ("function NAME(" or
// "NAME = function").
Strings MissingFromEngine(const Strings& functions, const std::string& engine) {
  Strings missing;
  for (const std::string& name : functions) {
    if (engine.find("function " + name + "(") == std::string::npos &&
        engine.find(name + " = function") == std::string::npos)
      missing.push_back(name);
  }
  return missing;
}

TEST(ManualReferenceTest, ThemesByName) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"instance_create", "instances"}, {"place_meeting", "instances"}, {"x", "instances"},
      {"speed", "instances"},           {"sprite_index", "sprites"},   {"image_alpha", "sprites"},
      {"draw_text", "drawing"},         {"string_width", "drawing"},   {"c_red", "drawing"},
      {"fa_left", "drawing"},           {"keyboard_check", "input"},   {"mouse_x", "input"},
      {"vk_left", "input"},             {"mb_left", "input"},          {"ord", "input"},
      {"sound_play", "sound"},          {"music_stop", "sound"},       {"room", "scenes"},
      {"room_goto_next", "scenes"},     {"view_xview", "scenes"},      {"vr_scenes", "scenes"},
      {"random", "math"},               {"irandom_range", "math"},     {"pi", "math"},
      {"point_direction", "math"},      {"alarm_set", "alarms"},       {"alarm_fired", "alarms"},
      {"string", "other"},              {"show_debug_message", "other"}, {"score", "other"},
      {"xylophone", "other"},           {"draw_", "other"},            {"", "other"}};
  for (const auto& [name, theme] : cases) EXPECT_EQ(ThemeOf(name), theme) << name;
  for (const ReferenceTheme& theme : ReferenceThemes()) {
    EXPECT_FALSE(theme.title.empty());
    EXPECT_FALSE(theme.intro.empty());
  }
  EXPECT_EQ(ReferenceThemes().back().id, "other");
}

TEST(ManualReferenceTest, HtmlText) {
  EXPECT_EQ(HtmlText("a < b && c > \"d\""), "a &lt; b &amp;&amp; c &gt; &quot;d&quot;");
  EXPECT_EQ(HtmlText("caf\xE9"), "caf&#233;");
  EXPECT_EQ(HtmlText("one\rtwo\x01"), "onetwo");
}

TEST(ManualReferenceTest, PageGroupsEscapesAndAnchorsOnce) {
  const std::string page = ReferencePage(Sample());
  EXPECT_EQ(Anchored(page), (Strings{"x", "draw_text", "c_red", "string"}))
      << "instances first, drawing next (functions before constants), other last; a name "
         "twice gets one anchor";
  EXPECT_EQ(PageFunctions(page), (Strings{"draw_text", "string"}));
  EXPECT_NE(page.find("<pre class=\"use\">draw_text(x, y, text)</pre>"), std::string::npos);
  EXPECT_NE(page.find("<p>Draws &lt;text&gt; &amp; more.</p>"), std::string::npos);
  EXPECT_NE(page.find("Listed twice."), std::string::npos);
  // A bare name as the first help line is not repeated.
  EXPECT_EQ(page.find("<pre class=\"use\">x</pre>"), std::string::npos);
  // Themes with nothing in them are left out of the list and the page.
  EXPECT_NE(page.find("href=\"#drawing\""), std::string::npos);
  EXPECT_EQ(page.find("href=\"#sound\""), std::string::npos);
  EXPECT_EQ(page.find("id=\"sound\""), std::string::npos);
  EXPECT_NE(page.find("href=\"style.css\""), std::string::npos);
  EXPECT_NE(page.find("name=\"viewport\""), std::string::npos);
}

TEST(ManualReferenceTest, TheChecksFindWhatIsMissing) {
  const KeywordList keywords = Sample();
  std::string page = ReferencePage(keywords);
  EXPECT_EQ(MissingFromPage(keywords, page), Strings{});
  const size_t at = page.find("id=\"kw-c_red\"");
  page.erase(at, std::string("id=\"kw-c_red\"").size());
  EXPECT_EQ(MissingFromPage(keywords, page), Strings{"c_red"});

  const std::string engine = "function draw_text(x, y, s) {}\nvar string_x = 1;\n";
  EXPECT_EQ(MissingFromEngine({"draw_text", "string"}, engine), Strings{"string"})
      << "a variable that is not a function does not count";
  EXPECT_EQ(MissingFromEngine({"draw_text", "string"}, engine + "string = function(v) {};\n"),
            Strings{});
  EXPECT_EQ(MissingFromEngine({"draw"}, engine), Strings{"draw"}) << "a longer name is not it";
}

// The page the build wrote from the shipped keyword list.
class ShippedReferenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(LoadKeywordFile(keywords_, VORLANE_RUNTIME_DIR "/keywords.dat", &error)) << error;
    ASSERT_FALSE(keywords_.empty());
    ASSERT_TRUE(ReadFile(VORLANE_REFERENCE_PAGE, &page_, 16 << 20, &error))
        << "the build writes " VORLANE_REFERENCE_PAGE " (target manual_reference): " << error;
    ASSERT_TRUE(ReadFile(VORLANE_RUNTIME_DIR "/export.js", &engine_, 16 << 20, &error)) << error;
  }
  KeywordList keywords_;
  std::string page_;
  std::string engine_;
};

TEST_F(ShippedReferenceTest, EveryKeywordHasAnEntry) {
  EXPECT_EQ(MissingFromPage(keywords_, page_), Strings{});
  EXPECT_EQ(page_, ReferencePage(keywords_))
      << "the page is older than keywords.dat: build the target manual_reference";
}

TEST_F(ShippedReferenceTest, EveryFunctionIsDefinedByTheEngine) {
  const Strings functions = PageFunctions(page_);
  size_t in_list = 0;
  for (const KeywordRecord& r : keywords_) in_list += r.class_ == "Fn";
  EXPECT_EQ(functions.size(), in_list);
  EXPECT_EQ(MissingFromEngine(functions, engine_), Strings{});
}

// The hand-written pages: each is set up for phones, uses the one
// stylesheet, and links only to pages and pictures of the manual that exist
// (the reference among them).
TEST(ShippedManualTest, PagesLinkToPagesThatExist) {
  const std::string folder = VORLANE_RUNTIME_DIR "/manual/";
  const Strings pages = {"index.html",         "getting-started.html", "main-window.html",
                         "sprites.html",       "sounds.html",          "backgrounds.html",
                         "fonts.html",         "objects.html",         "scenes.html",
                         "functions.html",     "project-folder.html",  "extensions.html",
                         "vorlane-build.html", "drawing.html"};
  ASSERT_TRUE(IsRegularFile(folder + "style.css"));
  std::string index;
  ASSERT_TRUE(ReadFile(folder + "index.html", &index, 1 << 20));
  for (const std::string& page : pages) {
    std::string text;
    ASSERT_TRUE(ReadFile(folder + page, &text, 1 << 20)) << page;
    EXPECT_NE(text.find("<meta name=\"viewport\""), std::string::npos) << page;
    EXPECT_NE(text.find("<link rel=\"stylesheet\" href=\"style.css\">"), std::string::npos)
        << page;
    if (page != "index.html") {
      EXPECT_NE(index.find("href=\"" + page + "\""), std::string::npos)
          << page << " from the start page";
    }
    // Links and pictures alike.
    for (const std::string mark : {"href=\"", "src=\""}) {
      for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
        const size_t start = at + mark.size();
        std::string target = text.substr(start, text.find('"', start) - start);
        target = target.substr(0, target.find('#'));
        if (target.empty() || target == "reference.html") continue;
        EXPECT_TRUE(IsRegularFile(folder + target)) << page << " refers to " << target;
      }
    }
  }
  EXPECT_NE(index.find("href=\"reference.html\""), std::string::npos);

  // The generated reference links into the hand-written pages too.
  std::string reference;
  ASSERT_TRUE(ReadFile(VORLANE_REFERENCE_PAGE, &reference, 16 << 20));
  EXPECT_NE(reference.find("<a href=\"drawing.html\">"), std::string::npos);
  const std::string mark = "href=\"";
  for (size_t at = reference.find(mark); at != std::string::npos;
       at = reference.find(mark, at + 1)) {
    const size_t start = at + mark.size();
    const std::string target = reference.substr(start, reference.find('"', start) - start);
    if (target[0] != '#') EXPECT_TRUE(IsRegularFile(folder + target)) << target;
  }
}

}  // namespace
}  // namespace vorlane

// Writing game.js and index.html; the generated code's exact bytes are the
// golden files' business (emitters_test.cpp).
#include "generate/game_page.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "generate/emitters.h"
#include "gui/file_util.h"
#include "support/golden.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::SampleProject;
using test::WriteAll;
using GamePageTest = test::InTempDir;

// Markers are found in the template as written, not in the code put in.
TEST(GameScriptTest, MarkersAreReplacedWhereverTheyStandAndNowhereElse) {
  Project p = SampleProject();
  p.settings.functions = "";
  const std::pair<std::string, std::string> cases[] = {
      // Text around a marker and the template's own LF breaks stay; a marker
      // twice gets the code twice; a marker written otherwise is text.
      {"var version = '//VORLANE_VERSION';\n//VORLANE_GLOBAL_VARIABLES x //VORLANE_GLOBAL_VARIABLES"
       "\n//vorlane_version //VORLANE_VERSIO\xff",
       "var version = 'v1.2.9';\nvar score = 0; x var score = 0;\n//vorlane_version "
       "//VORLANE_VERSIO\xff"},
      {"", ""},
      {"no markers\r\n", "no markers\r\n"},
      {"//VORLANE_FONTS|//VORLANE_SCENES", EmitFonts(p) + "|" + EmitScenes(p)},
      {"//VORLANE_GLOBAL_FUNCTIONS//VORLANE_OBJECTS", EmitGlobalFunctions(p) + EmitObjects(p)},
  };
  for (const auto& [engine, game] : cases)
    EXPECT_EQ(BuildGameScript(p, engine, {}), game) << engine;
  p.fns[0].code = "// //VORLANE_OBJECTS";
  EXPECT_EQ(BuildGameScript(p, "//VORLANE_GLOBAL_FUNCTIONS", {}), EmitGlobalFunctions(p));
}

// The extensions the project chose are in the golden sample game.
TEST_F(GamePageTest, TheTemplateIsReadAsItIsOrNotAtAll) {
  const std::string bytes("a\r\nb\rc\n\xc3\xa9\xff\0z", 12);
  WriteAll("export.js", bytes);
  EXPECT_EQ(LoadEngineTemplate(), bytes);
  std::filesystem::create_directory("folder.js");
  auto unreadable = test::UnreadableFiles("pipe.js", "huge.js", kMaxEngineTemplateBytes);
  unreadable.push_back({"missing.js", ""});
  unreadable.push_back({"folder.js", ""});
  for (const auto& [path, why] : unreadable) {
    std::string error;
    EXPECT_EQ(LoadEngineTemplate(path, &error), "");
    EXPECT_TRUE(!error.empty() && error.find(why) != std::string::npos) << path << ": " << error;
  }
}

TEST_F(GamePageTest, WritesThePageWhenAskedOrMissingAndTheScriptAlways) {
  Project p = SampleProject();
  GenerateReport report;
  p.projectname.clear();  // not saved yet: nothing is written
  EXPECT_TRUE(GenerateGame(p, "//VORLANE_SCENES", 1, &report));
  EXPECT_TRUE(report.written.empty());
  EXPECT_FALSE(FileExists("Projects"));

  p.projectname = "demo";
  ASSERT_TRUE(GenerateGame(p, "start\n//VORLANE_VERSION", 1, &report)) << report.error;
  EXPECT_EQ(report.written,
            (std::vector<std::string>{"Projects/demo/index.html", "Projects/demo/game.js"}));
  EXPECT_EQ(ReadAll("Projects/demo/game.js"), "start\nv1.2.9");
  EXPECT_FALSE(report.no_scene);
  p.scenes.clear();
  // [the page before, GenerateIndexHTML, the page after, files written]
  const struct {
    const char* before;
    int generate_index_html;
    std::string after;
    size_t written;
  } runs[] = {
      {"my page", 0, "my page", 1}, {"my page", 1, IndexHtml(), 2}, {nullptr, 0, IndexHtml(), 2}};
  for (const auto& r : runs) {
    if (r.before)
      WriteAll("Projects/demo/index.html", r.before);
    else
      std::filesystem::remove("Projects/demo/index.html");
    ASSERT_TRUE(GenerateGame(p, "new", r.generate_index_html, &report)) << report.error;
    EXPECT_EQ(ReadAll("Projects/demo/index.html"), r.after);
    EXPECT_EQ(ReadAll("Projects/demo/game.js"), "new");
    EXPECT_EQ(report.written.size(), r.written);
    EXPECT_TRUE(report.no_scene) << "a project without scenes is generated and the caller told";
  }
}

// Names JavaScript cannot take are checked before anything is written, so the
// old game stays playable: ten are listed whole, more are counted. How the
// files fail to be written is writers_test.cpp's.
TEST_F(GamePageTest, UnusableNamesAreListedAndNothingIsWritten) {
  std::filesystem::create_directories("Projects/demo");
  WriteAll("Projects/demo/game.js", "old");
  WriteAll("Projects/demo/index.html", "old page");
  Project p = SampleProject();
  p.sprites[0].name = "my sprite";
  const std::string head =
      "The game could not be generated, as these names cannot be used in its code:\n"
      "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not starting "
      "with a digit.";
  const std::string keyword =
      "\nThe function name 'if' is not a valid name: it is a word JavaScript keeps for itself.";
  for (const auto& [functions, more] : {std::pair{9, ""}, {12, "\n... and 3 more."}}) {
    p.fns.assign(functions, {"if", "", "", ""});
    GenerateReport report;
    EXPECT_FALSE(GenerateGame(p, "new", 1, &report));
    std::string expected = head;
    for (int i = 0; i < 9; ++i) expected += keyword;
    EXPECT_EQ(report.error, expected + more);
    EXPECT_EQ(ReadAll("Projects/demo/game.js"), "old");
    EXPECT_EQ(ReadAll("Projects/demo/index.html"), "old page");
  }
  p = SampleProject();
  p.projectname = "../escape";
  GenerateReport report;
  EXPECT_FALSE(GenerateGame(p, "new", 1, &report));
  EXPECT_FALSE(report.error.empty());
  EXPECT_FALSE(FileExists("../escape"));
}

}  // namespace
}  // namespace vorlane

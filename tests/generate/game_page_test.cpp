#include "generate/game_page.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "generate/emitters.h"
#include "gui/file_util.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::SampleProject;
using test::WriteAll;
using GamePageTest = test::InTempDir;

constexpr char kPage[] =
    "<html lang='en'>\n"
    "<head>\n"
    "<meta http-equiv='X-UA-Compatible' content='IE=edge' />\n"
    "<meta http-equiv='pragma' content='no-cache' />\n"
    "<meta name='apple-mobile-web-app-capable' content='yes' />\n"
    "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, "
    "width=device-width, height=device-height' />\n"
    "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />\n"
    "<meta charset='utf-8' />\n"
    "</head>\n"
    "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>\n"
    "<div id='vorlanegame'></div>\n"
    "<a style='text-decoration:none;font-size:11px;font-family:arial;color:rgb(255,255,255);' "
    "href='https://vorlane.example/'>Made with Vorlane</a>\n"
    "<script type='text/javascript' src='game.js'></script>\n"
    "</body>\n"
    "</html>\n";

TEST(GameScriptTest, MarkersAreReplacedWhereverTheyStand) {
  const Project p = SampleProject();
  // Text around a marker stays, the template's own LF breaks stay, a marker
  // twice gets the code twice, and a differently written marker is text.
  const std::string engine =
      "var version = '//VORLANE_VERSION';\n//VORLANE_GLOBAL_VARIABLES x //VORLANE_GLOBAL_VARIABLES"
      "\n//vorlane_version //VORLANE_VERSIO\xff";
  EXPECT_EQ(BuildGameScript(p, engine, {}),
            "var version = 'v1.2.9';\nvar score = 0; x var score = 0;\n"
            "//vorlane_version //VORLANE_VERSIO\xff");
  EXPECT_EQ(BuildGameScript(p, "", {}), "");
  EXPECT_EQ(BuildGameScript(p, "no markers\r\n", {}), "no markers\r\n");
}

TEST(GameScriptTest, EveryMarkerGetsItsEmitter) {
  const Project p = SampleProject();
  const std::vector<Extension> extensions = {{"x", "X", "me", "", "", "\r\nx();\r\n", 1, ""}};
  std::string engine;
  std::string expected;
  const std::string outputs[] = {EmitVersion(),         EmitExtensions(extensions),
                                 EmitGlobalVariables(p), EmitGlobalFunctions(p),
                                 EmitSprites(p),         EmitSounds(p),
                                 EmitMusics(p),          EmitBackgrounds(p),
                                 EmitFonts(p),           EmitObjects(p),
                                 EmitScenes(p)};
  for (size_t i = 0; i < kTemplateMarkers.size(); ++i) {
    engine += "<" + std::string(kTemplateMarkers[i]) + ">\n";
    expected += "<" + outputs[i] + ">\n";
  }
  EXPECT_EQ(BuildGameScript(p, engine, extensions), expected);

  // Without the sounds marker the sound code is simply left out.
  const std::string without = "//VORLANE_FONTS|//VORLANE_SCENES";
  EXPECT_EQ(BuildGameScript(p, without, extensions), EmitFonts(p) + "|" + EmitScenes(p));
}

TEST(GameScriptTest, MarkersInInsertedCodeStayAsWritten) {
  Project p = SampleProject();
  p.settings.variables = "var s = 'see //VORLANE_OBJECTS here';";
  p.settings.functions = "";
  p.fns[0].code = "// TODO: //VORLANE_SCENES //VORLANE_VERSION //VORLANE_GLOBAL_FUNCTIONS";
  const std::string out =
      BuildGameScript(p, "//VORLANE_GLOBAL_VARIABLES\n//VORLANE_GLOBAL_FUNCTIONS//VORLANE_OBJECTS", {});
  EXPECT_EQ(out, p.settings.variables + "\n\r\nfunction add(a, b) { \r\n" + p.fns[0].code +
                     "\r\n}\r\n" + EmitObjects(p));
}

TEST_F(GamePageTest, TemplateAndExtensionsAreReadAsTheyAre) {
  const std::string bytes("a\r\nb\rc\n\xc3\xa9\xff\0z", 12);
  WriteAll("export.js", bytes);
  EXPECT_EQ(LoadEngineTemplate(), bytes);
  EXPECT_EQ(LoadEngineTemplate("missing.js"), "");
  std::filesystem::create_directory("folder.js");
  EXPECT_EQ(LoadEngineTemplate("folder.js"), "");

  // Without a list of extensions, the project's enabled ones are read.
  std::filesystem::create_directories("Projects/demo");
  std::filesystem::create_directory("Extensions");
  WriteAll("Extensions/shake.tex", "[EXTENSION]\nShake\n[AUTHOR]\nAnn\n[CODE]\nshake();\n");
  WriteAll("Extensions/off.tex", "[CODE]\noff();\n");
  WriteAll("Projects/demo/extensions.dat", "shake\n");
  const std::string out = BuildGameScript(SampleProject(), "//VORLANE_EXTENSIONS");
  EXPECT_EQ(out, "/* Shake by Ann */\r\n\r\nshake();\r\n\r\n\r\n");
}

TEST_F(GamePageTest, WritesPageAndScriptAsTheyAre) {
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
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), kPage);
  EXPECT_EQ(IndexHtml(), kPage);
  EXPECT_FALSE(report.no_scene);

  // A project without scenes is generated and the caller is told.
  p.scenes.clear();
  ASSERT_TRUE(GenerateGame(p, "//VORLANE_SCENES|", 1, &report));
  EXPECT_EQ(ReadAll("Projects/demo/game.js"), "|");
  EXPECT_TRUE(report.no_scene);

  // The user's own page stays unless the preference asks.
  WriteAll("Projects/demo/index.html", "my page");
  ASSERT_TRUE(GenerateGame(p, "new", 0, &report));
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), "my page");
  EXPECT_EQ(ReadAll("Projects/demo/game.js"), "new");
  EXPECT_EQ(report.written, std::vector<std::string>{"Projects/demo/game.js"});

  ASSERT_TRUE(GenerateGame(p, "new", 1, &report));
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), kPage);

  // Without a page it is written whatever the preference.
  std::filesystem::remove("Projects/demo/index.html");
  ASSERT_TRUE(GenerateGame(p, "new", 0, &report));
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), kPage);
}

// Names JavaScript cannot take are listed, at most ten, and nothing is
// written. How the files fail to be written is writers_test.cpp's.
TEST_F(GamePageTest, UnusableNamesWriteNothing) {
  const Project p = SampleProject();
  GenerateReport report;
  std::filesystem::create_directories("Projects/demo");
  WriteAll("Projects/demo/game.js", "old");
  WriteAll("Projects/demo/index.html", "old page");
  Project bad = p;
  bad.sprites[0].name = "my sprite";
  bad.fns.assign(12, {"if", "", "", ""});
  std::string expected =
      "The game could not be generated, as these names cannot be used in its code:\n"
      "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not starting "
      "with "
      "a digit.";
  for (int i = 0; i < 9; ++i)
    expected +=
        "\nThe function name 'if' is not a valid name: it is a word JavaScript keeps for itself.";
  EXPECT_FALSE(GenerateGame(bad, "new", 1, &report));
  EXPECT_EQ(report.error, expected + "\n... and 3 more.");
  EXPECT_EQ(ReadAll("Projects/demo/game.js"), "old");
  EXPECT_EQ(ReadAll("Projects/demo/index.html"), "old page");

  Project outside = p;
  outside.projectname = "../escape";
  EXPECT_FALSE(GenerateGame(outside, "new", 1, &report));
  EXPECT_FALSE(report.error.empty());
  EXPECT_FALSE(FileExists("../escape"));
}

TEST_F(GamePageTest, TemplateThatIsNotARegularFileOrTooLargeIsEmpty) {
  for (const auto& [path, why] :
       test::UnreadableFiles("export.js", "huge.js", kMaxEngineTemplateBytes)) {
    std::string error;
    EXPECT_EQ(LoadEngineTemplate(path, &error), "");
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace vorlane

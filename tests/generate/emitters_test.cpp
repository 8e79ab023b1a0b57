// The generated game of each case below, compared byte for byte with
// tests/generate/golden/<case>/game.js (and index.html): set
// VORLANE_UPDATE_GOLDEN=1 to rewrite them after an intended change. What the
// generated code does when it runs is checked by the engine tests.
#include "generate/emitters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "generate/game_page.h"
#include "support/golden.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

// The engine's markers alone, each under a comment naming it.
std::string MarkersTemplate() {
  std::string text;
  for (std::string_view marker : kTemplateMarkers)
    text += "\n/* " + std::string(marker.substr(2)) + " */\n" + std::string(marker) + "\n";
  return text;
}

GameObject Object(const std::string& name, const std::string& sprite = "",
                  const std::string& parent = "") {
  GameObject o;
  o.name = name;
  o.sprite = sprite;
  o.parent = parent;
  return o;
}

// Every kind of event, with the collision partner typed in many ways.
void Events(Project& p) {
  p = Project{};
  p.projectname = "demo";
  // b's sprite and parent were deleted; an instance stands between the objects.
  p.objects = {Object("a"), Object("b", "gone_sprite", "gone_parent"), Object("wall")};
  p.objects.insert(p.objects.begin() + 1, GameObject{0, "a", "inst_1", "", "r"});
  for (const char* event : {"Creation", "Destroy", "Step", "End step", "Collision", "Room start",
                            "Room end", "Animation end", "Draw"})
    p.scripts.push_back({"s", "a", event, "wall", std::string("on(\"") + event + "\");"});
  // Joined in list order; the Collision partner loses its blanks, an empty or
  // deleted one drops the event; a key event without its key, unknown kinds
  // and other objects' code stay out.
  p.scripts.insert(p.scripts.begin() + 3, {"s", "b", "Step", "", "not_a();"});
  p.scripts.push_back({"s", "a", "Step", "", "second();"});
  p.scripts.push_back({"s", "a", "Keyboard", "", "unknown_kind();"});
  for (const char* partner : {"wall ", "\twall", " ", "gone"})
    p.scripts.push_back({"s", "a", "Collision", partner, std::string("with('") + partner + "');"});
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "r";
}

// Escapes, media names, records left out, and tile groups.
void Edges(Project& p) {
  p.imgfolder = "";                                                // pictures beside the page
  p.settings.variables = "var s = 'see //VORLANE_OBJECTS here';";  // marker text in user code stays
  p.fns[0].code = "// TODO: //VORLANE_SCENES //VORLANE_VERSION";
  p.fns.push_back({"noop", "", "", ""});
  p.fonts[0].family = "O'Neil \\ \"x\"\n\x01\u2028";
  p.fonts[0].size = -3;
  p.sounds[0].wav = "a #1?%\t\"\xc3\xa9.wav";
  p.sounds[0].ogg = "don't.ogg";
  // Media saving skips (not plain file names) or that have no file are left out.
  p.sounds.push_back({"snd_ogg", "../x.wav", "", "x.ogg"});
  p.sounds.push_back({"silent", "", "", ""});
  p.musics[0].mp3 = "sub\\theme.mp3";
  p.backgrounds.push_back({"bg_gone", ".."});
  p.backgrounds.push_back({"bg_b", "b.png"});
  // Another sprite's frame in between is not the hero's; the hero's last frame
  // has no picture (0 x 0); a frame with a path for a name is left out.
  p.frames.insert(p.frames.begin() + 1, {"7", "other", ShareImage(Image::Opaque(5, 5))});
  p.frames.back().image = nullptr;
  p.frames.push_back({"1/x", "spr_hero", ShareImage(Image::Opaque(3, 3))});
  p.sprites.push_back({"empty", "Box", 0, -1, 2, -3, 4, -5, 6});
  p.objects[1].image_angle = 15;  // an angle alone
  // A second scene: its background, followed object, an instance's object
  // and a tile set are gone.
  Scene second;
  second.name = "second";
  second.background = "bg_gone";
  second.viewportobject = "gone_object";
  p.scenes.push_back(second);
  p.objects.push_back(GameObject{0, "gone_object", "inst_9", "", "second"});
  // Depth groups, then tile-set groups, in order of first appearance.
  const auto tile = [](const char* set, int depth, int left) {
    return Tile{"", set, left, 0, 16, 16, 0, 0, depth, "second"};
  };
  p.tiles = {tile("bg_b", 10, 1), tile("bg_tiles", 20, 2), tile("bg_tiles", 10, 3),
             tile("bg_b", 20, 4), tile("bg_b", 10, 5),     tile("bg_gone", 10, 6)};
}

class GoldenTest : public test::InTempDir {};

TEST_F(GoldenTest, GeneratedGamesAreByteForByteTheGoldenOnes) {
  const struct {
    const char* name;
    std::function<void(Project&)> change;
  } cases[] = {
      {"sample", [](Project&) {}},
      {"edges", Edges},
      {"events", Events},
      {"events_advanced",
       [](Project& p) {
         Events(p);
         p.settings.advancedscriptmode = 1;
       }},
  };
  // The sample enables one of two extensions.
  std::filesystem::create_directories("Extensions");
  std::filesystem::create_directories("Projects/demo");
  WriteAll("Extensions/shake.tex", "[EXTENSION]\nShake\n[AUTHOR]\nAnn\n[CODE]\nshake();\n");
  WriteAll("Extensions/off.tex", "[EXTENSION]\nOff\n[CODE]\noff();\n");
  WriteAll("Projects/demo/extensions.dat", "shake\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Project p = test::SampleProject();
    c.change(p);
    GenerateReport report;
    ASSERT_TRUE(GenerateGame(p, MarkersTemplate(), 1, &report)) << report.error;
    test::ExpectGolden(std::string(c.name) + "/game.js", ReadAll("Projects/demo/game.js"));
    if (c.name == std::string("sample"))
      test::ExpectGolden("sample/index.html", ReadAll("Projects/demo/index.html"));
  }
}

// Only names written as variables count: instances, tiles, layers and
// scripts keep theirs in the project, and records left out are not written.
TEST(UnusableNamesTest, TheNamesWrittenAsVariablesThatCannotBeOne) {
  Project p = test::SampleProject();
  p.objects[1].name = p.tiles[0].name = p.layers[0].name = p.scripts[0].name = "not a name";
  p.sounds.push_back({"no files", "", "", "../x.ogg"});
  p.backgrounds.push_back({"no file", ""});
  p.objects[2].name = "v\xc3\xa9";
  EXPECT_EQ(UnusableNames(p), std::vector<std::string>{});
  p.fns[0].name = "do";
  p.sprites[0].name = "my sprite";
  p.musics[0].name = "1up";
  p.fonts[0].name = "Math";
  p.scenes[0].name = "obj_player";
  EXPECT_EQ(
      UnusableNames(p),
      (std::vector<std::string>{
          "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not "
          "starting with a digit",
          "The music name '1up' is not a valid name: use letters, digits and _, not starting with "
          "a digit",
          "The font name 'Math' is already used by the browser",
          "The scene name 'obj_player' is already used by the object 'obj_player'",
          "The function name 'do' is not a valid name: it is a word JavaScript keeps for itself"}));
}

}  // namespace
}  // namespace vorlane

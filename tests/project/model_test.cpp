#include "project/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "gui/file_util.h"
#include "support/golden.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "project/reserved_names.h"
#include "project/thumbnails.h"
#include "project/top_level_names.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;

// What an edit leaves: the records as they would be saved and the names it
// gave.
std::string Described(const Project& p, const std::vector<std::string>& names) {
  std::string out = ProjectXml(p) + "\nmodified " + std::to_string(p.modified) + "\nnames";
  for (const std::string& name : names) out += " " + name;
  return out + "\n";
}

// The edits, by the name of their golden file; `made` gets the names given.
void Edit(const std::string& edit, Project& p, std::vector<std::string>& made) {
  using K = ResourceKind;
  if (edit == "new") {
    ResetProject(p);
    made = {NewSprite(p),     NewSound(p),    NewMusic(p),
            NewBackground(p), NewFont(p),     NewObject(p),
            NewScene(p),      NewFunction(p), NewScript(p, "object_7", "Step", "")};
  } else if (edit == "delete-object") {
    DeleteObject(p, "obj_player");
  } else if (edit == "delete-background") {
    DeleteBackground(p, "bg_tiles");
  } else if (edit == "delete-scene") {
    made = {NewScene(p)};
    p.objects.push_back(p.objects[3]);
    p.objects.back().name = "inst_other";
    p.objects.back().scene = made[0];
    DeleteScene(p, "level");
  } else if (edit == "delete-sprite") {
    made = {NewSprite(p)};
    p.frames.push_back({"0", made[0], ShareImage(Image::Transparent(16, 4))});
    p.objects[2].sprite = made[0];
    DeleteSprite(p, "spr_hero");
  } else if (edit == "delete-function") {
    made = {NewFunction(p), NewFunction(p), NewFunction(p)};
    DeleteFunction(p, made[1]);
    DeleteFunction(p, "no such function");
  } else if (edit == "duplicate-object") {
    DuplicateObject(p, "obj_player");
    DuplicateObject(p, "obj_player");
  } else if (edit == "rename") {
    p.scripts[1].parameter += " ";
    p.modified = 0;
    RenameResource(p, K::Sound, 5, "x");
    RenameResource(p, K::Scene, -1, "x");
    RenameResource(p, K::Object, 0, "obj_player");
    RenameResource(p, K::Object, ResourceIndex(p, K::Object, "obj_player"), "hero");
    RenameResource(p, K::Object, 2, "block");
    RenameResource(p, K::Sprite, 0, "ship");
    RenameResource(p, K::Background, 0, "bricks");
    RenameResource(p, K::Scene, 0, "level2");
    RenameResource(p, K::Sound, 0, "snd_boop");
  }
}

// Each edit on the sample, against golden/edits/<name>.txt. One counter
// numbers every kind and a scene gets its first layer; reset keeps only the
// program-wide folders. A deletion takes what belongs to the record (an
// object's instances and scripts, a scene's instances, tiles and layers, a
// background's tiles) but leaves references to it (a parent, a view, a
// scene's background) to the generator; objects of a deleted sprite lose
// its picture and the others are refreshed. A duplicate copies every field
// and script, named "_dup" however often it is made. A rename ripples
// through every record naming the renamed one (collision partners typed
// with blanks too, objects' pictures follow their sprite); odd calls change
// nothing and a rename does not mark the project.
TEST(ModelTest, EditsOfTheSample) {
  for (const char* edit : {"new", "delete-object", "delete-background", "delete-scene",
                           "delete-sprite", "delete-function", "duplicate-object", "rename"}) {
    Project p = test::SampleProject();  // its objects' pictures are not set yet
    p.imgfolder = "pics";
    std::vector<std::string> made;
    Edit(edit, p, made);
    test::ExpectGolden("edits/" + std::string(edit) + ".txt", Described(p, made));
  }
  Project p = test::SampleProject();
  EXPECT_EQ(FindObject(p, "inst_11"), nullptr) << "instances are not objects";
}

Image CardWith(const Image* overlay) {
  Image card = Image::Transparent(150, 100);
  card.Draw(*StockCardPicture(), 0, 0);
  if (overlay) card.Draw(*overlay, 0, 0);
  return card;
}

// A picture is fitted into the box keeping its shape (30 x 10 becomes
// 60 x 20 at 45, 20); a pale one shows over darker squares that fill only
// the box.
TEST(ThumbnailsTest, PicturesAreFittedIntoTheBox) {
  Image picture = Image::Opaque(30, 10);
  picture.Fill(Color{255, 0, 0, 255});
  Image expected = CardWith(nullptr);
  expected.FillRect(45, 20, 60, 20, Color{255, 0, 0, 255});
  EXPECT_EQ(MakeCard(&picture), expected);
  Image pale = Image::Transparent(30, 30);
  pale.Plot(15, 15, Color{255, 255, 230, 255});
  const Image card = MakeCard(&pale);
  EXPECT_EQ(card.Pixel(75, 50), (Color{255, 255, 230, 255}));
  for (const auto& [x, y] : {std::pair{45, 20}, {104, 79}}) EXPECT_LE(card.Pixel(x, y).r, 210);
  EXPECT_EQ(card.Pixel(44, 20), StockCardPicture()->Pixel(44, 20));
}

// A sprite shows its first frame that has a picture; a background shows its
// file, decoded only
// when it fits the budget beside the pictures the project holds, and the
// bare card when missing, outside the project or past the budget.
TEST(ThumbnailsTest, SpritesAndBackgrounds) {
  test::ScopedTempDir dir;
  Project p;
  p.projectname = "demo";
  const auto empty = NewSprite(p), hero = NewSprite(p);
  auto picture = ShareImage(Image::Opaque(4, 4)), other = ShareImage(Image::Opaque(2, 2));
  p.frames = {{"0", hero, ShareImage()}, {"1", hero, picture}, {"2", hero, other}};
  for (const char* file : {"sky.png", "../escape.png", ""}) {
    NewBackground(p);
    p.backgrounds.back().file = file;
  }
  BuildThumbnails(p);
  EXPECT_EQ(*p.cards.sprites[empty].card, CardWith(StockEmptyCard().get()));
  EXPECT_EQ(*p.cards.sprites[hero].card, MakeCard(picture.get()));
  EXPECT_EQ(*BackgroundCardOf(p, p.backgrounds[0]), CardWith(nullptr));
  EXPECT_EQ(*BackgroundCardOf(p, p.backgrounds[1]), CardWith(nullptr));
  EXPECT_EQ(BackgroundCardOf(p, p.backgrounds[2]), nullptr);

  fs::create_directories("Projects/demo/img");
  Image sky = Image::Opaque(120, 60);
  sky.Fill(Color{0, 128, 255, 255});
  ASSERT_TRUE(SavePng(sky, "Projects/demo/img/sky.png"));
  const int held = 4 * 4 + 2 * 2;
  for (const auto& [limits, shown] : {std::pair{PictureLimits{120, 120 * 60 + held}, true},
                                      {PictureLimits{16384, 120 * 60 + held - 1}, false},
                                      {PictureLimits{119, 120 * 60 + held}, false}}) {
    BuildThumbnails(p, limits);
    EXPECT_EQ(*BackgroundCardOf(p, p.backgrounds[0]), shown ? MakeCard(&sky) : CardWith(nullptr));
  }
}

// golden/names.txt: what a new name gets in the sample, with the engine's
// names below. The record itself is left out of the duplicate check, objects
// share their list with instances (which are no globals), the name must be
// a JavaScript identifier first; then any global of the engine, the browser
// or another resource (with its constructor "__" + name, functions aside)
// is refused, the kind's word in every message.
TEST(Rename, NameChecks) {
  test::ScopedTempDir dir;
  test::WriteAll("keywords.dat", "!instance_create\nhelp\n\n.speed\nhelp\n\n");
  LoadEngineNames("var score = 0;\nfunction __vr_run() { var local; }");
  const Project p = test::SampleProject();
  std::istringstream rows(test::ReadAll(std::string(VORLANE_GOLDEN_DIR) + "/names.txt"));
  int count = 0;
  for (std::string row; std::getline(rows, row);) {
    if (row.starts_with("#")) continue;
    std::istringstream fields(row);
    std::string kind, index, name, refusal;
    std::getline(fields, kind, '\t'), std::getline(fields, index, '\t');
    std::getline(fields, name, '\t'), std::getline(fields, refusal);
    const ResourceKind* k = std::find_if(std::begin(kResourceKinds), std::end(kResourceKinds),
                                         [&](ResourceKind r) { return KindWord(r) == kind; });
    ASSERT_NE(k, std::end(kResourceKinds)) << row;
    const std::string said = CheckResourceName(p, *k, name, std::stoi(index));
    if (refusal == "*")
      EXPECT_NE(said, "") << row;
    else
      EXPECT_EQ(said, refusal) << row;
    ++count;
  }
  EXPECT_GT(count, 30);
  LoadEngineNames("", "");
}

// golden/top_level_names.txt: declarations outside functions only, in any
// statement, never inside strings, comments, regular expressions or as
// property names.
TEST(TopLevelNames, FindsDeclarationsOutsideFunctionsOnly) {
  std::istringstream lines(test::ReadAll(std::string(VORLANE_GOLDEN_DIR) + "/top_level_names.txt"));
  std::string script, line;
  int cases = 0;
  std::getline(lines, line);  // what the file holds
  while (std::getline(lines, line)) {
    if (!line.starts_with("=>")) {
      script += (script.empty() ? "" : "\n") + line;
      continue;
    }
    std::vector<std::string> names;
    std::istringstream listed(line.substr(2));
    for (std::string name; listed >> name;) names.push_back(name);
    EXPECT_EQ(TopLevelNames(script), names) << script;
    script.clear(), ++cases;
  }
  EXPECT_EQ(cases, 9);
}

}  // namespace
}  // namespace vorlane

#include "project/rename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "project/project_file.h"
#include "project/reserved_names.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::SampleProject;

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
  const Project p = SampleProject();
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
    if (refusal == "*") EXPECT_NE(said, "") << row;
    else EXPECT_EQ(said, refusal) << row;
    ++count;
  }
  EXPECT_GT(count, 30);
  LoadEngineNames("", "");
}

// Every record naming the renamed one follows: an object's scripts,
// instances, children, collision partners (typed with blanks too) and views;
// a sprite's frames and objects with their pictures; a background's scenes and
// tiles; a scene's instances, layers and tiles. A plain kind changes only its
// name; unknown records and the same name change nothing, nor mark the project.
TEST(Rename, RenamesRippleThroughTheProject) {
  Project p = SampleProject();  // its objects' pictures are not set yet
  Project expected = p;
  for (std::string* field :
       {&expected.objects[0].name, &expected.objects[1].template_, &expected.objects[2].parent,
        &expected.objects[3].parent, &expected.scripts[0].object, &expected.scripts[1].object,
        &expected.scenes[0].viewportobject})
    *field = "hero";
  for (std::string* field : {&expected.objects[2].name, &expected.objects[3].template_,
                             &expected.scripts[1].parameter, &expected.scripts[2].object})
    *field = "block";
  for (std::string* field :
       {&expected.sprites[0].name, &expected.frames[0].sprite, &expected.frames[1].sprite,
        &expected.objects[0].sprite, &expected.objects[1].sprite})
    *field = "ship";
  expected.backgrounds[0].name = expected.scenes[0].background = "bricks";
  expected.scenes[0].name = expected.layers[0].scene = "level2";
  for (Tile& tile : expected.tiles) tile.background = "bricks", tile.scene = "level2";
  for (int i : {1, 3}) expected.objects[i].scene = "level2";
  expected.sounds[0].name = "snd_boop";
  p.scripts[1].parameter += " ";
  using K = ResourceKind;
  RenameResource(p, K::Sound, 5, "x");
  RenameResource(p, K::Scene, -1, "x");
  RenameResource(p, K::Object, 0, "obj_player");
  RenameResource(p, K::Object, ResourceIndex(p, K::Object, "obj_player"), "hero");
  RenameResource(p, K::Object, 2, "block");
  RenameResource(p, K::Sprite, 0, "ship");
  RenameResource(p, K::Background, 0, "bricks");
  RenameResource(p, K::Scene, 0, "level2");
  RenameResource(p, K::Sound, 0, "snd_boop");
  EXPECT_EQ(ProjectXml(p), ProjectXml(expected));
  EXPECT_EQ(p.modified, 0);
  for (int i : {0, 1}) {
    EXPECT_EQ(p.objects[i].image, p.frames[0].image);
    EXPECT_EQ(p.objects[i].imagewidth, 16);
  }
}

}  // namespace
}  // namespace vorlane

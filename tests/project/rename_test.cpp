#include "project/rename.h"

#include <gtest/gtest.h>

#include "project/project_file.h"
#include "project/reserved_names.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::SampleProject;

// The kind's word in every message; the record itself is left out of the
// duplicate check, objects share their list with instances, and the name
// must be a JavaScript identifier before anything else.
TEST(Rename, NameChecks) {
  Project p = SampleProject();
  using K = ResourceKind;
  EXPECT_EQ(CheckResourceName(p, K::Sprite, "", 0), "The sprite name is missing");
  EXPECT_EQ(CheckResourceName(p, K::Function, "", -1), "The function name is missing");
  EXPECT_EQ(CheckResourceName(p, K::Scene, "level", 0), "");
  EXPECT_EQ(CheckResourceName(p, K::Scene, "level", -1), "The scene name 'level' already exists");
  EXPECT_EQ(CheckResourceName(p, K::Object, "inst_11", 0),
            "The object name 'inst_11' already exists");
  EXPECT_EQ(CheckResourceName(p, K::Sprite, "my sprite", 0),
            "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not "
            "starting with a digit");
  EXPECT_EQ(CheckResourceName(p, K::Object, "new", 0),
            "The object name 'new' is not a valid name: it is a word JavaScript keeps for itself");
  for (const char* bad : {"2d", "don't", "a-b", "x.y", "\xc3\xa9t\xc3", "undefined", "class"})
    EXPECT_NE(CheckResourceName(p, K::Scene, bad, 0), "") << bad;
  for (const char* good :
       {"v\xc3\xa9", "parent_\xc3\xa9", "_x$2", "\xf0\x9d\x92\xb3", "a\xcc\x81", "New", "of"})
    EXPECT_EQ(CheckResourceName(p, K::Function, good, -1), "") << good;
}

// Every resource is a global of the game (a variable, and a constructor
// "__" + name for all but functions): after the rules above, a name the
// engine, the browser or another resource of any kind has is refused.
TEST(Rename, NamesTheGameAlreadyHasAreRefused) {
  test::ScopedTempDir dir;
  test::WriteAll("keywords.dat", "!instance_create\nhelp\n\n.speed\nhelp\n\n");
  LoadEngineNames("var score = 0;\nfunction __vr_run() { var local; }");
  const Project p = SampleProject();
  using K = ResourceKind;
  const std::string engine = "' is already used by the game engine";
  const std::string browser = "' is already used by the browser";
  const struct {
    K kind;
    std::string name;
    std::string refusal;
  } cases[] = {
      {K::Object, "score", "The object name 'score" + engine},
      {K::Sprite, "speed", "The sprite name 'speed" + engine},
      {K::Font, "instance_create", "The font name 'instance_create" + engine},
      {K::Sprite, "vr_run", "The sprite name 'vr_run" + engine},  // its constructor __vr_run
      {K::Function, "vr_run", ""},
      {K::Object, "local", ""},
      {K::Object, "Math", "The object name 'Math" + browser},
      {K::Sprite, "setTimeout", "The sprite name 'setTimeout" + browser},
      {K::Scene, "document", "The scene name 'document" + browser},
      {K::Sound, "top", "The sound name 'top" + browser},
      {K::Object, "name", "The object name 'name" + browser},
      {K::Object, "onload", "The object name 'onload" + browser},
      {K::Object, "Score", ""},  // case matters
      {K::Object, "level", "The object name 'level' is already used by the scene 'level'"},
      {K::Sprite, "obj_wall",
       "The sprite name 'obj_wall' is already used by the object 'obj_wall'"},
      {K::Music, "snd_jump", "The music name 'snd_jump' is already used by the sound 'snd_jump'"},
      {K::Scene, "add", "The scene name 'add' is already used by the function 'add'"},
      {K::Function, "__bg_tiles",
       "The function name '__bg_tiles' is already used by the background 'bg_tiles'"},
      {K::Sprite, "inst_11", ""},  // instances are no globals
      {K::Sprite, "spr_hero", ""},
      {K::Object, "Level", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckResourceName(p, c.kind, c.name, 0), c.refusal);
  LoadEngineNames("", "");
}

// Every record naming the renamed one follows: an object's scripts,
// instances, children, collision partners (typed with blanks too) and views;
// a sprite's frames and objects with their pictures; a background's scenes and
// tiles; a scene's instances, layers and tiles.
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
  p.scripts[1].parameter += " ";
  using K = ResourceKind;
  RenameResource(p, K::Object, ResourceIndex(p, K::Object, "obj_player"), "hero");
  RenameResource(p, K::Object, 2, "block");
  RenameResource(p, K::Sprite, 0, "ship");
  RenameResource(p, K::Background, 0, "bricks");
  RenameResource(p, K::Scene, 0, "level2");
  EXPECT_EQ(ProjectXml(p), ProjectXml(expected));
  for (int i : {0, 1}) {
    EXPECT_EQ(p.objects[i].image, p.frames[0].image);
    EXPECT_EQ(p.objects[i].imagewidth, 16);
  }
}

// Unknown records and the same name change nothing; the dialog marks the
// project, not the rename.
TEST(Rename, PlainKindsAndOddCallsChangeOnlyTheName) {
  Project p = SampleProject();
  const Project before = p;
  RenameResource(p, ResourceKind::Sound, 5, "x");
  RenameResource(p, ResourceKind::Scene, -1, "x");
  RenameResource(p, ResourceKind::Object, 0, "obj_player");
  RenameResource(p, ResourceKind::Sound, 0, "snd_boop");
  Project expected = before;
  expected.sounds[0].name = "snd_boop";
  EXPECT_EQ(ProjectXml(p), ProjectXml(expected));
  EXPECT_EQ(p.modified, 0);
}

}  // namespace
}  // namespace vorlane

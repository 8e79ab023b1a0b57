#include "editors/object_edits.h"

#include <gtest/gtest.h>

#include "support/sample_project.h"

namespace vorlane {
namespace {

// The sample's objects: obj_player (0, spr_hero) with instance inst_11 (1),
// obj_wall (2, parent obj_player) with instance inst_12 (3).
ObjectFields FieldsOf(const GameObject& object) {
  return {object.name,      object.sprite, object.visible, std::to_string(object.depth),
          object.collision, object.parent};
}

TEST(ObjectEdits, EveryRefusalMarksModifiedAndChangesNothingElse) {
  const struct {
    std::string name, message;
  } cases[] = {
      {"", "The object name is missing"},
      {"my enemy", "The object name 'my enemy' is not a valid name: "},
      {"obj_wall", "The object name 'obj_wall' already exists"},
      {"inst_12", "The object name 'inst_12' already exists"},  // a scene instance
  };
  for (const auto& c : cases) {
    Project project = test::SampleProject();
    const Project before = project;
    ObjectFields fields = FieldsOf(project.objects[0]);
    fields.name = c.name;
    fields.depth = "99";
    EXPECT_EQ(StoreObject(project, 0, fields).substr(0, c.message.size()), c.message) << c.name;
    EXPECT_EQ(project.modified, 1);
    project.modified = 0;
    EXPECT_EQ(project.objects, before.objects);
    EXPECT_EQ(project.scripts, before.scripts);
  }
  const Project project = test::SampleProject();
  EXPECT_TRUE(IsObjectNameUnique(project, "obj_player", 0));
  EXPECT_FALSE(IsObjectNameUnique(project, "obj_player", 2));
  EXPECT_FALSE(IsObjectNameUnique(project, "inst_11", 0));
  EXPECT_TRUE(IsObjectNameUnique(project, "Obj_player", 2));  // exact comparison
}

TEST(ObjectEdits, RenameRipplesAndInstancesTakeTheNewDepth) {
  Project project = test::SampleProject();
  project.scripts.push_back({"scr_20", "obj_wall", "Collision", "obj_player", ""});
  ObjectFields fields = FieldsOf(project.objects[0]);
  fields.name = "obj_hero";
  fields.depth = "-7 deep";
  ASSERT_EQ(StoreObject(project, 0, fields), "");

  EXPECT_EQ(project.objects[0].name, "obj_hero");
  EXPECT_EQ(project.objects[0].depth, -7);
  EXPECT_EQ(project.objects[1].template_, "obj_hero");
  EXPECT_EQ(project.objects[1].depth, -7);
  EXPECT_EQ(project.objects[2].parent, "obj_hero");
  EXPECT_EQ(project.objects[3].depth, 5);  // obj_wall's instance is not touched
  EXPECT_EQ(project.scripts[0].object, "obj_hero");
  EXPECT_EQ(project.scripts[1].object, "obj_hero");
  EXPECT_EQ(project.scripts[2].object, "obj_wall");
  EXPECT_EQ(project.scripts[3].parameter, "obj_hero");  // another object's collision event
  EXPECT_EQ(project.scenes[0].viewportobject, "obj_hero");
}

TEST(ObjectEdits, FieldsAndDisplayImagesAreStored) {
  Project project = test::SampleProject();
  const ImageRef first = project.frames[0].image;
  ObjectFields fields{"obj_wall", "spr_hero", 1, "x", 0, "gone"};
  ASSERT_EQ(StoreObject(project, 2, fields), "");
  const GameObject& wall = project.objects[2];
  EXPECT_EQ(wall.sprite, "spr_hero");
  EXPECT_EQ(wall.visible, 1);
  EXPECT_EQ(wall.depth, 0);  // no leading number
  EXPECT_EQ(wall.collision, 0);
  EXPECT_EQ(wall.parent, "gone");  // a name that no longer exists is kept
  for (const GameObject* record : {&project.objects[2], &project.objects[3]}) {
    EXPECT_EQ(record->sprite, "spr_hero");
    EXPECT_EQ(record->image, first);
    EXPECT_EQ(record->imagewidth, 16);
    EXPECT_EQ(record->imageheight, 16);
  }

  fields = FieldsOf(project.objects[0]);
  fields.sprite = "";
  ASSERT_EQ(StoreObject(project, 0, fields), "");
  for (const GameObject* record : {&project.objects[0], &project.objects[1]}) {
    EXPECT_EQ(record->sprite, "");
    EXPECT_EQ(record->image, nullptr);
    EXPECT_EQ(record->imagewidth, 0);
  }
  EXPECT_EQ(project.objects[3].sprite, "spr_hero");  // another object's instance
}

TEST(ObjectEdits, EventsAreListedByKindThenInCreationOrder) {
  Project project = test::SampleProject();
  const int step = AddScript(project, "obj_player", "Step", "");
  EXPECT_EQ(project.scripts[step].name, "scr_18");
  EXPECT_EQ(project.scripts[step].code, "");
  EXPECT_EQ(project.uid, 18);
  AddScript(project, "obj_player", "Destroy", "");
  AddScript(project, "obj_wall", "Creation", "");
  AddScript(project, "obj_player", "Step", "");
  AddScript(project, "obj_player", "Creation", "");
  AddScript(project, "obj_player", "Jump", "");  // a kind this program does not know
  // 0 Creation, 1 Collision, 2 obj_wall, 3 Step, 4 Destroy, 5 obj_wall, 6 Step, 7 Creation, 8 Jump
  EXPECT_EQ(ObjectEventRows(project, "obj_player"), (std::vector<int>{0, 7, 4, 3, 6, 1, 8}));

  project.modified = 0;
  DeleteEventScript(project, 3);
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(project.scripts.size(), 8u);
  EXPECT_EQ(project.scripts[3].event, "Destroy");
}

TEST(ObjectEdits, ThumbnailFitsThePictureAtTheTopLeftAndSizeTextNamesIt) {
  Image wide = Image::Opaque(30, 12);
  wide.Fill(Color{10, 20, 30, 255});
  const Image thumbnail = ObjectThumbnail(&wide, Image());
  ASSERT_EQ(thumbnail.width(), 100);
  ASSERT_EQ(thumbnail.height(), 100);
  EXPECT_EQ(thumbnail.Pixel(99, 39), (Color{10, 20, 30, 255}));
  EXPECT_EQ(thumbnail.Pixel(99, 40).a, 0);  // 100 x 40

  Image tall = Image::Transparent(200, 300);
  tall.Fill(Color{1, 2, 3, 255});
  const Image fitted = ObjectThumbnail(nullptr, tall);  // the placeholder, fitted the same way
  EXPECT_EQ(fitted.Pixel(66, 99).a, 255);               // 67 x 100
  EXPECT_EQ(fitted.Pixel(67, 0).a, 0);

  EXPECT_EQ(SpriteSizeText(&wide), "Size: 30 x 12 px");
  EXPECT_EQ(SpriteSizeText(nullptr), "Size: <no sprite>");
}

}  // namespace
}  // namespace vorlane

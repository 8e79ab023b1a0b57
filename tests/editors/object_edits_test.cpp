#include "editors/object_edits.h"

#include <gtest/gtest.h>

#include "support/sample_project.h"

namespace vorlane {
namespace {

// The sample's scripts: 0 obj_player Creation, 1 obj_player Collision with
// obj_wall, 2 obj_wall Step; its uid is 17.
TEST(ObjectEvents, ListedByKindThenInCreationOrder) {
  Project project = test::SampleProject();
  const int step = AddScript(project, "obj_player", "Step", "");
  EXPECT_EQ(project.scripts[step].name, "scr_18");
  EXPECT_EQ(project.uid, 18);
  AddScript(project, "obj_player", "Destroy", "");
  AddScript(project, "obj_wall", "Creation", "");
  AddScript(project, "obj_player", "Step", "");
  AddScript(project, "obj_player", "Creation", "");
  AddScript(project, "obj_player", "Jump", "");  // a kind this program does not know
  AddScript(project, "obj_player", "Key pressed", "Space");
  AddScript(project, "obj_player", "Alarm", "3");
  EXPECT_EQ(ObjectEventRows(project, "obj_player"),
            (std::vector<int>{0, 7, 4, 3, 6, 1, 10, 9, 8}));

  project.modified = 0;
  DeleteEventScript(project, 3);
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(project.scripts[3].event, "Destroy");
}

TEST(ObjectEvents, ParametersOfEachKind) {
  struct Row {
    const char* event;
    size_t count;
    const char* first;
    const char* last;
  };
  for (const Row& r : {Row{"Keyboard", 9 + 26 + 10 + 12 + 1, "Left", "Any key"},
                       Row{"Key released", 58, "Left", "Any key"},
                       Row{"Mouse", 12, "Left pressed", "Global middle released"},
                       Row{"Alarm", 12, "0", "11"}, Row{"Collision", 0, "", ""}}) {
    const std::vector<std::string> p = EventParameters(r.event);
    ASSERT_EQ(p.size(), r.count) << r.event;
    if (r.count) EXPECT_EQ(p.front() + "/" + p.back(), std::string(r.first) + "/" + r.last);
  }
  EXPECT_EQ(EventParameters("Key pressed")[9 + 26 + 10], "F1");
}

// An event added and left without code is taken back with the modified flag
// it had; one with code stays.
TEST(ObjectEvents, AnEmptyNewEventIsTakenBack) {
  for (const int was_modified : {0, 1}) {
    Project project = test::SampleProject();
    project.modified = was_modified;
    const int added = AddScript(project, "obj_player", "Step", "");
    SetModified(project, 1);
    TakeBackEmptyEvent(project, added, was_modified);
    EXPECT_EQ(project.scripts.size(), 3u);
    EXPECT_EQ(project.modified, was_modified);
  }
  Project project = test::SampleProject();
  TakeBackEmptyEvent(project, 0, 0);
  EXPECT_EQ(project.scripts.size(), 3u) << "the Creation event has code";
  EXPECT_EQ(project.modified, 0);
}

// Fitted at the top left of 100 x 100, shape kept; the placeholder likewise.
TEST(ObjectEdits, ThumbnailAndSizeText) {
  Image wide = Image::Opaque(30, 12);
  wide.Fill(Color{10, 20, 30, 255});
  const Image thumbnail = ObjectThumbnail(&wide, Image());
  ASSERT_EQ(thumbnail.width(), 100);
  ASSERT_EQ(thumbnail.height(), 100);
  EXPECT_EQ(thumbnail.Pixel(99, 39), (Color{10, 20, 30, 255}));
  EXPECT_EQ(thumbnail.Pixel(99, 40).a, 0);

  Image tall = Image::Transparent(200, 300);
  tall.Fill(Color{1, 2, 3, 255});
  const Image fitted = ObjectThumbnail(nullptr, tall);
  EXPECT_EQ(fitted.Pixel(66, 99).a, 255);  // 67 x 100
  EXPECT_EQ(fitted.Pixel(67, 0).a, 0);

  EXPECT_EQ(SpriteSizeText(&wide), "Size: 30 x 12 px");
  EXPECT_EQ(SpriteSizeText(nullptr), "Size: <no sprite>");
}

}  // namespace
}  // namespace vorlane

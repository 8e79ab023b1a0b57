#include "project/model.h"

#include <gtest/gtest.h>

#include "gui/golden.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

// What an edit leaves: the records as they would be saved, the names it
// gave, and each object's picture (its size, and whether it is its sprite's
// first frame).
std::string Described(const Project& p, const std::vector<std::string>& names) {
  std::string out = ProjectXml(p) + "\nmodified " + std::to_string(p.modified) + "\nnames";
  for (const std::string& name : names) out += " " + name;
  for (const GameObject& o : p.objects) {
    out += "\n" + o.name + ": ";
    if (!o.image)
      out += "-";
    else
      out += std::to_string(o.imagewidth) + " x " + std::to_string(o.imageheight) +
             (o.image == FirstFrameImage(p, o.sprite) ? " first frame" : " other");
  }
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
    p.frames.push_back({"0", made[0], ShareImage(Image::Transparent(16, 4)), "", 0, -1});
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

}  // namespace
}  // namespace vorlane

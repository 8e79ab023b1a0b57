// What each property dialog's "Done" checks and stores, called without a
// window. The name rule itself is the rename test's; here each kind must use
// it for its own record and store nothing when it refuses.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "editors/background_edits.h"
#include "editors/font_edits.h"
#include "editors/function_edits.h"
#include "editors/object_edits.h"
#include "editors/pending_file.h"
#include "editors/sound_edits.h"
#include "editors/sprite_edits.h"
#include "gui/file_limits.h"
#include "gui/file_util.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

ObjectFields FieldsOf(const GameObject& o) {
  return {o.name, o.sprite, o.visible, std::to_string(o.depth), o.collision, o.parent};
}

Strings AsList(const std::string& message) {
  return message.empty() ? Strings{} : Strings{message};
}

// "Done" of record 0 of `kind` with only its name changed.
Strings Done(Project& p, ResourceKind kind, const std::string& name) {
  const auto s = [](int v) { return std::to_string(v); };
  switch (kind) {
    case ResourceKind::Sprite: return AsList(StoreSpriteName(p, 0, name));
    case ResourceKind::Sound: return StoreSound(p, kind, 0, name, PendingOf(p.sounds[0]));
    case ResourceKind::Music: return StoreSound(p, kind, 0, name, PendingOf(p.musics[0]));
    case ResourceKind::Background: {
      const Background& b = p.backgrounds[0];
      return StoreBackground(
          p, 0,
          {name, b.file, b.tile == 1, s(b.tilewidth), s(b.tileheight), s(b.tilexoffset),
           s(b.tileyoffset), s(b.tilexspace), s(b.tileyspace)});
    }
    case ResourceKind::Font: {
      const Font& f = p.fonts[0];
      return StoreFont(p, 0, {name, f.family, s(f.size), f.bold == 1, f.italic == 1});
    }
    case ResourceKind::Object: {
      ObjectFields fields = FieldsOf(p.objects[0]);
      fields.name = name;
      return AsList(StoreObject(p, 0, fields));
    }
    case ResourceKind::Function: return StoreFunction(p, 0, {name, p.fns[0].params, p.fns[0].code});
    case ResourceKind::Scene: break;  // the scene editor's own test
  }
  return {"no such dialog"};
}

constexpr ResourceKind kEdited[] = {
    ResourceKind::Sprite, ResourceKind::Sound,  ResourceKind::Music,   ResourceKind::Background,
    ResourceKind::Font,   ResourceKind::Object, ResourceKind::Function};

// A refused name (missing, not a name, another record's, a scene instance's)
// changes no record, though every kind but functions marks the project
// first; its own name and a free one are taken, the free one renames it.
TEST(StoreTest, EachKindChecksItsNameByTheRenameRule) {
  for (const ResourceKind kind : kEdited) {
    SCOPED_TRACE(KindWord(kind));
    const char* instance = kind == ResourceKind::Object ? "inst_12" : "";  // only objects clash
    for (const std::string name : {"", "a b", "obj_wall", instance}) {
      SCOPED_TRACE("'" + name + "'");
      Project p = test::SampleProject();
      const std::string before = ProjectXml(p);
      const Strings messages = Done(p, kind, name);
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].rfind(std::string("The ") + KindWord(kind) + " name", 0), 0u)
          << messages[0];
      EXPECT_EQ(ProjectXml(p), before);
      EXPECT_EQ(p.modified, kind == ResourceKind::Function ? 0 : 1);
    }
    Project p = test::SampleProject();
    EXPECT_EQ(Done(p, kind, ResourceName(p, kind, 0)), Strings{});
    EXPECT_EQ(Done(p, kind, "renamed"), Strings{});
    EXPECT_EQ(ResourceName(p, kind, 0), "renamed");
    EXPECT_EQ(p.modified, 1);
  }
}

TEST(StoreTest, FontAndFunctionFields) {
  Project p = test::SampleProject();
  p.fonts.push_back({"body", "Verdana", 10, 0, 1});
  EXPECT_EQ(StoreFont(p, 1, {"text", "Georgia", "014", true, false}), Strings{});
  EXPECT_EQ(p.fonts[1], (Font{"text", "Georgia", 14, 1, 0}));
  // A name and a size message come together; a valid name is kept though
  // the size is refused, the other fields are not.
  EXPECT_EQ(StoreFont(p, 1, {"fnt_score", "X", "", true, true}),
            (Strings{"The font name 'fnt_score' already exists", "The font size '' is invalid"}));
  EXPECT_EQ(StoreFont(p, 1, {"small", "X", "0", false, true}),
            Strings{"The font size '0' is invalid"});
  EXPECT_EQ(p.fonts[1], (Font{"small", "Georgia", 14, 1, 0}));
  // Whole numbers from 1 that fit an int.
  EXPECT_EQ(FontSizeOf("2147483647"), 2147483647);
  for (const char* refused : {"", "0", "2147483648", "-3", "1x", " 5"})
    EXPECT_EQ(FontSizeOf(refused), 0) << refused;

  // A function keeps its description.
  EXPECT_EQ(StoreFunction(p, 0, {"spin", "a,b", "return b;"}), Strings{});
  EXPECT_EQ(p.fns[0], (UserFunction{"spin", "a,b", "Adds \"two\"", "return b;"}));
}

// The sample: obj_player (0) with instance inst_11 (1), obj_wall (2, parent
// obj_player) with instance inst_12 (3).
TEST(StoreTest, AnObjectRenameRipplesAndItsInstancesFollow) {
  Project p = test::SampleProject();
  ObjectFields fields = FieldsOf(p.objects[0]);
  fields.name = "obj_hero";
  fields.depth = "-7 deep";
  ASSERT_EQ(StoreObject(p, 0, fields), "");
  EXPECT_EQ(p.objects[1].template_, "obj_hero");
  EXPECT_EQ(p.objects[1].depth, -7);
  EXPECT_EQ(p.objects[3].depth, 5) << "obj_wall's instance";
  EXPECT_EQ(p.objects[2].parent, "obj_hero");
  EXPECT_EQ(p.scripts[1].object, "obj_hero");

  // The sprite reaches the object and its instances.
  fields = {"obj_wall", "spr_hero", 1, "x", 0, "gone"};
  ASSERT_EQ(StoreObject(p, 2, fields), "");
  EXPECT_EQ(p.objects[2].depth, 0);
  EXPECT_EQ(p.objects[2].parent, "gone") << "a name that no longer exists is kept";
  for (const int i : {2, 3}) {
    EXPECT_EQ(p.objects[i].sprite, "spr_hero");
  }
  fields = FieldsOf(p.objects[0]);
  fields.sprite = "";
  ASSERT_EQ(StoreObject(p, 0, fields), "");
  EXPECT_EQ(p.objects[1].sprite, "");
  EXPECT_EQ(p.objects[3].sprite, "spr_hero") << "another object's instance";
}

class FileStoreTest : public test::InTempDir {
 protected:
  void SetUp() override {
    MakeDirectory("work");
    MakeDirectory("chosen");
    project_ = test::SampleProject();
    project_.tempfolder = "work";
  }
  Project project_;
};

// Chosen files are copied in; stored names and empty files are not.
TEST_F(FileStoreTest, ChosenFilesAreCopiedStoredOnesAreNot) {
  test::WriteAll("chosen/big.mp3", "mp3 bytes");
  test::WriteAll("chosen/silent.ogg", "");
  test::WriteAll("work/jump.wav", "stored");
  EXPECT_EQ(StoreSound(project_, ResourceKind::Sound, 0, "snd_jump",
                       {"jump.wav", "./chosen/big.mp3", "./chosen/silent.ogg"}),
            Strings{});
  EXPECT_EQ(project_.sounds[0], (Sound{"snd_jump", "jump.wav", "big.mp3", "silent.ogg"}));
  EXPECT_EQ(test::ReadAll("work/jump.wav"), "stored");
  EXPECT_EQ(test::ReadAll("work/big.mp3"), "mp3 bytes");
  EXPECT_FALSE(FileExists("work/silent.ogg"));
  EXPECT_EQ(BareName("/a/b/boom.wav"), "boom.wav");

  ASSERT_TRUE(SavePng(test::SampleTileSet(), "chosen/set.png"));
  EXPECT_EQ(StoreBackground(project_, 0,
                            {"bg_tiles", "./chosen/set.png", false, "16px", "99999999999", "",
                             "abc", "007", "2 3"}),
            Strings{});
  const Background& b = project_.backgrounds[0];
  EXPECT_EQ(b.file, "set.png");
  EXPECT_EQ(b.tile, 0);
  EXPECT_EQ(std::vector<int>({b.tilewidth, b.tileheight, b.tilexoffset, b.tileyoffset, b.tilexspace,
                              b.tileyspace}),
            std::vector<int>({16, INT_MAX, 0, 0, 7, 2}));
  EXPECT_EQ(LoadImageFile("work/set.png"), test::SampleTileSet());
}

// A file that cannot be added is named with the reason, and the record,
// its new name included, stays as it was.
TEST_F(FileStoreTest, AFileThatCannotBeAddedLeavesTheRecordAlone) {
  test::WriteAll("chosen/new.wav", "wav");
  test::WriteAll("chosen/new.mp3", "mp3");
  test::WriteAll("chosen/big.png", "");
  std::filesystem::resize_file("chosen/big.png", kMaxPictureFileBytes + 1);  // sparse
  MakeDirectory("work/new.mp3");  // in the way: no rename replaces a folder
  test::WriteAll("work/new.mp3/keep", "x");
  const std::string before = ProjectXml(project_);
  const Strings sound = StoreSound(project_, ResourceKind::Sound, 0, "bang",
                                   {"./chosen/new.wav", "./chosen/new.mp3", "./gone.ogg"});
  ASSERT_EQ(sound.size(), 2u);
  EXPECT_EQ(sound[0].rfind("The file \"./chosen/new.mp3\" could not be added. ", 0), 0u);
  EXPECT_EQ(sound[1], "The file \"./gone.ogg\" could not be added: it no longer exists.");
  const Strings big = StoreBackground(project_, 0, {"bg_new", "./chosen/big.png"});
  ASSERT_EQ(big.size(), 1u);
  EXPECT_NE(big[0].find("larger than"), std::string::npos) << big[0];
  EXPECT_EQ(ProjectXml(project_), before);
  EXPECT_FALSE(FileExists("work/big.png"));
}

}  // namespace
}  // namespace vorlane

// One wiring test per property dialog: its controls reach the decision
// functions (whose rules editors/*_test.cpp prove), its buttons and
// requesters work, nothing in it is cut off, and only its buttons end it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

#include "code/ui/code_editor.h"
#include "code/ui/event_code_dialog.h"
#include "editors/sprite_edits.h"
#include "editors/ui/background_dialog.h"
#include "editors/ui/editor_dialogs.h"
#include "editors/ui/font_dialog.h"
#include "editors/ui/function_dialog.h"
#include "editors/ui/object_dialog.h"
#include "editors/ui/sound_dialog.h"
#include "editors/ui/sprite_dialog.h"
#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "image/ui/strip_import.h"
#include "support/qt_app.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class PropertyDialogsTest : public test::DialogTest {
 protected:
  void SetUp() override {
    MakeDirectory("work");
    MakeDirectory("chosen");
    project_.tempfolder = "work";
    test::WriteSampleMedia("work");
    SpritePreview() = SpritePreviewSettings{};
  }
  template <typename Dialog>
  ScriptedDialogs& Drive(const std::string& title, std::function<void(Dialog&)> act) {
    return DriveWindow<Dialog>(title, std::move(act));
  }
  Project project_ = test::SampleProject();
  Preferences prefs_;
  KeywordList keywords_;
};

// Fields reach the sprite as they are typed; the preview follows the zoom
// and speed, which last for the run; Load and Edit reach the frames.
TEST_F(PropertyDialogsTest, Sprite) {
  Image strip = Image::Opaque(40, 10);
  strip.Fill(Color{1, 2, 3, 255});
  ASSERT_TRUE(SavePng(strip, "chosen/strip.png"));
  Drive<SpriteDialog>("Sprite properties - spr_hero",
                      [this](SpriteDialog& d) {
                        EXPECT_EQ(d.size_label()->text(), "Size: 24 x 20");  // the last frame
                        d.origin_x()->setText("99");  // wider than the frame: kept as it was
                        EXPECT_EQ(project_.sprites[0].centerx, 6);
                        ClickButton(d, "Center");
                        EXPECT_EQ(project_.sprites[0].centerx, 12);
                        EXPECT_EQ(d.origin_y()->text(), "10");
                        d.shape_list()->setCurrentText("Box");
                        EXPECT_EQ(project_.sprites[0].collisionshape, "Box");
                        d.shape_list()->setCurrentText("Circle");
                        d.shape_field(0)->setText("9");
                        EXPECT_EQ(project_.sprites[0].collisionradius, 9);
                        EXPECT_EQ(d.animation().interval(), 33);
                        d.speed_field()->setText("10");
                        EXPECT_EQ(d.animation().interval(), 100);
                        d.zoom_slider()->setValue(4);
                        EXPECT_EQ(d.preview()->picture_width(), 96);
                        ClickButton(d, "Load...");
                        EXPECT_EQ(d.size_label()->text(), "Size: 10 x 10");
                        ClickButton(d, "Edit");
                        d.name_field()->setText("spr_player");
                        d.done_button()->click();
                      })
      .PickFile("chosen/strip.png")
      .Drive([](QDialog& window) {
        auto& import = static_cast<StripImportDialog&>(window);
        import.columns_field()->setText("4");
        import.import_button()->click();
      })
      .Drive(test::Press("Done"));
  project_.sprites.push_back({.name = "spr_bare"});
  Drive<SpriteDialog>("Sprite properties - spr_bare", [](SpriteDialog& d) {
    EXPECT_EQ(d.zoom_slider()->value(), 4);
    EXPECT_FALSE(d.animation().isActive()) << "no frames: nothing to animate";
    d.done_button()->click();
  });
  EditStack history(project_);
  EditSprite(nullptr, history, "spr_hero");
  EditSprite(nullptr, history, "spr_bare");
  EXPECT_EQ(project_.sprites[0].name, "spr_player");
  EXPECT_EQ(project_.frames.size(), 4u);
  EXPECT_EQ(project_.sprites[0].collisionradius, 5) << "Load fits the shape to one cell";
}

// Each source's buttons open its requester and show the choice; choices,
// unsets and the name wait for Done, which copies the files in.
TEST_F(PropertyDialogsTest, SoundAndMusic) {
  test::WriteAll("chosen/loud.mp3", "mp3 bytes");
  test::WriteAll("chosen/intro.ogg", "ogg bytes");
  const auto label = [](SoundDialog& d, SoundSource s) { return d.file_label(s)->text(); };
  Drive<SoundDialog>("Sound properties - snd_jump",
                     [&](SoundDialog& d) {
                       d.set_button(SoundSource::Wav)->click();  // cancelled
                       EXPECT_EQ(label(d, SoundSource::Wav), "File: jump.wav");
                       d.set_button(SoundSource::Mp3)->click();
                       EXPECT_EQ(label(d, SoundSource::Mp3), "File: loud.mp3");
                       d.unset_button(SoundSource::Ogg)->click();  // No
                       d.unset_button(SoundSource::Ogg)->click();
                       EXPECT_EQ(label(d, SoundSource::Ogg), "File: ");
                       d.name_field()->setText("snd_bang");
                       EXPECT_EQ(project_.sounds[0].name, "snd_jump");
                       d.done_button()->click();
                     })
      .Cancel()
      .PickFile("./chosen/loud.mp3")
      .AnswerNo()
      .AnswerYes();
  EditSound(nullptr, project_, "snd_jump");
  EXPECT_EQ(project_.sounds[0], (Sound{"snd_bang", "jump.wav", "loud.mp3", ""}));
  EXPECT_EQ(test::ReadAll("work/loud.mp3"), "mp3 bytes");

  Drive<SoundDialog>("Music properties - mus_theme", [&](SoundDialog& d) {
    d.set_button(SoundSource::Ogg)->click();
    d.done_button()->click();
  }).PickFile("./chosen/intro.ogg");
  EditMusic(nullptr, project_, "mus_theme");
  EXPECT_EQ(test::ReadAll("work/" + project_.musics[0].ogg), "ogg bytes");
  EXPECT_EQ(dialogs_.Boxes(), Strings(2, "Confirm: Remove OGG source?"));
}

// A chosen picture takes effect at once (card, tiles); a bad one changes
// nothing. The tile box shows the panel and the grid, which follows the
// numbers as they are typed; Done stores them.
TEST_F(PropertyDialogsTest, Background) {
  Image narrow = Image::Opaque(16, 16);
  narrow.Fill(Color{200, 0, 0, 255});
  ASSERT_TRUE(SavePng(narrow, "chosen/narrow.png"));
  test::WriteAll("chosen/text.png", "not a picture");
  Drive<BackgroundDialog>(
      "Background properties - bg_tiles",
      [&](BackgroundDialog& d) {
        // Cell (0, 0) starts at the offsets (1, 2): its top edge inverts black.
        const auto shown = [&d](int x, int y) { return d.canvas()->grab().toImage().pixel(x, y); };
        EXPECT_EQ(shown(5, 1), qRgb(0, 0, 0));
        d.field(BackgroundDialog::kYOffset)->setText("1");
        EXPECT_EQ(shown(5, 1), qRgb(255, 255, 255));
        d.tile_box()->click();
        EXPECT_FALSE(d.rect().intersects(d.tile_panel()->geometry()));
        EXPECT_EQ(shown(5, 1), qRgb(0, 0, 0));
        d.tile_box()->click();
        EXPECT_TRUE(d.rect().contains(d.tile_panel()->geometry()));
        d.field(BackgroundDialog::kWidth)->setText("8");
        d.select_button()->click();  // not a picture
        EXPECT_EQ(project_.tiles.size(), 2u);
        d.select_button()->click();
        EXPECT_EQ(d.file_label()->text(), "File: narrow.png");
        EXPECT_EQ(d.canvas()->size(), QSize(16, 16));
        EXPECT_EQ(project_.tiles.size(), 1u) << "ApplyBackgroundPicture at once";
        d.done_button()->click();
      })
      .PickFile("chosen/text.png")
      .PickFile("chosen/narrow.png");
  EditBackground(nullptr, project_, "bg_tiles");
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Error: The image \"chosen/text.png\" could not be loaded: "
                                      "it is not a PNG, JPEG or BMP picture."});
  const Background& b = project_.backgrounds[0];
  EXPECT_EQ(std::vector<int>({b.tile, b.tilewidth, b.tileheight, b.tileyoffset}),
            std::vector<int>({1, 8, 24, 1}));
  EXPECT_EQ(LoadImageFile("work/" + b.file), narrow);
  project_.backgrounds.push_back({.name = "bg_sky", .file = "missing.png"});
  Drive<BackgroundDialog>("Background properties - bg_sky", [](BackgroundDialog& d) {
    EXPECT_EQ(d.canvas()->size(), QSize(0, 0)) << "a picture that will not load shows nothing";
    d.done_button()->click();
  });
  EditBackground(nullptr, project_, "bg_sky");
}

// Fields show the record and reach it on Done; the size takes digits only.
TEST_F(PropertyDialogsTest, Font) {
  Drive<FontDialog>("Font properties - fnt_score", [](FontDialog& d) {
    EXPECT_EQ(d.family_field()->text(), "Sans");
    EXPECT_EQ(d.size_field()->text(), "20");
    EXPECT_TRUE(d.bold_box()->isChecked());
    EXPECT_FALSE(d.italic_box()->isChecked());
    d.size_field()->setText("-7a");
    EXPECT_EQ(d.size_field()->text(), "7");
    d.size_field()->insert("x8");
    d.italic_box()->setChecked(true);
    d.bold_box()->setChecked(false);
    d.family_field()->setText("Mono");
    d.name_field()->setText("fnt_title");
    d.done_button()->click();
  });
  EditFont(nullptr, project_, "fnt_score");
  EXPECT_EQ(project_.fonts[0], (Font{"fnt_title", "Mono", 78, 0, 1}));
}

// The code and parameters reach the function on Done. What every property
// dialog shares is proven here once: a refused name is said and keeps the
// dialog open, Delete asks first.
TEST_F(PropertyDialogsTest, Function) {
  Drive<FunctionDialog>("Function properties - add", [](FunctionDialog& d) {
    EXPECT_EQ(d.params_field()->text(), "a, b");
    EXPECT_EQ(d.editor()->GetEditorText(), "return a + b;");
    d.name_field()->setText("a b");
    d.done_button()->click();  // refused
    d.name_field()->setText("mix");
    d.params_field()->setText("x y");
    d.editor()->SetEditorText("return x;\nreturn y;", false);
    d.done_button()->click();
  });
  EditFunction(nullptr, project_, prefs_, keywords_, "add");
  EXPECT_EQ(project_.fns[0], (UserFunction{"mix", "x y", "Adds \"two\"", "return x;\nreturn y;"}));
  Drive<FunctionDialog>("Function properties - mix", [](FunctionDialog& d) {
    d.delete_button()->click();
  }).AnswerYes();
  EditFunction(nullptr, project_, prefs_, keywords_, "mix");
  EXPECT_TRUE(project_.fns.empty());
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The function name 'a b' is not a valid name", 0), 0u);
}

// Each row as "Event/Parameter".
QStringList Rows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i)
    rows << list.topLevelItem(i)->text(0) + "/" + list.topLevelItem(i)->text(1);
  return rows;
}

// The lists offer the sprites and the other objects; the code preview
// follows the selected event; events are added, edited (double click or
// popup) and deleted after asking; the fields reach the object on Done.
TEST_F(PropertyDialogsTest, Object) {
  Drive<ObjectDialog>("Object properties - obj_player",
                      [this](ObjectDialog& d) {
                        EXPECT_FALSE(d.sprite_list()->itemIcon(1).isNull());
                        EXPECT_EQ(d.parent_list()->count(), 2) << "none, obj_wall; not itself";
                        QTreeWidget& events = *d.event_list();
                        EXPECT_EQ(Rows(events), QStringList({"Creation/", "Collision/obj_wall"}));
                        events.setCurrentItem(events.topLevelItem(1));
                        EXPECT_EQ(d.code_preview()->toPlainText(), "if (a < b && c) {\n}");
                        d.event_kind_list()->setCurrentText("Step");
                        d.add_event_button()->click();  // its code window cancelled: not kept
                        EXPECT_EQ(events.topLevelItemCount(), 2);
                        d.event_kind_list()->setCurrentText("Key pressed");
                        d.add_event_button()->click();  // chooser cancelled: nothing added
                        d.add_event_button()->click();
                        EXPECT_EQ(Rows(events).last(), "Key pressed/Space");
                        emit events.itemDoubleClicked(events.topLevelItem(0), 0);
                        EXPECT_EQ(d.code_preview()->toPlainText(), "speed = 8;");
                        emit events.customContextMenuRequested(
                            events.visualItemRect(events.topLevelItem(1)).center());
                        EXPECT_TRUE(d.event_menu()->isVisible());
                        d.event_menu()->hide();
                        d.delete_event_action()->trigger();  // No
                        d.delete_event_action()->trigger();
                        EXPECT_EQ(Rows(events), QStringList({"Creation/", "Key pressed/Space"}));
                        d.sprite_list()->setCurrentIndex(0);
                        EXPECT_EQ(d.size_label()->text(), "Size: <no sprite>");
                        EXPECT_EQ(project_.objects[0].sprite, "spr_hero") << "only Done stores";
                        d.name_field()->setText("obj_hero");
                        d.depth_field()->setText("3");
                        d.done_button()->click();
                      })
      .Cancel()
      .Cancel()
      .Drive([](QDialog& chooser) {
        chooser.findChild<QComboBox*>("parameter")->setCurrentText("Space");
        chooser.accept();
      })
      .Drive([](QDialog& window) {
        auto& code = static_cast<EventCodeDialog&>(window);
        code.editor()->SetEditorText("jump();", false);
        code.ok_button()->click();
      })
      .Drive([](QDialog& window) {
        auto& code = static_cast<EventCodeDialog&>(window);
        code.editor()->SetEditorText("speed = 8;", false);
        code.ok_button()->click();
      })
      .AnswerNo()
      .AnswerYes();
  EditObject(nullptr, project_, prefs_, keywords_, "obj_player");
  EXPECT_EQ(dialogs_.shown()[1].title, "Code editor - Step event of obj_player");
  EXPECT_EQ(dialogs_.shown()[4].title, "Code editor - Key pressed event (Space) of obj_player");
  EXPECT_EQ(dialogs_.Boxes(), Strings(2, "Confirm: Delete this event?"));
  EXPECT_EQ(project_.objects[1].template_, "obj_hero");
  EXPECT_EQ(project_.objects[1].depth, 3);
  EXPECT_EQ(project_.objects[0].sprite, "");
  EXPECT_EQ(project_.scripts[0].code, "speed = 8;");
  EXPECT_EQ(project_.scripts.size(), 3u);
}

// The browser's Edit opens every record of the name in turn; Delete asks.
TEST_F(PropertyDialogsTest, EveryRecordOfTheNameIsEdited) {
  project_.fonts.push_back({.name = "fnt_score"});
  Drive<FontDialog>("Font properties - fnt_score", [](FontDialog& d) {
    d.name_field()->setText("fnt_heading");
    d.done_button()->click();
  });
  Drive<FontDialog>("Font properties - fnt_score", [](FontDialog& d) {
    d.delete_button()->click();
  }).AnswerYes();
  EditFont(nullptr, project_, "fnt_score");
  ASSERT_EQ(project_.fonts.size(), 1u);
  EXPECT_EQ(project_.fonts[0].name, "fnt_heading");
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Confirm: Do you really want to delete this font?"});
}

}  // namespace
}  // namespace vorlane

#include "editors/ui/sound_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/ui/editor_dialogs.h"
#include "gui/file_util.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class SoundDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    MakeDirectory("work");
    MakeDirectory("chosen");
    project_.tempfolder = "work";
    project_.sounds = {{"boom", "boom.wav", "", "boom.ogg"}};
    project_.musics = {{"theme", "", "theme.mp3", ""}, {"calm", "", "", ""}};
  }
  // The next dialog, driven by `act`.
  void Drive(std::function<void(SoundDialog&)> act) {
    dialogs_.Drive([act](QDialog& window) { act(static_cast<SoundDialog&>(window)); });
  }
  static std::string Label(const SoundDialog& dialog, SoundSource source) {
    return dialog.file_label(source)->text().toStdString();
  }
  Project project_;
};

TEST_F(SoundDialogTest, ControlsSitWhereTheLayoutSays) {
  Drive([](SoundDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Sound properties - boom");
    EXPECT_EQ(dialog.size(), QSize(480, 220));
    EXPECT_EQ(dialog.name_field()->geometry(), QRect(10, 10, 230, 25));
    EXPECT_EQ(dialog.done_button()->geometry(), QRect(405, 185, 65, 25));
    for (const SoundSource source : kSoundSources) {
      const int y = 40 + 30 * static_cast<int>(source);
      EXPECT_EQ(dialog.set_button(source)->geometry(), QRect(10, y, 150, 25));
      EXPECT_EQ(dialog.file_label(source)->geometry(), QRect(170, y + 5, 230, 25));
      EXPECT_EQ(dialog.unset_button(source)->geometry(), QRect(420, y, 50, 25));
      const QPushButton* unset = dialog.unset_button(source);
      EXPECT_EQ(unset->text(), "<< Unset");
      EXPECT_LT(QFontMetrics(unset->font()).horizontalAdvance(unset->text()), 50);  // not cut off
    }
    EXPECT_EQ(dialog.set_button(SoundSource::Ogg)->text(), "Set OGG file...");
    EXPECT_EQ(Label(dialog, SoundSource::Wav), "File: boom.wav");
    EXPECT_EQ(Label(dialog, SoundSource::Mp3), "File: ");
    dialog.done_button()->click();
  });
  EditSound(nullptr, project_, "boom");
}

TEST_F(SoundDialogTest, ChoicesAndUnsetsWaitForDone) {
  test::WriteAll("chosen/loud.mp3", "mp3 bytes");
  test::WriteAll("chosen/quiet.wav", "");
  Drive([this](SoundDialog& dialog) {
    dialog.set_button(SoundSource::Wav)->click();  // cancelled
    EXPECT_EQ(Label(dialog, SoundSource::Wav), "File: boom.wav");
    dialog.set_button(SoundSource::Mp3)->click();
    EXPECT_EQ(Label(dialog, SoundSource::Mp3), "File: loud.mp3");
    dialog.set_button(SoundSource::Wav)->click();
    dialog.unset_button(SoundSource::Ogg)->click();  // No
    EXPECT_EQ(Label(dialog, SoundSource::Ogg), "File: boom.ogg");
    dialog.unset_button(SoundSource::Ogg)->click();  // Yes
    EXPECT_EQ(Label(dialog, SoundSource::Ogg), "File: ");
    dialog.name_field()->setText("bang");
    EXPECT_EQ(project_.sounds[0], (Sound{"boom", "boom.wav", "", "boom.ogg"}));
    dialog.done_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  dialogs_.Cancel()
      .PickFile("./chosen/loud.mp3")
      .PickFile("./chosen/quiet.wav")
      .AnswerNo()
      .AnswerYes();
  EditSound(nullptr, project_, "boom");
  EXPECT_EQ(project_.sounds[0], (Sound{"bang", "quiet.wav", "loud.mp3", ""}));
  EXPECT_EQ(test::ReadAll("work/loud.mp3"), "mp3 bytes");
  EXPECT_FALSE(FileExists("work/quiet.wav"));  // empty: named, not copied
  EXPECT_EQ(project_.modified, 1);
  const Strings opened = {"open: Select a sound WAV files(*.wav)|*.wav",
                          "open: Select a sound MP3 files(*.mp3)|*.mp3",
                          "open: Select a sound WAV files(*.wav)|*.wav"};
  Strings requests;
  for (const auto& shown : dialogs_.shown())
    if (shown.kind == "open") requests.push_back("open: " + shown.title + " " + shown.text);
  EXPECT_EQ(requests, opened);
  EXPECT_EQ(dialogs_.Boxes(),
            (Strings{"Confirm: Remove OGG source?", "Confirm: Remove OGG source?"}));
}

TEST_F(SoundDialogTest, AFileGoneBeforeDoneIsReportedAndTheDialogStaysOpen) {
  test::WriteAll("chosen/intro.ogg", "ogg bytes");
  Drive([this](SoundDialog& dialog) {
    dialog.set_button(SoundSource::Ogg)->click();
    dialog.name_field()->setText("intro");
    DeleteFile("chosen/intro.ogg");
    dialog.done_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.pending()[2], "./chosen/intro.ogg");
    EXPECT_EQ(Label(dialog, SoundSource::Ogg), "File: intro.ogg");
    EXPECT_EQ(project_.musics[0], (Music{"theme", "", "theme.mp3", ""}));
    test::WriteAll("chosen/intro.ogg", "back");  // once it is back, Done works
    dialog.done_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  dialogs_.PickFile("./chosen/intro.ogg");
  EditMusic(nullptr, project_, "theme");
  EXPECT_EQ(dialogs_.shown()[1].title, "Select a music (OGG)");
  EXPECT_EQ(dialogs_.shown()[1].text, "Music files(*.ogg)|*.ogg");
  EXPECT_EQ(dialogs_.Boxes(),
            Strings{"Error: The file \"./chosen/intro.ogg\" could not be added: it no longer "
                    "exists."});
  EXPECT_EQ(project_.musics[0], (Music{"intro", "", "theme.mp3", "intro.ogg"}));
  EXPECT_EQ(test::ReadAll("work/intro.ogg"), "back");
}

TEST_F(SoundDialogTest, AnUnwritableWorkingFolderIsAnError) {
  test::WriteAll("chosen/hit.wav", "wav");
  project_.tempfolder = "no_such_folder";
  Drive([](SoundDialog& dialog) {
    dialog.set_button(SoundSource::Wav)->click();
    dialog.done_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.delete_button()->click();  // No: still open
    EXPECT_FALSE(dialog.deleted());
    dialog.delete_button()->click();
  });
  dialogs_.PickFile("./chosen/hit.wav").AnswerNo().AnswerYes();
  EditSound(nullptr, project_, "boom");
  const Strings boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].rfind("Error: The file \"./chosen/hit.wav\" could not be added. ", 0), 0u)
      << boxes[0];
  EXPECT_EQ(boxes[1], "Confirm: Do you really want to delete this sound?");
  EXPECT_TRUE(project_.sounds.empty());
  EXPECT_EQ(project_.musics.size(), 2u);
}

TEST_F(SoundDialogTest, AMusicNameMustBeFreeOfOtherMusicsAndSounds) {
  Drive([](SoundDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Music properties - calm");
    for (const char* refused : {"theme", "", "boom"}) {
      dialog.name_field()->setText(refused);
      dialog.done_button()->click();
    }
    dialog.name_field()->setText("storm");
    dialog.done_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  EditMusic(nullptr, project_, "calm");
  EXPECT_EQ(dialogs_.Boxes(), (Strings{"Error: The music name 'theme' already exists",
                                       "Error: The music name is missing",
                                       "Error: The music name 'boom' is already used by the "
                                       "sound 'boom'"}));
  EXPECT_EQ(project_.musics[1].name, "storm");
}

}  // namespace
}  // namespace vorlane

#include "editors/sound_edits.h"

#include <gtest/gtest.h>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

class SoundEditsTest : public test::InTempDir {
 protected:
  void SetUp() override {
    MakeDirectory("work");
    MakeDirectory("chosen");
    project_.tempfolder = "work";
    project_.sounds = {{"boom", "boom.wav", "", "boom.ogg"}, {"click", "", "", ""}};
    project_.musics = {{"theme", "", "theme.mp3", ""}, {"calm", "", "", ""}};
  }
  // "Done" on a record with the name unchanged.
  std::vector<std::string> Store(ResourceKind kind, int index, const PendingSources& pending) {
    const auto& list = kind == ResourceKind::Music ? project_.musics : project_.sounds;
    return StoreSound(project_, kind, index, list[index].name, pending);
  }
  Project project_;
};

TEST_F(SoundEditsTest, NamesAreComparedExactly) {
  const PendingSources none;
  struct Case {
    ResourceKind kind;
    std::string name;
    std::string error;  // "" = accepted; otherwise the start of the message
  } cases[] = {
      {ResourceKind::Sound, "", "The sound name is missing"},
      {ResourceKind::Sound, "boom", "The sound name 'boom' already exists"},
      {ResourceKind::Sound, "my sound", "The sound name 'my sound' is not a valid name: "},
      {ResourceKind::Sound, "2boom", "The sound name '2boom' is not a valid name: "},
      {ResourceKind::Music, "", "The music name is missing"},
      {ResourceKind::Music, "theme", "The music name 'theme' already exists"},
      {ResourceKind::Music, "a-b", "The music name 'a-b' is not a valid name: "},
      {ResourceKind::Sound, "Boom", ""},   // case matters
      {ResourceKind::Sound, "click", ""},  // its own name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    project_.modified = 0;
    const Project before = project_;
    const std::vector<std::string> errors = StoreSound(project_, c.kind, 1, c.name, none);
    EXPECT_EQ(project_.modified, 1);  // marked even when refused
    if (c.error.empty()) {
      EXPECT_EQ(errors, std::vector<std::string>{});
      EXPECT_EQ(c.kind == ResourceKind::Music ? project_.musics[1].name : project_.sounds[1].name,
                c.name);
    } else {
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_EQ(errors[0].rfind(c.error, 0), 0u) << errors[0];
      EXPECT_EQ(project_.sounds, before.sounds);
      EXPECT_EQ(project_.musics, before.musics);
    }
    project_.sounds[1].name = "click";
    project_.musics[1].name = "calm";
  }
}

TEST_F(SoundEditsTest, ChosenFilesAreCopiedEmptyAndStoredOnesAreNot) {
  test::WriteAll("chosen/big.mp3", "mp3 bytes");
  test::WriteAll("chosen/silent.ogg", "");
  test::WriteAll("work/boom.wav", "stored");
  // WAV kept as stored, MP3 newly chosen, OGG chosen but empty.
  EXPECT_EQ(Store(ResourceKind::Sound, 0, {"boom.wav", "./chosen/big.mp3", "./chosen/silent.ogg"}),
            std::vector<std::string>{});
  EXPECT_EQ(project_.sounds[0], (Sound{"boom", "boom.wav", "big.mp3", "silent.ogg"}));
  EXPECT_EQ(test::ReadAll("work/boom.wav"), "stored");
  EXPECT_EQ(test::ReadAll("work/big.mp3"), "mp3 bytes");
  EXPECT_FALSE(FileExists("work/silent.ogg"));
  // Unset sources store empty names and copy nothing.
  EXPECT_EQ(Store(ResourceKind::Music, 0, {"", "", ""}), std::vector<std::string>{});
  EXPECT_EQ(project_.musics[0], (Music{"theme", "", "", ""}));
}

TEST_F(SoundEditsTest, AFileThatCannotBeAddedLeavesTheWholeRecordAlone) {
  test::WriteAll("chosen/new.wav", "wav");
  test::WriteAll("chosen/new.mp3", "mp3");
  // Something in the way that no rename can replace, even for root.
  MakeDirectory("work/new.mp3");
  test::WriteAll("work/new.mp3/keep", "x");
  const Sound before = project_.sounds[0];
  const std::vector<std::string> errors =
      StoreSound(project_, ResourceKind::Sound, 0, "bang",
                 {"./chosen/new.wav", "./chosen/new.mp3", "./gone.ogg"});
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("The file \"./chosen/new.mp3\" could not be added. ", 0), 0u)
      << errors[0];
  EXPECT_EQ(errors[1], "The file \"./gone.ogg\" could not be added: it no longer exists.");
  EXPECT_EQ(project_.sounds[0], before);  // not even the new name
  EXPECT_EQ(project_.modified, 1);
}

TEST(SoundWords, EachSourceOfEachKindHasItsOwnRequester) {
  EXPECT_EQ(SourceRequestTitle(ResourceKind::Sound, SoundSource::Mp3), "Select a sound");
  EXPECT_EQ(SourceRequestFilter(ResourceKind::Sound, SoundSource::Wav), "WAV files(*.wav)|*.wav");
  EXPECT_EQ(SourceRequestFilter(ResourceKind::Sound, SoundSource::Ogg), "OGG files(*.ogg)|*.ogg");
  EXPECT_EQ(SourceRequestTitle(ResourceKind::Music, SoundSource::Ogg), "Select a music (OGG)");
  EXPECT_EQ(SourceRequestFilter(ResourceKind::Music, SoundSource::Mp3), "Music files(*.mp3)|*.mp3");
  EXPECT_EQ(SourceLabel("/home/me/a b.wav"), "File: a b.wav");
  EXPECT_EQ(SourceLabel(""), "File: ");
}

}  // namespace
}  // namespace vorlane

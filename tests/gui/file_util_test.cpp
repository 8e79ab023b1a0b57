#include "gui/file_util.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "gui/image.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
namespace fs = std::filesystem;

// The program runs in program/; outside/ beside it belongs to someone else.
class FileUtilTest : public test::InTempDir {
 protected:
  FileUtilTest() {
    fs::create_directories("outside");
    fs::create_directories("program");
    fs::current_path("program");
    WriteAll("../outside/victim.wav", "victim");
  }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A file staged and committed with the old one kept.
bool StageAndSwap(const std::string& path, const std::string& bytes, std::string* replaced) {
  const auto file = StageFile(path, bytes);
  return file && file->CommitKeepingOld(false, nullptr, replaced);
}

// Every way of replacing a file keeps the permissions of the file it
// replaces. How every writer fails is generate/writers_test.cpp's.
TEST_F(FileUtilTest, ReplacingAFileKeepsItsPermissions) {
  WriteAll("source", "new");
  const std::function<bool()> writes[] = {[] { return WriteFileAtomic("s.wav", "new"); },
                                          [] { return CopyFile("source", "s.wav", 100); },
                                          [] {
                                            std::string old;
                                            const bool ok = StageAndSwap("s.wav", "new", &old);
                                            if (!old.empty()) fs::remove(old);
                                            return ok;
                                          }};
  for (const auto& write : writes) {
    for (const mode_t mode : {0444, 0640, 0755}) {
      ASSERT_TRUE(write());
      ASSERT_EQ(::chmod("s.wav", mode), 0);
      ASSERT_TRUE(write());
      struct stat st {};
      ::stat("s.wav", &st);
      EXPECT_EQ(st.st_mode & 07777, mode);
    }
  }
}

// A staged file swapped in leaves the regular file it replaced, whole, for
// later; a link is replaced, not written through; a folder is never moved.
TEST_F(FileUtilTest, ASwapKeepsTheReplacedFileAndNeverMovesAFolder) {
  std::string old;
  ASSERT_TRUE(StageAndSwap("a.png", "first", &old));
  EXPECT_EQ(old, "");
  ASSERT_TRUE(StageAndSwap("a.png", "second", &old));
  EXPECT_EQ(std::pair(ReadAll("a.png"), ReadAll(old)),
            std::pair(std::string("second"), std::string("first")));
  fs::create_symlink("../outside/victim.wav", "link.wav");
  ASSERT_TRUE(StageAndSwap("link.wav", "mine", &old));
  EXPECT_EQ(std::pair(ReadAll("link.wav"), ReadAll("../outside/victim.wav")),
            std::pair(std::string("mine"), std::string("victim")));
  fs::create_directory("folder.png");
  EXPECT_FALSE(StageAndSwap("folder.png", "x", &old));
  EXPECT_TRUE(fs::is_directory("folder.png"));
}

// The program folder is the current one with what lies below it, once every
// link is followed; a sibling whose name starts the same is outside.
TEST_F(FileUtilTest, ProgramFilesStayInsideTheProgramFolder) {
  fs::create_directory_symlink("../outside", "linked");
  fs::create_directories("sub");
  fs::create_directories("../program2");
  fs::create_directory_symlink("sub", "inner");
  std::string error;
  EXPECT_FALSE(IsInsideProgramFolder("linked/", &error));
  EXPECT_TRUE(Contains(error, "\"linked/\" leads outside the program folder")) << error;
  WriteAll("sound.wav", "x");
  EXPECT_FALSE(CopyProgramFile("sound.wav", "linked/sound.wav", 100));
  EXPECT_TRUE(CopyProgramFile("sound.wav", "inner/game.wav", 100));
  for (const char* folder : {"..", "/", "../outside", "missing", "../program2"})
    EXPECT_FALSE(IsInsideProgramFolder(folder)) << folder;
  for (const char* folder : {".", "sub", "inner", "inner/../sub/"})
    EXPECT_TRUE(IsInsideProgramFolder(folder)) << folder;
  // Deleting a working folder does not follow a link to another.
  DeleteFolderFiles("linked/");
  DeleteFolderFiles("linked");
  EXPECT_EQ(ReadAll("../outside/victim.wav"), "victim");
}

// Reads and copies refuse what is not a regular file without waiting on it,
// and stop at the limit; the message names the file, the target is kept.
TEST_F(FileUtilTest, ReadsTakeOnlyRegularFilesUpToTheirLimit) {
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  fs::create_symlink("/dev/zero", "zero");
  WriteAll("eleven", "eleven char");
  WriteAll("huge.png", "");
  fs::resize_file("huge.png", kMaxPictureFileBytes + 1);  // sparse: costs nothing
  const struct {
    const char* path;
    std::int64_t limit;
    const char* why;  // "" for a file that reads
  } cases[] = {
      {"pipe", 1000, "\"pipe\" was not read: it is not a regular file."},
      {"zero", 1000, "\"zero\" was not read: it is not a regular file."},
      {"missing", 1000, "Could not read \"missing\": No such file or directory."},
      {"eleven", 10, "\"eleven\" was not read: it is larger than 10 bytes"},
      {"eleven", 11, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string bytes = "old", error;
    EXPECT_EQ(ReadFile(c.path, &bytes, c.limit, &error), *c.why == '\0');
    EXPECT_TRUE(Contains(error, c.why)) << error;
    EXPECT_EQ(bytes, *c.why ? "" : "eleven char");
    WriteAll("old", "old");
    EXPECT_EQ(CopyFile(c.path, "old", c.limit, &error), *c.why == '\0');
    EXPECT_EQ(ReadAll("old"), *c.why ? "old" : "eleven char");
    if (c.limit == 1000) {
      EXPECT_EQ(OpenRegularFile(c.path), nullptr);
    }
  }
  for (const char* path : {"pipe", "huge.png"}) {
    std::string error;
    EXPECT_TRUE(LoadImageFile(path, &error).is_null());
    EXPECT_TRUE(Contains(error, *path == 'p' ? "not a regular file" : "larger than 256 MB"))
        << error;
  }
  for (const std::string& name : ListFolder(".")) EXPECT_FALSE(name.starts_with(".vorlane"));
}

}  // namespace
}  // namespace vorlane

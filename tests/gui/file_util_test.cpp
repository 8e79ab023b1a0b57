#include "gui/file_util.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

int Mode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Both ways of replacing a file replace a link rather than write through it
// and keep the permissions of the file they replace. How every writer fails
// is generate/writers_test.cpp's.
TEST_F(FileUtilTest, WritesReplaceLinksAndKeepPermissions) {
  WriteAll("source", "new");
  const std::function<bool()> writes[] = {[] { return WriteFileAtomic("s.wav", "new"); },
                                          [] { return CopyFile("source", "s.wav", 100); }};
  for (const auto& write : writes) {
    fs::remove("s.wav");
    fs::create_symlink("../outside/victim.wav", "s.wav");
    ASSERT_TRUE(write());
    EXPECT_EQ(ReadAll("../outside/victim.wav"), "victim");
    EXPECT_EQ(ReadAll("s.wav"), "new");
    for (const int mode : {0444, 0640, 0755}) {
      ASSERT_EQ(::chmod("s.wav", static_cast<mode_t>(mode)), 0);
      ASSERT_TRUE(write());
      EXPECT_EQ(Mode("s.wav"), mode);
    }
  }
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
  EXPECT_EQ(ListFolder("../outside"), std::vector<std::string>{"victim.wav"});
  for (const char* folder : {"..", "/", "../outside", "missing", "../program2"})
    EXPECT_FALSE(IsInsideProgramFolder(folder)) << folder;
  for (const char* folder : {".", "./", "sub", "inner", "inner/../sub/"})
    EXPECT_TRUE(IsInsideProgramFolder(folder)) << folder;
  EXPECT_TRUE(CopyProgramFile("sound.wav", "inner/game.wav", 100));

  // Deleting a working folder does not follow a link to another.
  DeleteFolderFiles("linked/");
  DeleteFolderFiles("linked");
  EXPECT_EQ(ReadAll("../outside/victim.wav"), "victim");
}

// Reads refuse what is not a regular file without waiting on it, and stop
// at the limit; the message names the file.
TEST_F(FileUtilTest, ReadsTakeOnlyRegularFilesUpToTheirLimit) {
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  fs::create_symlink("/dev/zero", "zero");
  fs::create_directories("folder");
  WriteAll("eleven", "eleven char");
  const struct {
    const char* path;
    std::int64_t limit;
    const char* why;  // "" for a file that reads
  } cases[] = {
      {"pipe", 1000, "\"pipe\" was not read: it is not a regular file."},
      {"zero", 1000, "\"zero\" was not read: it is not a regular file."},
      {"folder", 1000, "\"folder\" was not read: it is not a regular file."},
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
    error.clear();
    EXPECT_EQ(CopyFile(c.path, "old", c.limit, &error), *c.why == '\0');
    EXPECT_TRUE(Contains(error, c.why)) << error;
    EXPECT_EQ(ReadAll("old"), *c.why ? "old" : "eleven char");
    if (c.limit == 1000) {
      EXPECT_EQ(OpenRegularFile(c.path), nullptr);
    }
  }
  // A picture is checked against its own limit before anything is read: a
  // sparse file costs nothing.
  WriteAll("huge.png", "");
  fs::resize_file("huge.png", kMaxPictureFileBytes + 1);
  std::string error;
  EXPECT_TRUE(LoadImageFile("huge.png", &error).is_null());
  EXPECT_TRUE(Contains(error, "\"huge.png\" was not read: it is larger than 256 MB")) << error;
  for (const char* path : {"pipe", "zero"}) {
    error.clear();
    EXPECT_TRUE(LoadImageFile(path, &error).is_null());
    EXPECT_TRUE(Contains(error, "not a regular file")) << error;
  }
  for (const std::string& name : ListFolder(".")) EXPECT_FALSE(name.starts_with(".vorlane"));
}

}  // namespace
}  // namespace vorlane

// How every file writer fails: on a full disk, in a read-only folder, with a
// link at its target and with its folder leading outside the program folder.
// One table over the writers; each case starts from the same saved and
// generated sample project.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "generate/extensions.h"
#include "generate/function_library.h"
#include "generate/game_export.h"
#include "generate/game_page.h"
#include "gui/file_util.h"
#include "gui/preferences.h"
#include "image/frame_edits.h"
#include "project/project_file.h"
#include "project/recovery.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

// Writes its file from the sample; "" when it succeeded, else what the user is told.
using Write = std::function<std::string(Project&)>;

std::string SaveProject(Project& p) {
  p.modified = 1;
  FileReport report;
  const bool saved = WriteProject(p, &report);
  EXPECT_EQ(p.modified, saved ? 0 : 1);  // a failed save leaves the project modified
  return report.error;
}

// A writer that tells what went wrong in a string of its own.
Write Reporting(std::function<bool(Project&, std::string*)> write) {
  return [write](Project& p) {
    std::string error;
    return write(p, &error) ? "" : error;
  };
}

const struct Writer {
  const char* name;
  std::string folder, file;  // the file it writes, and the folder the cases act on
  bool own;                  // the program's own file, never written outside its folder
  Write write;
} kWriters[] = {
    {"project file", "Projects", "demo.xml", true, SaveProject},
    {"project media", "Projects/demo", "img/spr_hero_0.png", true, SaveProject},
    {"preferences", "prefs", "preferences.dat", true, Reporting([](Project&, std::string* error) {
       return SavePreferences({}, "prefs/preferences.dat", error);
     })},
    {"game", "Projects/demo", "game.js", true,
     [](Project& p) {
       GenerateReport report;
       return GenerateGame(p, "new game", 1, &report) ? "" : report.error;
     }},
    {"extension choice", "Projects/demo", "extensions.dat", true,
     Reporting([](Project&, std::string* error) {
       return SaveEnabledExtensions("demo", {"shake"}, error);
     })},
    {"recovery file", "work", "recovery.xml", true, Reporting([](Project& p, std::string* error) {
       RecoveryCache cache;
       return WriteRecovery(TakeRecoverySnapshot(p, 1), cache, error);
     })},
    {"function library", "exports", "lib.xml", false, Reporting([](Project& p, std::string* error) {
       return WriteFunctionLibrary("exports/lib.xml", p, {}, "", "", error);
     })},
    {"game zip", "exports", "demo.zip", false,
     [](Project& p) {
       ExportReport report;
       return ExportGame(p, "exports/demo.zip", &report) ? "" : report.error;
     }},
    {"sprite strip", "exports", "strip.png", false, Reporting([](Project& p, std::string* error) {
       return SavePng(FrameStrip(p, "spr_hero"), "exports/strip.png", error);
     })},
};

// Every file below `folder` with its bytes: temporary files left behind show.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().string()] = ReadAll(entry.path());
  return files;
}

// The program runs in program/, a small file system of its own where the
// machine allows; outside/ beside it belongs to someone else.
class WritersTest : public test::InTempDir {
 protected:
  WritersTest() : program_(fs::absolute("program")), outside_(fs::absolute("outside")) {
    fs::create_directories(program_);
    fs::create_directories(outside_);
    disk_ = ::mount("tmpfs", program_.c_str(), "tmpfs", 0, "size=1m") == 0;
    fs::current_path(program_);
  }
  ~WritersTest() override {
    Unmount();
    if (disk_) ::umount2(program_.c_str(), MNT_DETACH);
  }

  // The sample saved, generated and autosaved, its working copy of a sound
  // changed since; every writer's file holds "old".
  Project Fresh() {
    Unmount();
    for (const fs::path& top : {program_, outside_})
      for (const auto& entry : fs::directory_iterator(top)) fs::remove_all(entry.path());
    Project p = test::SampleProject();
    p.tempfolder = "work";
    MakeDirectory("work");
    test::WriteSampleMedia("work");
    EXPECT_TRUE(WriteProject(p));
    EXPECT_TRUE(GenerateGame(p, "game", 1));
    WriteAll("work/jump.wav", "changed since the save");
    for (const char* folder : {"prefs", "exports"}) MakeDirectory(folder);
    for (const Writer& w : kWriters) WriteAll(w.folder + "/" + w.file, "old");
    return p;
  }

  // Makes `folder` read-only: a read-only mount where the machine allows,
  // which binds root too, else its permissions. The phrase the error gives.
  std::string ReadOnly(const std::string& folder) {
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0) {
      mounts_.push_back(fs::absolute(folder));
      if (::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)
        return "Read-only file system";
    }
    if (::geteuid() == 0) return "";
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    locked_.push_back(fs::absolute(folder));
    return "Permission denied";
  }

  void Unmount() {
    for (; !mounts_.empty(); mounts_.pop_back()) ::umount2(mounts_.back().c_str(), MNT_DETACH);
    for (; !locked_.empty(); locked_.pop_back())
      fs::permissions(locked_.back(), fs::perms::owner_write, fs::perm_options::add);
  }

  // Fails the write, then checks the error says `why` and that nothing in
  // the folder changed.
  void ExpectRefused(const Writer& w, Project& p, const std::string& why) {
    const auto before = Files(w.folder);
    const std::string error = w.write(p);
    EXPECT_NE(error.find(why), std::string::npos) << error;
    EXPECT_EQ(Files(w.folder), before);
  }

  const fs::path program_, outside_;
  bool disk_ = false;
  std::vector<fs::path> mounts_, locked_;
};

TEST_F(WritersTest, AFullDiskKeepsTheOldFile) {
  if (!disk_) GTEST_SKIP() << "mounting a small file system needs root";
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Project p = Fresh();
    const int fd = ::open("filler", O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'x');
    for (size_t size : {block.size(), size_t{1}})
      while (::write(fd, block.data(), size) > 0) {
      }
    ::close(fd);
    ExpectRefused(w, p, "No space left on device");
  }
}

TEST_F(WritersTest, AReadOnlyFolderKeepsTheOldFile) {
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Project p = Fresh();
    const std::string why = ReadOnly(w.folder);
    if (why.empty()) GTEST_SKIP() << "a read-only folder needs a mount as root";
    ExpectRefused(w, p, why);
  }
}

// The link is replaced; the file it led to stays as it was.
TEST_F(WritersTest, ALinkAtTheTargetIsReplacedNotWrittenThrough) {
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Project p = Fresh();
    const std::string target = w.folder + "/" + w.file;
    WriteAll(outside_ / "victim", "victim");
    fs::remove(target);
    fs::create_symlink(outside_ / "victim", target);
    EXPECT_EQ(w.write(p), "");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_NE(ReadAll(target), "old");
    EXPECT_EQ(Files(outside_),
              (std::map<std::string, std::string>{{outside_ / "victim", "victim"}}));
  }
}

// A file the user picked may go anywhere; the program's own never leave.
TEST_F(WritersTest, AFolderLeadingOutsideTakesOnlyFilesTheUserPicked) {
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.name);
    Project p = Fresh();
    const fs::path elsewhere = outside_ / "elsewhere";
    fs::copy(w.folder, elsewhere, fs::copy_options::recursive);
    fs::remove_all(w.folder);
    fs::create_directory_symlink(elsewhere, w.folder);
    if (w.own) {
      ExpectRefused(w, p, "leads outside the program folder");
    } else {
      EXPECT_EQ(w.write(p), "");
      EXPECT_NE(ReadAll(elsewhere / w.file), "old");
    }
  }
}

}  // namespace
}  // namespace vorlane

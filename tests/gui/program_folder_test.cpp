// An installed program's folder for each user: made once, refreshed by a
// newer version, the user's projects and preferences never touched.
#include "gui/program_folder.h"

#include <gtest/gtest.h>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

TEST(ProgramFolder, MadeOnceThenRefreshedOnlyByANewerVersion) {
  test::ScopedTempDir dir;
  const std::string shared = "shared", user = "home/vorlane";
  for (const char* folder : {"shared", "shared/Extensions", "shared/manual", "shared/Projects"})
    ASSERT_TRUE(MakeDirectory(folder));
  const auto ship = [&](const char* version, const char* text) {
    for (const char* file : {"VERSION", "export.js", "keywords.dat", "Extensions/Particles.ext",
                             "manual/index.html", "Projects/gem_garden.xml"})
      ASSERT_TRUE(
          WriteFileAtomic(shared + "/" + file, std::string(file) == "VERSION" ? version : text));
  };
  const auto read = [&](const std::string& file) {
    std::string text;
    ReadFile(user + "/" + file, &text);
    return text;
  };
  ship("1.2.9", "old");
  std::string error;
  ASSERT_TRUE(PrepareProgramFolder(shared, user, &error)) << error;
  EXPECT_TRUE(IsProgramFolder(user));
  EXPECT_EQ(read("Projects/gem_garden.xml"), "old");
  // The user's own work.
  ASSERT_TRUE(WriteFileAtomic(user + "/Projects/gem_garden.xml", "mine"));
  ASSERT_TRUE(WriteFileAtomic(user + "/preferences.dat", "prefs"));
  ASSERT_TRUE(WriteFileAtomic(user + "/Extensions/Mine.ext", "my extension"));
  ship("1.2.9", "same version");
  ASSERT_TRUE(PrepareProgramFolder(shared, user, &error));
  EXPECT_EQ(read("export.js"), "old");
  ship("1.2.10", "new");
  ASSERT_TRUE(PrepareProgramFolder(shared, user, &error));
  for (const char* file :
       {"export.js", "keywords.dat", "Extensions/Particles.ext", "manual/index.html"})
    EXPECT_EQ(read(file), "new") << file;
  EXPECT_EQ(read("Projects/gem_garden.xml"), "mine");
  EXPECT_EQ(read("preferences.dat"), "prefs");
  EXPECT_EQ(read("Extensions/Mine.ext"), "my extension");
  EXPECT_FALSE(IsNewerVersion("1.2.9", "1.2.10"));
  EXPECT_TRUE(IsNewerVersion("1.3", "1.2.10"));
}

}  // namespace
}  // namespace vorlane

#include "generate/extensions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gui/file_limits.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
using ExtensionsTest = test::InTempDir;

Extension Parse(const std::string& text) {
  Extension e;
  ParseExtensionText(text, e);
  return e;
}

const Extension* Named(const std::vector<Extension>& list, const std::string& filename) {
  const auto found = std::find_if(list.begin(), list.end(),
                                  [&](const Extension& e) { return e.filename == filename; });
  return found == list.end() ? nullptr : &*found;
}

// Sections may repeat: name lines are joined without a break, and the
// sections with line breaks get an empty line for each header. CR, LF and
// CR LF all end lines; only exact headers count.
TEST(ExtensionTextTest, SectionsJoinAndEveryLineEndCounts) {
  Extension e = Parse(
      "ignored\r\n[EXTENSION]\rScreen\rShake\r\n[CODE]\nA\r\n\r\n[AUTHOR]\nAnn\n"
      "[DESCRIPTION]\nShakes.\n[HELP]\nshake(n)\n[CODE]\r[code]\n [CODE]\nB");
  EXPECT_EQ(e.extension, "ScreenShake");
  EXPECT_EQ(e.author, "Ann");
  EXPECT_EQ(e.description, "\r\nShakes.\r\n");
  EXPECT_EQ(e.help, "\r\nshake(n)\r\n");
  EXPECT_EQ(e.code, "\r\nA\r\n\r\n\r\n[code]\r\n [CODE]\r\nB\r\n");
  // The dialog's text uses carriage returns.
  EXPECT_EQ(ExtensionInfoText(e),
            "NAME:ScreenShake\rAUTHOR: Ann\r\rDESCRIPTION: \r\nShakes.\r\nHELP:\r\nshake(n)\r\n");
  EXPECT_EQ(Parse("").code, "");
}

TEST_F(ExtensionsTest, ListsTexFilesAndMarksTheEnabledOnes) {
  std::filesystem::create_directories("Extensions/folder.tex");
  std::filesystem::create_directories("Projects/demo");
  for (const char* file :
       {"shake.tex", "my.texture.tex", "Upper.TEX", "notes.txt", ".tex", "off.tex"})
    WriteAll(std::string("Extensions/") + file,
             std::string("[EXTENSION]\n") + file + "\n[CODE]\nx();\n");
  // Names are matched whole and case-sensitively; CR LF lines are fine, and
  // names without a file or reaching elsewhere are only compared.
  WriteAll("Projects/demo/extensions.dat", "my.texture\r\nShake\n../shake\nmissing\nshake");
  std::vector<Extension> list = LoadExtensions("demo");
  ASSERT_EQ(list.size(), 4u);
  for (const auto& [file, enabled] :
       {std::pair{"shake", 1}, {"my.texture", 1}, {"off", 0}, {"", 0}}) {
    ASSERT_NE(Named(list, file), nullptr) << file;
    EXPECT_EQ(Named(list, file)->enabled, enabled) << file;
    EXPECT_EQ(Named(list, file)->extension, std::string(file) + ".tex");
    EXPECT_EQ(Named(list, file)->code, "\r\nx();\r\n");
  }
  // Every line counts, an empty one too; without a list or a usable name
  // nothing is enabled; without the folder nothing is listed.
  WriteAll("Projects/demo/extensions.dat", "\n");
  const auto enabled = [](const std::string& project, const std::string& file) {
    const std::vector<Extension> list = LoadExtensions(project);
    return Named(list, file)->enabled;
  };
  EXPECT_EQ(enabled("demo", ""), 1);
  WriteAll("Projects/extensions.dat", "shake\n");
  for (const char* name : {"", "..", "other"}) EXPECT_EQ(enabled(name, "shake"), 0) << name;
  WriteAll("Projects/demo/extensions.dat", "");
  EXPECT_EQ(enabled("demo", "shake"), 0);
  EXPECT_TRUE(ReadEnabledExtensions("../Projects").empty());
  std::filesystem::remove_all("Extensions");
  EXPECT_TRUE(LoadExtensions("demo").empty());
}

TEST_F(ExtensionsTest, SavedChoiceIsOneNameALine) {
  std::filesystem::create_directories("Projects/demo");
  std::string error;
  ASSERT_TRUE(SaveEnabledExtensions("demo", {"b", "a", "two\nlines"}, &error)) << error;
  EXPECT_EQ(ReadAll("Projects/demo/extensions.dat"), "b\na\n");
  EXPECT_EQ(ReadEnabledExtensions("demo"), (std::vector<std::string>{"b", "a"}));
  ASSERT_TRUE(SaveEnabledExtensions("demo", {}));
  EXPECT_EQ(ReadAll("Projects/demo/extensions.dat"), "");
  EXPECT_FALSE(SaveEnabledExtensions("", {"a"}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(SaveEnabledExtensions("missing", {"a"}, &error));
  EXPECT_NE(error.find("extensions.dat"), std::string::npos);
}

// Listed under their file names with why they were not read, and no code.
TEST_F(ExtensionsTest, FifoOrHugeFilesAreListedNotRead) {
  std::filesystem::create_directories("Extensions");
  for (const auto& [path, why] : test::UnreadableFiles("Extensions/pipe.tex", "Extensions/huge.tex",
                                                       kMaxExtensionFileBytes)) {
    const std::string file = path.substr(11, path.size() - 15);
    const std::vector<Extension> list = LoadExtensions("");
    const Extension* e = Named(list, file);
    ASSERT_NE(e, nullptr) << file;
    EXPECT_EQ(e->extension + e->code, file);
    EXPECT_EQ(ExtensionInfoText(*e).rfind("NAME:" + file + "\r\r" + why, 0), 0u)
        << ExtensionInfoText(*e);
  }
}

}  // namespace
}  // namespace vorlane

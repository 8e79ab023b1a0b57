#include "generate/extensions.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
  for (const Extension& e : list)
    if (e.filename == filename) return &e;
  return nullptr;
}

TEST(ExtensionTextTest, ExampleFile) {
  const Extension e = Parse(
      "[EXTENSION]\nScreen shake\n[AUTHOR]\nExample Author\n[DESCRIPTION]\nShakes the view.\n"
      "[HELP]\nshake(strength, steps)\n[CODE]\nfunction shake(s, n) { /* ... */ }\n");
  EXPECT_EQ(e.extension, "Screen shake");
  EXPECT_EQ(e.author, "Example Author");
  EXPECT_EQ(e.description, "\r\nShakes the view.\r\n");
  EXPECT_EQ(e.help, "\r\nshake(strength, steps)\r\n");
  EXPECT_EQ(e.code, "\r\nfunction shake(s, n) { /* ... */ }\r\n");
}

TEST(ExtensionTextTest, SectionsRepeatJoinAndAcceptEveryLineEnding) {
  // Name lines are joined without a break; repeated code sections are kept
  // apart by the empty line of their header; CR, LF and CR LF all end lines.
  Extension e = Parse("ignored\r\n[EXTENSION]\rScreen\rShake\r\n[CODE]\nA\r\n\r\n"
                      "[AUTHOR]\nAnn\n[CODE]\r[code]\n [CODE]\nB");
  EXPECT_EQ(e.extension, "ScreenShake");
  EXPECT_EQ(e.author, "Ann");
  EXPECT_EQ(e.code, "\r\nA\r\n\r\n\r\n[code]\r\n [CODE]\r\nB\r\n");
  EXPECT_EQ(e.description + e.help, "");

  e = Parse("[CODE]\nx();");
  EXPECT_EQ(e.extension + e.author, "");
  EXPECT_EQ(e.code, "\r\nx();\r\n");
  EXPECT_EQ(Parse("").code, "");

  // The dialog's text uses carriage returns.
  e = Parse("[EXTENSION]\nShake\n[AUTHOR]\nAnn\n[DESCRIPTION]\nD\n[HELP]\nH\n");
  EXPECT_EQ(ExtensionInfoText(e), "NAME:Shake\rAUTHOR: Ann\r\rDESCRIPTION: \r\nD\r\nHELP:\r\nH\r\n");
}

TEST_F(ExtensionsTest, ListsTexFilesAndMarksTheEnabledOnes) {
  std::filesystem::create_directories("Extensions/folder.tex");
  std::filesystem::create_directories("Projects/demo");
  WriteAll("Extensions/shake.tex", "[EXTENSION]\nShake\n[CODE]\ns();\n");
  WriteAll("Extensions/my.texture.tex", "[EXTENSION]\nTexture\n");
  WriteAll("Extensions/Upper.TEX", "[EXTENSION]\nignored\n");
  WriteAll("Extensions/notes.txt", "ignored");
  WriteAll("Extensions/.tex", "[EXTENSION]\nNameless file\n");
  WriteAll("Extensions/off.tex", "");
  // Names are matched whole and case-sensitively; CR LF lines are fine, and
  // names without a file or reaching elsewhere are only compared.
  WriteAll("Projects/demo/extensions.dat", "my.texture\r\nShake\n../shake\nmissing\nshake");

  const std::vector<Extension> list = LoadExtensions("demo");
  std::vector<std::string> got;
  for (const Extension& e : list) got.push_back(e.filename);
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (std::vector<std::string>{"", "my.texture", "off", "shake"}));
  ASSERT_EQ(list.size(), 4u);
  for (auto [file, enabled] : {std::pair{"shake", 1}, {"my.texture", 1}, {"off", 0}, {"", 0}})
    EXPECT_EQ(Named(list, file)->enabled, enabled) << file;
  EXPECT_EQ(Named(list, "shake")->code, "\r\ns();\r\n");
  EXPECT_EQ(Named(list, "my.texture")->extension, "Texture");
  EXPECT_EQ(Named(list, "")->extension, "Nameless file");

  // Every line counts, an empty one too.
  WriteAll("Projects/demo/extensions.dat", "\n");
  EXPECT_EQ(Named(LoadExtensions("demo"), "")->enabled, 1);
}

TEST_F(ExtensionsTest, NothingEnabledWithoutAListOrAName) {
  std::filesystem::create_directories("Extensions");
  std::filesystem::create_directories("Projects/demo");
  WriteAll("Extensions/a.tex", "[CODE]\na();\n");
  EXPECT_EQ(LoadExtensions("demo").at(0).enabled, 0);  // no extensions.dat
  WriteAll("Projects/demo/extensions.dat", "");
  EXPECT_EQ(LoadExtensions("demo").at(0).enabled, 0);
  WriteAll("Projects/extensions.dat", "a\n");
  EXPECT_EQ(LoadExtensions("").at(0).enabled, 0);
  EXPECT_EQ(LoadExtensions("..").at(0).enabled, 0);
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
  ASSERT_EQ(::mkfifo("Extensions/pipe.tex", 0600), 0);
  WriteAll("Extensions/huge.tex", "");
  std::filesystem::resize_file("Extensions/huge.tex", kMaxExtensionFileBytes + 1);
  const std::vector<Extension> list = LoadExtensions("");
  ASSERT_EQ(list.size(), 2u);
  for (const auto& [file, why] :
       {std::pair{"pipe", "\"Extensions/pipe.tex\" was not read: it is not a regular file."},
        {"huge", "\"Extensions/huge.tex\" was not read: it is larger than 16 MB"}}) {
    const Extension* e = Named(list, file);
    ASSERT_NE(e, nullptr) << file;
    EXPECT_EQ(e->extension, file);
    EXPECT_EQ(e->code, "");
    EXPECT_EQ(ExtensionInfoText(*e).rfind(std::string("NAME:") + file + "\r\r" + why, 0), 0u)
        << ExtensionInfoText(*e);
  }
}

}  // namespace
}  // namespace vorlane

#include "generate/function_library.h"

#include <gtest/gtest.h>

#include <random>

#include "gui/file_util.h"
#include "support/golden.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
using FunctionLibraryTest = test::InTempDir;

Project WithFunctions(const std::vector<std::string>& names) {
  Project p;
  for (const std::string& name : names) p.fns.push_back({name, "a", "d", "return a;"});
  return p;
}

std::vector<std::string> Names(const Project& p) {
  std::vector<std::string> names;
  for (const UserFunction& f : p.fns) names.push_back(f.name);
  return names;
}

std::string Library(const std::string& fns) {
  return R"(<?xml version="1.0" encoding="UTF-8"?><vorlane_functions version="129" author="" description="">)" +
         fns + "</vorlane_functions>";
}

// The ticked functions in project order, byte for byte as
// golden/function_library/*.xml (VORLANE_UPDATE_GOLDEN=1 rewrites them).
TEST(LibraryWriterTest, OnlyTickedFunctionsInProjectOrderAsTheGoldenFiles) {
  Project p = WithFunctions({"f1", "f2", "f3", "f4", "f5"});
  p.fns[0].code = "if (a) {\n\tb();\r\n}\r";
  p.fns[3].code = "";
  p.fns[3].description = "\"q\" & 'a' <b>\nline";
  test::ExpectGolden("function_library/none.xml",
                     FunctionLibraryXml(p, std::vector<bool>(5, false), "", ""));
  test::ExpectGolden(
      "function_library/three.xml",
      FunctionLibraryXml(p, {true, false, true, true, false}, "anonymous", "Maths\nmore"));
}

// Blanks starting a line become four spaces; nothing follows a final break.
TEST(LibraryWriterTest, LineStartsBecomeFourSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"if (a) {\n\tb();\n}", "if (a) {\n    b();\n    }"},
      {"  first\r\n \t x\r\rz\r\n", "  first\r\n    x\r    \r    z\r\n"},
      {"a\n\n  \nb\n", "a\n    \n    \n    b\n"},
      {"a\n   ", "a\n    "},
      {"", ""},
      {"\n", "\n"},
  };
  for (const auto& [code, stored] : cases) EXPECT_EQ(LibraryCode(code), stored) << code;
}

TEST_F(FunctionLibraryTest, DialogDecisions) {
  for (const auto& [chosen, file] : {std::pair{"lib", "lib.xml"},
                                     {"lib.xml", "lib.xml"},
                                     {"", ""},
                                     {"/some where/lib.XML", "/some where/lib.XML.xml"}})
    EXPECT_EQ(LibraryFileName(chosen), file);
  // Overwriting is asked only for a file with content.
  EXPECT_FALSE(LibraryNeedsOverwriteQuestion("lib.xml"));
  WriteAll("lib.xml", "");
  EXPECT_FALSE(LibraryNeedsOverwriteQuestion("lib.xml"));
  WriteAll("lib.xml", "x");
  EXPECT_TRUE(LibraryNeedsOverwriteQuestion("lib.xml"));
}

// Any text a user can enter gives a library that imports: what XML can hold
// exactly, the rest replaced or dropped (XmlKept).
TEST(LibraryWriterTest, RandomTextsInEveryFieldReadBack) {
  std::mt19937 random(129);
  for (int round = 0; round < 300; ++round) {
    Project p;
    for (int i = 0; i < 3; ++i)
      p.fns.push_back({test::RandomBytes(random), test::RandomBytes(random),
                       test::RandomBytes(random), test::RandomBytes(random)});
    std::vector<UserFunction> read;
    std::string error;
    ASSERT_TRUE(ParseFunctionLibrary(
        FunctionLibraryXml(p, {}, test::RandomBytes(random), test::RandomBytes(random)), &read,
        &error))
        << error;
    ASSERT_EQ(read.size(), p.fns.size());
    for (size_t i = 0; i < read.size(); ++i) {
      const UserFunction& f = p.fns[i];
      ASSERT_EQ(read[i],
                (UserFunction{test::XmlKept(f.name), test::XmlKept(f.params),
                              test::XmlKept(f.description), test::XmlKept(LibraryCode(f.code))}))
          << "round " << round << ", function " << i;
    }
  }
}

// "_2" is appended until no function has the name; the functions of one
// library see each other; an empty name is never kept.
TEST(LibraryImportTest, ImportedFunctionsGetNamesNoOtherHas) {
  const struct {
    std::vector<std::string> project;
    std::string fns;
    std::vector<std::string> after;
  } cases[] = {
      {{"f", "f_2"}, R"(<fn name="f"/>)", {"f", "f_2", "f_2_2"}},
      {{"f_2", "f"},
       R"(<fn name="f"/>)",
       {"f_2", "f", "f_2_2"}},  // one pass in list order would give f_2 again
      {{"g"}, R"(<fn name="f"/><fn name="f"/><fn/><fn name=""/>)", {"g", "f", "f_2", "_2", "_2_2"}},
  };
  for (const auto& c : cases) {
    Project p = WithFunctions(c.project);
    const std::string count = std::to_string(c.after.size() - c.project.size());
    ASSERT_TRUE(ImportFunctionLibraryText(
        p, Library("<fns count=\"" + count + "\">" + c.fns + "</fns>"), nullptr));
    EXPECT_EQ(Names(p), c.after);
  }
  EXPECT_EQ(ImportedFunctionName(WithFunctions({"g"}), "g"), "g_2");
  EXPECT_EQ(ImportedFunctionName(WithFunctions({"g"}), "new"), "new");
  // A hundred "_2" are the most one name gets; a library needing more is refused whole.
  for (const int copies : {101, 102}) {
    std::string fns;
    for (int i = 0; i < copies; ++i) fns += "<fn name=\"f\"/>";
    Project p = WithFunctions({"keep"});
    LibraryImport result;
    const bool imported = ImportFunctionLibraryText(
        p, Library("<fns count=\"" + std::to_string(copies) + "\">" + fns + "</fns>"), &result);
    EXPECT_EQ(imported, copies == 101) << result.error;
    EXPECT_EQ(p.fns.size(), imported ? 102u : 1u);
    if (imported)
      EXPECT_EQ(p.fns.back().name.size(), 1u + 2 * 100);
    else
      EXPECT_NE(result.error.find("\"f\""), std::string::npos);
  }
}

// The count says how many element children are functions; neither the root's
// name nor its version is checked. Libraries written before keep raw breaks
// in attributes: they read as blanks. An import marks the project modified.
// (What a library holds reads back: the random test above.)
TEST(LibraryImportTest, CountDecidesHowManyChildrenAreRead) {
  const std::string children =
      "<fn name=\"a\" description=\"a\nb\tc\">x<b>ignored</b>y</fn><other name=\"b\"/><fn "
      "name=\"c\"/>";
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {" count=\"2\"", {"a", "b"}},
      {" count=\"99999999999999\"", {"a", "b", "c"}},
      {"", {}},
      {" count=\"-4\"", {}},
      {" count=\"many\"", {}}};
  for (const auto& [count, names] : cases) {
    Project p;
    ASSERT_TRUE(ImportFunctionLibraryText(
        p, "<lib version=\"999\"><fns" + std::string(count) + ">" + children + "</fns></lib>",
        nullptr));
    EXPECT_EQ(Names(p), names) << count;
    EXPECT_EQ(p.modified, 1);
    if (!names.empty()) {
      EXPECT_EQ(p.fns[0].code, "xy");
      EXPECT_EQ(p.fns[0].description, "a b c");
    }
  }
}

TEST_F(FunctionLibraryTest, DamagedOrUnreadableFilesImportNothing) {
  const std::string bad[] = {
      "",
      "not xml",
      Library("<fns count=\"1\"><fn name=\"a\"/></fns>").substr(0, 120),  // cut short
      Library("<fns count=\"1\"><fn name=\"a\"/></fns><extra/>") + "<second/>",
      Library("<functions/><fns count=\"1\"><fn name=\"a\"/></fns>"),  // list not first
      Library(""),
  };
  for (const std::string& bytes : bad) {
    Project p = WithFunctions({"keep"});
    LibraryImport result;
    EXPECT_FALSE(ImportFunctionLibraryText(p, bytes, &result)) << bytes;
    EXPECT_TRUE(!result.error.empty() && result.names.empty());
    EXPECT_EQ(Names(p), std::vector<std::string>{"keep"});
    EXPECT_EQ(p.modified, 0);
  }
  auto files = test::UnreadableFiles("pipe.xml", "huge.xml", kMaxFunctionLibraryBytes);
  files.push_back({"/no/such/lib.xml", "/no/such/lib.xml"});
  for (const auto& [path, why] : files) {
    Project p;
    LibraryImport result;
    EXPECT_FALSE(ImportFunctionLibrary(p, path, &result));
    EXPECT_NE(result.error.find(why), std::string::npos) << result.error;
    EXPECT_TRUE(p.fns.empty());
  }
}

}  // namespace
}  // namespace vorlane

#include "generate/function_library.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "gui/file_util.h"
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

std::string Library(const std::string& fns,
                    const std::string& about = R"(author="" description="")") {
  return R"(<?xml version="1.0" encoding="UTF-8"?><vorlane_functions version="129" )" + about +
         ">" + fns + "</vorlane_functions>";
}

TEST(LibraryWriterTest, OnlyTickedFunctionsInProjectOrderExactly) {
  Project p = WithFunctions({"f1", "f2", "f3", "f4", "f5"});
  p.fns[3].code = "";
  p.fns[3].description = "\"q\" & 'a' <b>";
  EXPECT_EQ(FunctionLibraryXml(p, {false, false, false, false, false}, "", ""),
            Library("<fns count=\"0\"/>"));
  EXPECT_EQ(FunctionLibraryXml(p, {true, false, true, true, false}, "anonymous", "Maths"),
            Library(R"(<fns count="3"><fn name="f1" params="a" description="d">return a;</fn>)"
                    R"(<fn name="f3" params="a" description="d">return a;</fn><fn name="f4" )"
                    R"(params="a" description="&quot;q&quot; &amp; &apos;a&apos; )"
                    R"(&lt;b&gt;"/></fns>)",
                    R"(author="anonymous" description="Maths")"));
}

TEST(LibraryWriterTest, LineStartsBecomeFourSpaces) {
  EXPECT_EQ(LibraryCode("if (a) {\n\tb();\n}"), "if (a) {\n    b();\n    }");
  EXPECT_EQ(LibraryCode("  first\r\n \t x\r\rz\r\n"), "  first\r\n    x\r    \r    z\r\n");
  EXPECT_EQ(LibraryCode("a\n\n  \nb\n"), "a\n    \n    \n    b\n");
  EXPECT_EQ(LibraryCode("a\n   "), "a\n    ");
  EXPECT_EQ(LibraryCode(""), "");
  EXPECT_EQ(LibraryCode("\n"), "\n");
}

TEST_F(FunctionLibraryTest, DialogDecisions) {
  EXPECT_EQ(LibraryFileName("lib"), "lib.xml");
  EXPECT_EQ(LibraryFileName("lib.xml"), "lib.xml");
  EXPECT_EQ(LibraryFileName(""), "");
  EXPECT_EQ(LibraryFileName("/some where/lib.XML"), "/some where/lib.XML.xml");
  EXPECT_EQ(ExportRefusal(Project{}), "There nothing to export.");
  EXPECT_EQ(ExportRefusal(WithFunctions({"f"})), "");
  // Overwriting is asked only for a file with content.
  EXPECT_FALSE(LibraryNeedsOverwriteQuestion("lib.xml"));
  WriteAll("lib.xml", "");
  EXPECT_FALSE(LibraryNeedsOverwriteQuestion("lib.xml"));
  WriteAll("lib.xml", "x");
  EXPECT_TRUE(LibraryNeedsOverwriteQuestion("lib.xml"));
}

TEST_F(FunctionLibraryTest, ExportThenImportKeepsTheStoredText) {
  Project p = WithFunctions({"f", "g"});
  p.fns[0].code = "if (a) {\n\tb();\r\n}\r";
  p.fns[0].params = "a, \"b\"";
  p.fns[0].description = "Two\nlines,\r\n\tindented";
  std::string error;
  ASSERT_TRUE(WriteFunctionLibrary("lib.xml", p, {}, "me", "maths\nmore", &error)) << error;
  EXPECT_NE(ReadAll("lib.xml").find(R"(description="maths&#10;more")"), std::string::npos);

  // Into the project it came from: a copy of each, "_2" appended.
  LibraryImport result;
  ASSERT_TRUE(ImportFunctionLibrary(p, "lib.xml", &result)) << result.error;
  EXPECT_EQ(result.names, (std::vector<std::string>{"f_2", "g_2"}));
  ASSERT_EQ(p.fns.size(), 4u);
  EXPECT_EQ(p.fns[2], (UserFunction{"f_2", "a, \"b\"", "Two\nlines,\r\n\tindented",
                                    "if (a) {\n    b();\r\n    }\r"}));
  EXPECT_EQ(p.modified, 1);

  // Libraries written before keep raw breaks in attributes: they read as blanks.
  ASSERT_TRUE(ImportFunctionLibraryText(
      p, Library("<fns count=\"1\"><fn name=\"h\" description=\"a\nb\tc\"/></fns>"), nullptr));
  EXPECT_EQ(p.fns.back().description, "a b c");
}

// Any text a user can enter gives a library that imports: what XML can hold
// exactly, the rest replaced or dropped (XmlKept).
TEST(LibraryWriterTest, RandomTextsInEveryFieldReadBack) {
  std::mt19937 random(129);
  for (int round = 0; round < 300; ++round) {
    Project p;
    for (int i = 0; i < 3; ++i) {
      p.fns.push_back({test::RandomBytes(random), test::RandomBytes(random),
                       test::RandomBytes(random), test::RandomBytes(random)});
    }
    std::vector<UserFunction> read;
    std::string error;
    ASSERT_TRUE(ParseFunctionLibrary(
        FunctionLibraryXml(p, {}, test::RandomBytes(random), test::RandomBytes(random)), &read,
        &error))
        << error;
    ASSERT_EQ(read.size(), p.fns.size());
    for (size_t i = 0; i < read.size(); ++i) {
      const UserFunction& f = p.fns[i];
      ASSERT_EQ(read[i], (UserFunction{test::XmlKept(f.name), test::XmlKept(f.params),
                                       test::XmlKept(f.description),
                                       test::XmlKept(LibraryCode(f.code))}))
          << "round " << round << ", function " << i;
    }
  }
}

TEST(LibraryImportTest, RenamingAppendsUntilTheNameIsFree) {
  const std::string lib = Library("<fns count=\"1\"><fn name=\"f\"/></fns>");
  Project p = WithFunctions({"f", "f_2"});
  ASSERT_TRUE(ImportFunctionLibraryText(p, lib, nullptr));
  EXPECT_EQ(p.fns.back().name, "f_2_2");

  // A single pass in list order would give f_2 a second time here.
  p = WithFunctions({"f_2", "f"});
  ASSERT_TRUE(ImportFunctionLibraryText(p, lib, nullptr));
  EXPECT_EQ(Names(p), (std::vector<std::string>{"f_2", "f", "f_2_2"}));

  // Functions of one library see each other; an empty name is never kept.
  p = WithFunctions({"g"});
  LibraryImport result;
  ASSERT_TRUE(ImportFunctionLibraryText(
      p, Library("<fns count=\"4\"><fn name=\"f\"/><fn name=\"f\"/><fn/><fn name=\"\"/></fns>"),
      &result));
  EXPECT_EQ(result.names, (std::vector<std::string>{"f", "f_2", "_2", "_2_2"}));
  EXPECT_EQ(Names(p), (std::vector<std::string>{"g", "f", "f_2", "_2", "_2_2"}));
  EXPECT_EQ(ImportedFunctionName(p, "g"), "g_2");
  EXPECT_EQ(ImportedFunctionName(p, "new"), "new");
}

TEST(LibraryImportTest, CountDecidesHowManyChildrenAreRead) {
  Project p;
  const std::string children = "<fn name=\"a\">x</fn><other name=\"b\"/><fn name=\"c\"/>";
  ASSERT_TRUE(ImportFunctionLibraryText(p, Library("<fns count=\"2\">" + children + "</fns>"), nullptr));
  EXPECT_EQ(Names(p), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(p.fns[0].code, "x");

  // A huge count reads only what is there; a missing or bad one reads none.
  p = Project{};
  ASSERT_TRUE(ImportFunctionLibraryText(
      p, Library("<fns count=\"99999999999999\">" + children + "</fns>"), nullptr));
  EXPECT_EQ(p.fns.size(), 3u);
  for (const char* count : {"", " count=\"-4\"", " count=\"many\""}) {
    p = Project{};
    ASSERT_TRUE(ImportFunctionLibraryText(p, Library("<fns" + std::string(count) + ">" + children + "</fns>"),
                                          nullptr));
    EXPECT_TRUE(p.fns.empty()) << count;
  }
  // Neither the root's name nor its version is checked.
  p = Project{};
  ASSERT_TRUE(ImportFunctionLibraryText(
      p, "<lib version=\"999\"><fns count=\"1\"><fn name=\"z\">a<b>ignored</b>c</fn></fns></lib>",
      nullptr));
  EXPECT_EQ(p.fns.at(0).code, "ac");
}

TEST(LibraryImportTest, DamagedFilesImportNothing) {
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
    p.modified = 0;
    LibraryImport result;
    EXPECT_FALSE(ImportFunctionLibraryText(p, bytes, &result)) << bytes;
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(result.names.empty());
    EXPECT_EQ(Names(p), std::vector<std::string>{"keep"});
    EXPECT_EQ(p.modified, 0);
  }
  Project p;
  LibraryImport result;
  EXPECT_FALSE(ImportFunctionLibrary(p, "/no/such/lib.xml", &result));
  EXPECT_NE(result.error.find("/no/such/lib.xml"), std::string::npos);
}

TEST_F(FunctionLibraryTest, FifoOrHugeFileImportsNothing) {
  for (const auto& [path, why] :
       test::UnreadableFiles("pipe.xml", "huge.xml", kMaxFunctionLibraryBytes)) {
    Project p;
    LibraryImport result;
    EXPECT_FALSE(ImportFunctionLibrary(p, path, &result));
    EXPECT_NE(result.error.find(why), std::string::npos) << result.error;
    EXPECT_TRUE(p.fns.empty());
  }
}

TEST(LibraryImportTest, EndlessCopiesOfOneNameAreRefused) {
  // A hundred copies of one name are imported, more are refused whole.
  for (int copies : {100, 150}) {
    SCOPED_TRACE(copies);
    std::string fns;
    for (int i = 0; i < copies; ++i) fns += "<fn name=\"f\"/>";
    Project p = WithFunctions({"keep"});
    LibraryImport result;
    const bool imported = ImportFunctionLibraryText(
        p, Library("<fns count=\"" + std::to_string(copies) + "\">" + fns + "</fns>"), &result);
    EXPECT_EQ(imported, copies == 100) << result.error;
    if (imported) {
      EXPECT_EQ(p.fns.back().name.size(), 1u + 2 * 99);
    } else {
      EXPECT_NE(result.error.find("\"f\""), std::string::npos);
      EXPECT_EQ(p.fns.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace vorlane

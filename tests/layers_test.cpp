// The source folders keep to the layers of src/README.md: this test reads
// that table and every #include "folder/..." under src/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
const fs::path kSource = VORLANE_SOURCE_DIR;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Folder -> the folders its "may use" cell names.
std::map<std::string, std::set<std::string>> AllowedUses() {
  std::map<std::string, std::set<std::string>> allowed;
  const std::regex row(R"(^\| `([a-z]+)/` \|.*\| ([^|]*) \|$)");
  const std::regex folder("`([a-z]+)/`");
  std::istringstream lines(ReadText(kSource / "README.md"));
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    auto& uses = allowed[m[1]];
    const std::string cell = m[2];
    for (std::sregex_iterator it(cell.begin(), cell.end(), folder), end; it != end; ++it)
      uses.insert((*it)[1]);
  }
  return allowed;
}

TEST(Layers, EveryIncludeIsAllowedByTheReadmeTable) {
  const auto allowed = AllowedUses();
  ASSERT_TRUE(allowed.count("gui") && allowed.count("app")) << "the table was not found";
  const std::regex include(R"re(#include "([a-z]+)/([^"]*)")re");
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kSource)) {
    const std::string ext = entry.path().extension();
    if (ext != ".h" && ext != ".cpp") continue;
    const fs::path relative = fs::relative(entry.path(), kSource);
    const std::string folder = relative.begin()->string();
    ASSERT_TRUE(allowed.count(folder)) << folder << "/ has no row in src/README.md";
    // Programs link what they need; the rest of a folder outside ui/ is core.
    const bool core = relative.parent_path().filename() != "ui" &&
                      !relative.stem().string().ends_with("_main");
    const std::string text = ReadText(entry.path());
    ++files;
    for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it) {
      const std::string used = (*it)[1];
      const std::string header = (*it)[2];
      EXPECT_TRUE(used == folder || allowed.at(folder).count(used))
          << relative << " includes " << used << "/" << header;
      EXPECT_FALSE(core && header.starts_with("ui/"))
          << relative << " is GUI-free but includes " << used << "/" << header;
    }
  }
  EXPECT_GT(files, 50);
}

}  // namespace

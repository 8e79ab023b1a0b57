#include "gui/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "gui/file_limits.h"
#include "gui/file_util.h"

namespace vorlane {
namespace fs = std::filesystem;
namespace {

constexpr char kVersionFile[] = "VERSION";            // in the shared folder
constexpr char kPreparedFile[] = ".vorlane-version";  // in the user's folder
constexpr std::int64_t kMaxShippedFile = 64 << 20;

std::string ReadVersion(const std::string& path) {
  std::string text;
  if (!ReadFile(path, &text, 256)) return "";
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

// Copies the regular files under `from` to the same places under `to`,
// each replaced whole; links and other entries are left out. With `keep`,
// a file that exists already stays as it is.
bool CopyTree(const fs::path& from, const fs::path& to, bool keep, std::string* error) {
  std::error_code ec;
  if (!fs::is_directory(from, ec)) return true;
  fs::create_directories(to, ec);
  for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    const fs::path target = to / fs::relative(it->path(), from);
    if (it->is_symlink()) {
      if (it->is_directory()) it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory()) {
      fs::create_directories(target, ec);
      continue;
    }
    if (!it->is_regular_file() || (keep && fs::exists(target))) continue;
    if (!CopyFile(it->path().string(), target.string(), kMaxShippedFile, error, false))
      return false;
  }
  if (ec && error) *error = "Could not copy \"" + from.string() + "\": " + ec.message() + ".";
  return !ec;
}

}  // namespace

std::string UserProgramFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/vorlane";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/vorlane";
  return "";
}

std::string InstalledSharedFolder(const std::string& program) {
  std::error_code ec;
  fs::path binary = fs::canonical(program, ec);
  if (ec) return "";
  const fs::path shared = binary.parent_path().parent_path() / "share" / "vorlane";
  return fs::is_regular_file(shared / kVersionFile, ec) ? shared.string() : "";
}

bool IsProgramFolder(const std::string& folder) {
  return IsRegularFile(folder + "/export.js") && IsRegularFile(folder + "/keywords.dat");
}

bool IsNewerVersion(const std::string& version, const std::string& than) {
  size_t i = 0, j = 0;
  while (i < version.size() || j < than.size()) {
    long a = 0, b = 0;
    while (i < version.size() && version[i] != '.') a = a * 10 + (version[i++] - '0');
    while (j < than.size() && than[j] != '.') b = b * 10 + (than[j++] - '0');
    if (a != b) return a > b;
    ++i, ++j;
  }
  return false;
}

bool PrepareProgramFolder(const std::string& shared, const std::string& folder,
                          std::string* error) {
  const fs::path from(shared), to(folder);
  std::error_code ec;
  fs::create_directories(to / "Projects", ec);
  if (ec) {
    if (error) *error = "Could not make the folder \"" + folder + "\": " + ec.message() + ".";
    return false;
  }
  const std::string installed = ReadVersion(shared + "/" + kVersionFile);
  const std::string prepared = ReadVersion(folder + "/" + kPreparedFile);
  const bool first = prepared.empty() || !IsProgramFolder(folder);
  if (!first && !IsNewerVersion(installed, prepared)) return true;
  // The shipped files at the top: the engine template, the keyword list...
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (!entry.is_regular_file() || entry.is_symlink()) continue;
    const std::string name = entry.path().filename().string();
    if (name == kVersionFile) continue;
    if (!CopyFile(entry.path().string(), (to / name).string(), kMaxShippedFile, error, false))
      return false;
  }
  if (!CopyTree(from / "Extensions", to / "Extensions", false, error)) return false;
  fs::remove_all(to / "manual", ec);
  if (!CopyTree(from / "manual", to / "manual", false, error)) return false;
  // The example projects once; after that Projects/ is the user's alone.
  if (first && !CopyTree(from / "Projects", to / "Projects", true, error)) return false;
  SyncFileSystem(folder);
  return WriteFileAtomic(folder + "/" + kPreparedFile, installed + "\n", error);
}

std::string CurrentFolder() {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  return ec ? "" : here.string();
}

std::string ChooseProgramFolder(const std::string& program, bool prepare, std::string* error) {
  const std::string here = CurrentFolder();
  if (IsProgramFolder(here) || (!prepare && IsDirectory(here + "/Projects"))) return here;
  const std::string shared = InstalledSharedFolder(program);
  const std::string user = UserProgramFolder();
  // Not installed: the current directory, as it always was.
  if (shared.empty() || user.empty()) return here;
  if (prepare) return PrepareProgramFolder(shared, user, error) ? user : "";
  return IsProgramFolder(user) ? user : here;
}

}  // namespace vorlane

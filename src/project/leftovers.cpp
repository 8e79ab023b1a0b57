#include "project/leftovers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string_view>

#include "gui/file_util.h"
#include "gui/handles.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

// WriteFileAtomic names its temporary files ".vorlane-save-<pid>-<n>".
constexpr std::string_view kSavePrefix = ".vorlane-save-";
constexpr std::string_view kWorkingPrefix = "_temp_";
constexpr std::string_view kMarkerSuffix = ".owner";

// A file written by a process is never older than the process; file and
// start times are whole seconds apart at worst, so this much is allowed.
constexpr double kClockSlack = 2.0;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "_temp_HHMMSS" or "_temp_HHMMSS_N": only names the program makes, so a
// user's own folder is never touched.
bool IsWorkingFolderName(std::string_view name) {
  if (name.substr(0, kWorkingPrefix.size()) != kWorkingPrefix) return false;
  name.remove_prefix(kWorkingPrefix.size());
  if (name.size() < 6 || !AllDigits(name.substr(0, 6))) return false;
  name.remove_prefix(6);
  return name.empty() || (name[0] == '_' && AllDigits(name.substr(1)));
}

// The process number in a temporary save file's name; 0 for other names.
long long SaveFilePid(std::string_view name) {
  if (name.substr(0, kSavePrefix.size()) != kSavePrefix) return 0;
  name.remove_prefix(kSavePrefix.size());
  const size_t dash = name.find('-');
  if (dash == std::string_view::npos || dash + 1 == name.size()) return 0;
  const std::string_view digits = name.substr(0, dash);
  if (!AllDigits(digits) || digits.size() > 9) return 0;
  return std::stoll(std::string(digits));
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "." ? name : folder + "/" + name;
}

bool LstatIs(const std::string& path, mode_t type, struct stat* st_out = nullptr) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || (st.st_mode & S_IFMT) != type) return false;
  if (st_out) *st_out = st;
  return true;
}

std::string FirstLine(const std::string& path) {
  std::string text;
  if (!ReadFile(path, &text)) return "";
  return text.substr(0, text.find('\n'));
}

struct ProcStat {
  char state = '?';
  unsigned long long start = 0;
};

// /proc/<pid>/stat: the name in parentheses may hold anything, so the fields
// are counted from the last ')'. The start time is field 22.
std::optional<ProcStat> ReadProcStat(long long pid) {
  std::string text;
  if (!ReadFile("/proc/" + std::to_string(pid) + "/stat", &text)) return std::nullopt;
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(text.substr(close + 1));
  ProcStat stat;
  std::string skip;
  fields >> stat.state;
  for (int field = 4; field < 22; ++field) fields >> skip;
  fields >> stat.start;
  if (!fields) return std::nullopt;
  return stat;
}

bool ProcessGone(long long pid) {
  if (pid <= 0 || pid > INT_MAX) return true;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Seconds since the epoch at boot, 0 when unknown.
double BootTime() {
  std::string text;
  if (!ReadFile("/proc/stat", &text)) return 0;
  const size_t at = text.find("\nbtime ");
  return at == std::string::npos ? 0 : std::atof(text.c_str() + at + 7);
}

// Whether the temporary save file of process `pid`, last written at
// `written`, may still be that process's. A process that started after the
// file was written only got the same number again.
bool SaveFileMayBeInUse(long long pid, double written) {
  const std::optional<ProcStat> stat = ReadProcStat(pid);
  if (!stat) return !ProcessGone(pid);
  if (stat->state == 'Z' || stat->state == 'X') return false;
  const double boot = BootTime();
  const long ticks = ::sysconf(_SC_CLK_TCK);
  if (boot <= 0 || ticks <= 0) return true;
  return boot + static_cast<double>(stat->start) / static_cast<double>(ticks) <=
         written + kClockSlack;
}

std::optional<ProcessStamp> ParseMarker(const std::string& text) {
  ProcessStamp owner;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    const std::string key = line.substr(0, space);
    const std::string value = line.substr(space + 1);
    if (key == "pid" && AllDigits(value) && value.size() <= 9)
      owner.pid = std::stoll(value);
    else if (key == "start" && AllDigits(value) && value.size() <= 19)
      owner.start = std::stoull(value);
    else if (key == "boot")
      owner.boot = value;
    else if (key == "host")
      owner.host = value;
  }
  if (owner.pid <= 0) return std::nullopt;
  return owner;
}

struct Marker {
  ProcessStamp owner;
  std::string text;
};

std::optional<Marker> ReadMarker(const std::string& folder) {
  std::string text;
  if (!ReadFile(OwnerMarkerPath(folder), &text)) return std::nullopt;
  const std::optional<ProcessStamp> owner = ParseMarker(text);
  if (!owner) return std::nullopt;
  return Marker{*owner, std::move(text)};
}

// Deletes the temporary save files in `folder` whose process is gone.
void SweepSaveFiles(const std::string& folder, std::vector<std::string>& removed) {
  for (const std::string& name : ListFolder(folder)) {
    const long long pid = SaveFilePid(name);
    if (pid == 0) continue;
    const std::string path = Join(folder, name);
    struct stat st {};
    if (!LstatIs(path, S_IFREG, &st)) continue;
    const double written = static_cast<double>(st.st_mtim.tv_sec) + st.st_mtim.tv_nsec * 1e-9;
    if (SaveFileMayBeInUse(pid, written)) continue;
    if (DeleteFile(path)) removed.push_back(path);
  }
}

// Removes `marker` only while it still holds `owner_text`: another start may
// have cleaned up and reused the name meanwhile.
void RemoveMarker(const std::string& marker, const std::string& owner_text,
                  std::vector<std::string>& removed) {
  std::string text;
  if (ReadFile(marker, &text) && text == owner_text && DeleteFile(marker))
    removed.push_back(marker);
}

}  // namespace

ProcessStamp ThisProcess() {
  ProcessStamp self;
  self.pid = ::getpid();
  if (const auto stat = ReadProcStat(self.pid)) self.start = stat->start;
  self.boot = FirstLine("/proc/sys/kernel/random/boot_id");
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) self.host = host;
  return self;
}

bool MayBeRunning(const ProcessStamp& owner) {
  const ProcessStamp self = ThisProcess();
  if (owner.host != self.host) return true;
  if (!owner.boot.empty() && !self.boot.empty() && owner.boot != self.boot) return false;
  const std::optional<ProcStat> stat = ReadProcStat(owner.pid);
  if (!stat) return !ProcessGone(owner.pid);
  if (stat->state == 'Z' || stat->state == 'X') return false;
  return owner.start == 0 || stat->start == owner.start;
}

std::string OwnerMarkerPath(const std::string& folder) {
  return folder + std::string(kMarkerSuffix);
}

std::string OwnerMarkerText(const ProcessStamp& owner) {
  return "pid " + std::to_string(owner.pid) + "\nstart " + std::to_string(owner.start) + "\nboot " +
         owner.boot + "\nhost " + owner.host + "\n";
}

Claim ClaimWorkingFolder(const std::string& folder) {
  if (FileExists(folder)) return Claim::Taken;
  const std::string marker = OwnerMarkerPath(folder);
  // Created exclusively: of two runs starting in the same second only one
  // gets the name. The marker never replaces anything, so it needs no
  // atomic write.
  UniqueFd fd(::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!fd.valid()) return errno == EEXIST ? Claim::Taken : Claim::Failed;
  const std::string text = OwnerMarkerText(ThisProcess());
  bool ok = ::write(fd.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ok = fd.Close() && ok;
  if (!ok) {
    DeleteFile(marker);
    return Claim::Failed;
  }
  if (::mkdir(folder.c_str(), 0777) != 0) {
    const int err = errno;
    DeleteFile(marker);
    return err == EEXIST ? Claim::Taken : Claim::Failed;
  }
  return Claim::Made;
}

bool AdoptWorkingFolder(const std::string& folder) {
  if (!IsWorkingFolderName(folder) || !LstatIs(folder, S_IFDIR)) return false;
  const std::optional<Marker> marker = ReadMarker(folder);
  if (marker && MayBeRunning(marker->owner)) return false;
  return WriteProgramFile(OwnerMarkerPath(folder), OwnerMarkerText(ThisProcess()));
}

void ReleaseWorkingFolder(const std::string& folder) {
  if (folder.empty()) return;
  DeleteFolderFiles(folder);
  if (FileExists(folder)) return;
  std::vector<std::string> removed;
  RemoveMarker(OwnerMarkerPath(folder), OwnerMarkerText(ThisProcess()), removed);
}

std::vector<std::string> LeftoverWorkingFolders() {
  std::vector<std::string> folders;
  for (const std::string& name : ListFolder(".")) {
    if (!IsWorkingFolderName(name) || !LstatIs(name, S_IFDIR)) continue;
    const std::optional<Marker> marker = ReadMarker(name);
    if (!marker || !MayBeRunning(marker->owner)) folders.push_back(name);
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::vector<std::string> RemoveLeftovers() {
  std::vector<std::string> removed;
  SweepSaveFiles(".", removed);
  SweepSaveFiles(kProjectsFolder, removed);
  for (const std::string& project : ListFolder(kProjectsFolder)) {
    const std::string folder = Join(kProjectsFolder, project);
    if (!LstatIs(folder, S_IFDIR)) continue;
    SweepSaveFiles(folder, removed);
    for (const std::string& sub : ListFolder(folder))
      if (LstatIs(Join(folder, sub), S_IFDIR)) SweepSaveFiles(Join(folder, sub), removed);
  }

  const std::vector<std::string> names = ListFolder(".");
  for (const std::string& name : names) {
    if (!IsWorkingFolderName(name) || !LstatIs(name, S_IFDIR)) continue;
    SweepSaveFiles(name, removed);
    const std::optional<Marker> marker = ReadMarker(name);
    if (!marker || MayBeRunning(marker->owner)) continue;
    // Removing only an empty folder: files in it may be media never saved.
    if (::rmdir(name.c_str()) != 0) continue;
    removed.push_back(name);
    RemoveMarker(OwnerMarkerPath(name), marker->text, removed);
  }
  // Markers without a folder: a kill between making or removing the two.
  for (const std::string& name : names) {
    if (name.size() <= kMarkerSuffix.size() ||
        name.compare(name.size() - kMarkerSuffix.size(), std::string::npos, kMarkerSuffix) != 0)
      continue;
    const std::string folder = name.substr(0, name.size() - kMarkerSuffix.size());
    if (!IsWorkingFolderName(folder) || FileExists(folder) || !LstatIs(name, S_IFREG)) continue;
    const std::optional<Marker> marker = ReadMarker(folder);
    if (marker && !MayBeRunning(marker->owner)) RemoveMarker(name, marker->text, removed);
  }
  return removed;
}

}  // namespace vorlane

#include "project/recovery.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <set>

#include "gui/file_util.h"
#include "project/frame_numbers.h"
#include "project/leftovers.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

// The header line: "VORLANE RECOVERY <version> <time> <name>", the name
// with '%', CR and LF written as %25, %0D and %0A.
constexpr std::string_view kMagic = "VORLANE RECOVERY ";

std::string EscapeName(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '%')
      out += "%25";
    else if (c == '\n')
      out += "%0A";
    else if (c == '\r')
      out += "%0D";
    else
      out += c;
  }
  return out;
}

std::string UnescapeName(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && text.compare(i, 3, "%25") == 0)
      out += '%', i += 2;
    else if (text[i] == '%' && text.compare(i, 3, "%0A") == 0)
      out += '\n', i += 2;
    else if (text[i] == '%' && text.compare(i, 3, "%0D") == 0)
      out += '\r', i += 2;
    else
      out += text[i];
  }
  return out;
}

std::string RecoveryPath(const std::string& folder) { return folder + "/" + kRecoveryFile; }
std::string FramesPrefix(const std::string& folder) { return folder + "/" + kRecoveryFramePrefix; }

struct Header {
  int version = 0;
  std::int64_t time = 0;
  std::string name;
  size_t body = 0;  // where the project text starts
};

// False for text that does not start with a whole header line.
bool ParseHeader(const std::string& text, Header* header) {
  if (text.compare(0, kMagic.size(), kMagic) != 0) return false;
  const size_t end = text.find('\n');
  if (end == std::string::npos) return false;
  const std::string line = text.substr(kMagic.size(), end - kMagic.size());
  const size_t first = line.find(' ');
  const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos) return false;
  try {
    size_t used = 0;
    header->version = std::stoi(line.substr(0, first), &used);
    if (used != first) return false;
    header->time = std::stoll(line.substr(first + 1, second - first - 1), &used);
    if (used != second - first - 1) return false;
  } catch (...) {
    return false;
  }
  header->name = UnescapeName(line.substr(second + 1));
  header->body = end + 1;
  return true;
}

bool IsRecoveryFrame(const std::string& name) {
  return name.compare(0, sizeof kRecoveryFramePrefix - 1, kRecoveryFramePrefix) == 0;
}

}  // namespace

RecoverySnapshot TakeRecoverySnapshot(const Project& project, std::int64_t time) {
  RecoverySnapshot snapshot{time, project};
  // Frames sharing a number would share one recovery picture.
  RenumberRepeatedFrames(snapshot.project);
  return snapshot;
}

bool WriteRecovery(const RecoverySnapshot& snapshot, RecoveryCache& cache, std::string* error) {
  std::string why;
  const auto fail = [&](const std::string& text) {
    if (error) *error = text;
    return false;
  };
  const Project& project = snapshot.project;
  const std::string& folder = project.tempfolder;
  if (folder.empty() || !IsDirectory(folder))
    return fail("There is no working folder to write the recovery file into.");
  if (cache.folder != folder) cache = RecoveryCache{folder, {}};
  auto& written = cache.written;
  std::set<std::string> named;
  const std::string prefix = FramesPrefix(folder);
  for (const Frame& frame : project.frames) {
    const std::string file = FrameFileName(frame);
    if (!IsPlainFileName(file)) continue;  // never read back either
    named.insert(kRecoveryFramePrefix + file);
    const std::string path = prefix + file;
    if (HasPicture(frame)) {
      const std::uint64_t fingerprint = Fingerprint(*frame.image);
      const auto found = written.find(file);
      if (found != written.end() && found->second == fingerprint && FileExists(path)) continue;
      const std::string png = EncodePng(*frame.image);
      if (png.empty() || !WriteProgramFile(path, png, &why, false))
        return fail("The recovery file could not be written. " + why);
      written[file] = fingerprint;
    } else if (const std::string from = StandInSource(project.saved_frames, frame.image);
               !from.empty()) {
      // A picture that was never loaded is carried over from its file once.
      if (written.count(file) && FileExists(path)) continue;
      if (!CopyProgramFile(from, path, kMaxPictureFileBytes, &why, false, ReadFrom::ProgramFolder))
        continue;  // its own file still holds it
      written[file] = 0;
    }
  }
  // The pictures reach the disk before the file that names them.
  SyncFileSystem(folder);
  const std::string header = std::string(kMagic) + std::to_string(kVersion) + " " +
                             std::to_string(snapshot.time) + " " + EscapeName(project.projectname) +
                             "\n";
  if (!WriteProgramFile(RecoveryPath(folder), header + ProjectXml(project), &why))
    return fail("The recovery file could not be written. " + why);
  // Only now that the old file is replaced are the pictures it alone named
  // of no use: removed any earlier, a kill would leave it naming them.
  for (const std::string& entry : ListFolder(folder)) {
    if (IsRecoveryFrame(entry) && !named.count(entry)) {
      DeleteFile(folder + "/" + entry);
      written.erase(entry.substr(sizeof kRecoveryFramePrefix - 1));
    }
  }
  return true;
}

void RemoveRecovery(const std::string& folder) {
  if (folder.empty()) return;
  DeleteFile(RecoveryPath(folder));
  for (const std::string& entry : ListFolder(folder))
    if (IsRecoveryFrame(entry)) DeleteFile(folder + "/" + entry);
}

std::vector<FoundRecovery> FindRecoveries() {
  std::vector<FoundRecovery> found;
  for (const std::string& folder : LeftoverWorkingFolders()) {
    // Only the header line is needed; the file may be large.
    const UniqueFile file = OpenRegularFile(RecoveryPath(folder));
    if (!file) continue;
    std::string start(4096, '\0');
    start.resize(std::fread(start.data(), 1, start.size(), file.get()));
    Header header;
    if (!ParseHeader(start, &header)) continue;
    found.push_back({folder, header.name, header.time, header.version});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const FoundRecovery& a, const FoundRecovery& b) { return a.time > b.time; });
  return found;
}

std::string RestoreQuestion(const FoundRecovery& found) {
  const std::time_t when = static_cast<std::time_t>(found.time);
  std::tm local{};
  localtime_r(&when, &local);
  char time[32];
  std::strftime(time, sizeof time, "%Y-%m-%d %H:%M", &local);
  const std::string name = found.name.empty() ? "an unnamed project" : found.name;
  return "Vorlane did not close normally. Restore the unsaved changes of " + name + " from " +
         time + "?";
}

bool RestoreRecovery(Project& project, const FoundRecovery& found, FileReport* report) {
  FileReport local;
  FileReport& out = report ? *report : local;
  out = FileReport{};
  if (found.version > kVersion) {
    out.error = NewerVersionMessage(found.version);
    return false;
  }
  std::string bytes;
  std::string why;
  Header header;
  if (!ReadFile(RecoveryPath(found.folder), &bytes, kMaxProjectFileBytes, &why) ||
      !ParseHeader(bytes, &header)) {
    out.error = "The unsaved changes could not be restored. " +
                (why.empty() ? "The recovery file is damaged." : why);
    return false;
  }
  Project recovered;
  recovered.imgfolder = project.imgfolder;
  recovered.audfolder = project.audfolder;
  recovered.tempfolder = found.folder;
  if (!ReadProjectText(recovered, header.name, bytes.substr(header.body),
                       FramesPrefix(found.folder), &out, out.limits)) {
    // The reader speaks of a project file; this one is the recovery file.
    constexpr std::string_view kProjectFile = "The project file";
    if (out.error.compare(0, kProjectFile.size(), kProjectFile) == 0)
      out.error.replace(0, kProjectFile.size(), "The recovery file");
    out.error = "The unsaved changes could not be restored. " + out.error;
    return false;
  }
  if (!AdoptWorkingFolder(found.folder)) {
    out.error = "The unsaved changes could not be restored: the folder \"" + found.folder +
                "\" is in use or cannot be written.";
    return false;
  }
  // The pictures in memory were read from the working folder, so the next
  // save writes them into the project, wherever the user saves it.
  ReleaseWorkingFolder(project.tempfolder);
  project = std::move(recovered);
  SetModified(project, 1);
  return true;
}

std::string KeepRecoveryAside(const FoundRecovery& found) {
  const std::string aside =
      found.folder + "/recovery-v" + std::to_string(found.version) + ".xml";
  if (std::rename(RecoveryPath(found.folder).c_str(), aside.c_str()) != 0) return "";
  return aside;
}

std::string NewerRecoveryMessage(const FoundRecovery& found, const std::string& aside) {
  std::string text = NewerVersionMessage(found.version);
  if (!aside.empty())
    text += " Its unsaved changes are kept in \"" + aside + "\" for that version.";
  return text;
}

void DiscardRecovery(const FoundRecovery& found) {
  RemoveRecovery(found.folder);
  ReleaseWorkingFolder(found.folder);
}

}  // namespace vorlane

// Saving a project: frame PNGs, media copied out of the working folder, then
// the project file itself, which replaces the old one only once complete.
#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>

#include "gui/bulk_delete.h"
#include "gui/file_util.h"
#include "gui/parallel.h"
#include "project/frame_numbers.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

class Saver {
 public:
  Saver(Project& project, FileReport& report)
      : project_(project),
        report_(report),
        paths_(PathsOf(project.projectname, project.imgfolder, project.audfolder)) {}

  bool Run() {
    if (!CheckNames() || !MakeFolders()) return false;
    // Two frames saved to one file would lose one picture.
    report_.renumbered = RenumberRepeatedFrames(project_);
    WriteFrames();
    for (const auto& s : project_.sounds) CopySound(s);
    for (const auto& m : project_.musics) CopySound(m);
    for (const auto& b : project_.backgrounds)
      CopyMedia(b.file, paths_.images, kMaxPictureFileBytes);
    // The frames and media were written without a flush each; one flush
    // makes them durable before the project file that names them is.
    SyncFileSystem(paths_.folder);

    std::string error;
    if (!WriteProgramFile(paths_.xml, ProjectXml(project_), &error)) {
      report_.error = "The project could not be saved. " + error;
      return false;
    }
    ++report_.files_written;
    if (!failures_.empty()) {
      report_.error =
          "The project file was saved, but these files could not be written: " + failures_ + "." +
          reasons_;
      return false;
    }
    return true;
  }

 private:
  bool CheckNames() {
    if (!IsPlainFileName(project_.projectname)) {
      report_.error = "The project could not be saved: \"" + project_.projectname +
                      "\" cannot be used as a file name.";
      return false;
    }
    if (!IsUsableFolderName(project_.imgfolder) || !IsUsableFolderName(project_.audfolder)) {
      report_.error = "The project could not be saved: the image folder \"" +
                      project_.imgfolder + "\" or the audio folder \"" + project_.audfolder +
                      "\" is not a plain folder name.";
      return false;
    }
    return true;
  }

  bool MakeFolders() {
    for (const std::string& folder :
         {std::string(kProjectsFolder), paths_.folder, paths_.images, paths_.audio}) {
      if (!MakeDirectory(folder)) {
        report_.error = "The project could not be saved: the folder \"" + folder +
                        "\" could not be created.";
        return false;
      }
      // A folder linked elsewhere would take the project's files with it,
      // over whatever is there.
      std::string error;
      if (!IsInsideProgramFolder(folder, &error)) {
        report_.error = "The project could not be saved. " + error;
        return false;
      }
    }
    return true;
  }

  void WriteFrames() {
    // Frames are saved sprite by sprite, each sprite's in frame order.
    std::unordered_map<std::string, std::vector<Frame*>> by_sprite;
    for (auto& frame : project_.frames) by_sprite[frame.sprite].push_back(&frame);
    std::vector<Frame*> order;
    order.reserve(project_.frames.size());
    for (const auto& sprite : project_.sprites) {
      const auto found = by_sprite.find(sprite.name);
      if (found == by_sprite.end()) continue;
      order.insert(order.end(), found->second.begin(), found->second.end());
    }
    // A frame whose picture was never loaded lives only in its file, which
    // is carried over as it is. Those files are all read before anything is
    // written: a renamed sprite may save to a file another frame still
    // reads from.
    SavedFrames& saved = project_.saved_frames;
    std::vector<std::string> carried(order.size());
    std::vector<char> carry(order.size(), 0);
    std::vector<std::string> failed(order.size());
    std::vector<std::string> reasons(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
      const Frame& frame = *order[i];
      const std::string file = FrameFileName(frame);
      const std::string path = paths_.images + file;
      const std::string from = StandInSource(saved, frame.image, path);
      if (from.empty() || from == path) continue;
      carry[i] = 1;
      if (IsPlainFileName(file) &&
          !ReadFile(from, &carried[i], kMaxPictureFileBytes, &reasons[i], ReadFrom::ProgramFolder))
        failed[i] = path;
    }
    // What each file written holds now, gathered into saved_frames once all
    // are written (a failed write's size of -1 matches no file).
    std::vector<std::optional<SavedFile>> learnt(order.size());
    // Each frame is its own file: they are coded and written to temporary
    // files side by side, flushed with one sync, and only then renamed into
    // place, each file whole old or whole new throughout. Creating every
    // new file before any old one is replaced also keeps the file system
    // from searching past the freshly freed entries for each new one. A
    // frame whose picture is what its file already holds is left alone.
    std::vector<char> unsafe(order.size(), 0);
    std::vector<std::unique_ptr<PendingFile>> staged(order.size());
    ParallelFor(order.size(), [&](size_t i) {
      Frame& frame = *order[i];
      if (!HasPicture(frame) && !carry[i]) return;
      const std::string file = FrameFileName(frame);
      if (!IsPlainFileName(file)) {
        unsafe[i] = 1;
        return;
      }
      const std::string path = paths_.images + file;
      if (carry[i]) {
        if (!failed[i].empty()) return;
        staged[i] = StageFile(path, carried[i]);
        if (!staged[i]) {
          failed[i] = path;
          return;
        }
        learnt[i] = SavedFile{frame.image, 0, static_cast<std::int64_t>(carried[i].size())};
        return;
      }
      const std::uint64_t fingerprint = Fingerprint(*frame.image);
      const auto known = saved.find(path);  // only read while the frames are written
      if (known != saved.end() && !known->second.stand_in &&
          known->second.fingerprint == fingerprint && known->second.size >= 0 &&
          FileSize(path) == known->second.size)
        return;
      const std::string png = EncodePng(*frame.image);
      if (!png.empty()) staged[i] = StageFile(path, png);
      if (!staged[i]) {
        failed[i] = path;
        learnt[i].emplace();  // the size of -1 matches no file
        return;
      }
      learnt[i] = SavedFile{nullptr, fingerprint, static_cast<std::int64_t>(png.size())};
    });
    if (std::any_of(staged.begin(), staged.end(), [](const auto& f) { return f != nullptr; }))
      SyncFileSystem(paths_.folder);
    // The files replaced are swapped out and deleted together at the end.
    std::vector<std::string> replaced;
    for (size_t i = 0; i < order.size(); ++i) {
      std::string old;
      const bool committed = staged[i] && staged[i]->CommitKeepingOld(false, nullptr, &old);
      if (!old.empty()) replaced.push_back(std::move(old));
      if (!staged[i] || committed) continue;
      failed[i] = staged[i]->path();
      if (carry[i])
        learnt[i].reset();
      else
        learnt[i].emplace();
    }
    DeleteFiles(replaced);
    for (size_t i = 0; i < order.size(); ++i) {
      if (learnt[i]) saved[paths_.images + FrameFileName(*order[i])] = *learnt[i];
      if (learnt[i] && failed[i].empty()) ++report_.files_written;
      if (unsafe[i]) report_.skipped.push_back(FrameFileName(*order[i]));
      if (!failed[i].empty()) Fail(failed[i]);
      if (!reasons[i].empty()) reasons_ += "\n" + reasons[i];
    }
  }

  void CopySound(const Sound& sound) {
    CopyMedia(sound.wav, paths_.audio, kMaxSoundFileBytes);
    CopyMedia(sound.mp3, paths_.audio, kMaxSoundFileBytes);
    CopyMedia(sound.ogg, paths_.audio, kMaxSoundFileBytes);
  }

  // A copy that fails leaves the file the last save copied in place.
  void CopyMedia(const std::string& file, const std::string& to_folder, std::int64_t max_bytes) {
    if (file.empty() || project_.tempfolder.empty()) return;
    if (!IsPlainFileName(file)) {
      report_.skipped.push_back(file);
      return;
    }
    const std::string source = project_.tempfolder + "/" + file;
    if (!FileExists(source)) return;  // a missing source is not an error
    std::string error;
    if (!CopyFile(source, to_folder + file, max_bytes, &error, false, ReadFrom::ProgramFolder)) {
      Fail(to_folder + file);
      reasons_ += "\n" + error;
    } else {
      ++report_.files_written;
    }
  }

  void Fail(const std::string& path) {
    if (!failures_.empty()) failures_ += ", ";
    failures_ += path;
  }

  Project& project_;
  FileReport& report_;
  ProjectPaths paths_;
  std::string failures_;
  std::string reasons_;  // one line for each failed copy
};

}  // namespace

bool WriteProject(Project& project, FileReport* report) {
  FileReport local;
  FileReport& out = report ? *report : local;
  out = FileReport{};
  if (!Saver(project, out).Run()) return false;
  SetModified(project, 0);
  return true;
}

}  // namespace vorlane

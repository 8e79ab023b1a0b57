#include "project/editor_run.h"

#include <sys/stat.h>

#include <string>
#include <tuple>
#include <vector>

#include "project/safe_name.h"

namespace vorlane {
namespace {

// A file as the working folder holds it. Media files are replaced by
// renaming a new file over the old one, so a replaced file has another
// inode even when its size and time look the same.
using FileStamp = std::tuple<std::string, ino_t, off_t, time_t, long>;

std::vector<FileStamp> MediaStamps(const Project& project) {
  std::vector<FileStamp> stamps;
  if (project.tempfolder.empty()) return stamps;
  const auto add = [&](const std::string& name) {
    if (name.empty() || !IsPlainFileName(name)) return;
    struct stat st {};
    if (::stat((project.tempfolder + "/" + name).c_str(), &st) != 0) st = {};
    stamps.emplace_back(name, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  };
  for (const auto* sounds : {&project.sounds, &project.musics})
    for (const Sound& sound : *sounds)
      for (const std::string* name : {&sound.wav, &sound.mp3, &sound.ogg}) add(*name);
  for (const Background& background : project.backgrounds) add(background.file);
  return stamps;
}

}  // namespace

void RunEditor(EditStack& history, const std::function<std::string()>& text,
               const std::function<void()>& editor) {
  history.Commit(EditStack::kChanges);  // what came before is not this window's
  const std::vector<FileStamp> media = MediaStamps(history.project());
  history.SetLooseText(text());
  editor();
  history.SetLooseText(EditStack::kChanges);
  history.Commit(text());
  if (MediaStamps(history.project()) != media) history.MarkChangedOutside();
}

}  // namespace vorlane

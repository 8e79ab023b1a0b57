// The project file Projects/<name>.xml with its media folder
// Projects/<name>/, written and read exactly as every saved project expects.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The pictures a read loads. Frames can be edited up to `max_side` pixels on
// each side; all pictures of a project together stay within
// `max_total_pixels`, so that a damaged or hostile file cannot exhaust memory.
struct PictureLimits {
  int max_side = 16384;
  long long max_total_pixels = 1LL << 28;
};

// What a read or write has to tell the user: `error` is the text for an
// "Error" box when the operation failed; `skipped` lists entries whose files
// (or media folders) were left alone because their names would reach outside
// their folder. `too_large` and `over_budget` list the frame files,
// background files and tiles whose pictures were not loaded, past one of the
// `limits` the read applied; `unreadable` the frame and background files
// whose size could not be read, or that did not decode to it. A frame keeps
// its file, and a background its copy in the working folder, which every
// save carries over unchanged.
struct FileReport {
  std::string error;
  // Files a save wrote: changed frames, media copied, the project file.
  int files_written = 0;
  std::vector<std::string> skipped;
  std::vector<std::string> too_large;
  std::vector<std::string> over_budget;
  // Pictures whose files do not decode to the size they declare (names).
  std::vector<std::string> undecodable;
  // Files not read or copied, one sentence each naming the file and why (not
  // a regular file, over its size limit, a failed copy).
  std::vector<std::string> unreadable;
  // Frames a save gave a new number, as another frame of their sprite had
  // theirs: "<sprite> frame <old> is now frame <new>".
  std::vector<std::string> renumbered;
  // Frames whose pictures a restore did not find (file names).
  std::vector<std::string> missing;
  PictureLimits limits;
};

// The text of a "Warning" box saying what was left out or not loaded and
// why; "" when there is nothing to say.
std::string WarningText(const FileReport& report);

// The text of the project file, exactly as saved.
std::string ProjectXml(const Project& project);

// Saves the project under `projectname`: the frame PNGs, the media copied
// from the working folder, then the project file, written to a temporary file
// and renamed over the old one. True on success, when the project is marked
// unmodified; on failure the previous project file is intact, the project
// stays modified and `report->error` says what went wrong.
bool WriteProject(Project& project, FileReport* report = nullptr);

// Reads Projects/<name>.xml into a fresh project that takes the program-wide
// values (folders, working folder) of `project`, copies its media into the
// working folder and rebuilds the run-time images. Only a complete read
// replaces `project`; otherwise it is left untouched and false is returned.
bool ReadProject(Project& project, const std::string& name, FileReport* report = nullptr,
                 const PictureLimits& limits = {});

// The values of the file's root element that are not stored in the project.
struct ProjectHeader {
  int version = 0;
  std::string imgfolder;
  std::string audfolder;
};

// The XML part of ReadProject: fills the records of `into` from the file's
// text without touching any file. False with `error` set on a damaged file.
bool ParseProjectXml(const std::string& bytes, Project& into, ProjectHeader* header,
                     std::string* error);

// ReadProject for a project file's text `bytes` whose frame pictures are
// the files `frames_prefix` + "<sprite>_<frame>.png" and whose sounds and
// backgrounds are in `project.tempfolder` already (crash recovery). The
// project is named `name` and keeps the folders of `project`. A frame whose
// file is missing is named in `report->missing`.
bool ReadProjectText(Project& project, const std::string& name, const std::string& bytes,
                     const std::string& frames_prefix, FileReport* report,
                     const PictureLimits& limits = {});

// The root's version attribute of Projects/<name>.xml, 0 when absent or when
// the file cannot be read.
int ReadProjectVersion(const std::string& name);

// The message that refuses a project saved by a newer program.
std::string NewerVersionMessage(int file_version);

}  // namespace vorlane

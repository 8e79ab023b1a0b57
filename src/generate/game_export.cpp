#include "generate/game_export.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>

#include "generate/emitter_text.h"
#include "generate/emitters.h"
#include "gui/file_util.h"
#include "project/project_paths.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

struct GameFile {
  std::string entry;  // path inside the zip, as the script names it
  std::int64_t max_bytes;
};

std::vector<GameFile> ListGameFiles(const Project& project) {
  std::vector<GameFile> files = {{"index.html", kMaxOtherFileBytes},
                                 {"game.js", kMaxEngineTemplateBytes + kMaxProjectFileBytes}};
  std::set<std::string> seen = {"index.html", "game.js"};
  const auto add = [&](const std::string& folder, const std::string& file, std::int64_t limit) {
    if (!emit::KeptMedia(file)) return;
    std::string entry = MediaPath(folder, file);
    if (seen.insert(entry).second) files.push_back({std::move(entry), limit});
  };
  // The script loads the frames of sprites in the list only.
  std::set<std::string_view> sprites;
  for (const Sprite& s : project.sprites) sprites.insert(s.name);
  for (const Frame& frame : project.frames)
    if (sprites.count(frame.sprite))
      add(project.imgfolder, frame.sprite + "_" + frame.file + ".png", kMaxPictureFileBytes);
  for (const Background& b : project.backgrounds)
    add(project.imgfolder, b.file, kMaxPictureFileBytes);
  for (const std::vector<Sound>* list : {&project.sounds, &project.musics})
    for (const Sound& s : *list)
      for (const std::string* file : {&s.wav, &s.mp3, &s.ogg})
        add(project.audfolder, *file, kMaxSoundFileBytes);
  return files;
}

// Whether `name` ends in `ending` (lower case), whatever the case of `name`.
bool EndsWithNoCase(const std::string& name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  for (size_t i = 0; i < ending.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - ending.size() + i])) !=
        ending[i])
      return false;
  return true;
}

// Pictures and compressed sounds gain nothing from deflating.
bool AlreadyCompressed(const std::string& entry) {
  for (std::string_view ending : {".png", ".jpg", ".jpeg", ".mp3", ".ogg", ".m4a"})
    if (EndsWithNoCase(entry, ending)) return true;
  return false;
}

struct ZipDeleter {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};

// What the files streamed into one zip share: how many bytes the game has,
// how many are read, and whom to tell.
struct Streaming {
  std::int64_t total = 0;
  std::int64_t done = 0;
  const ExportProgress* progress = nullptr;
  bool cancelled = false;
};

// One file of the game, streamed into the zip while libzip writes it: it is
// opened only when libzip starts on it and read once. What was listed is
// what must be read: a file whose size or modification time changes between
// the listing and the end of its read is refused, so that no zip holds a
// file cut short or half rewritten.
class FileSource {
 public:
  FileSource(std::string path, std::int64_t max_bytes, Streaming* streaming)
      : path_(std::move(path)), max_bytes_(max_bytes), streaming_(streaming) {
    zip_error_init(&error_);
  }
  ~FileSource() { zip_error_fini(&error_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // Checks that the file can be read, and notes its size and time.
  bool List(std::string* error) {
    return OpenFileForReading(path_, max_bytes_, error, ReadFrom::ProgramFolder, &listed_).valid();
  }
  std::int64_t size() const { return listed_.st_size; }
  // Why reading failed, for the user; "" when libzip alone knows.
  const std::string& problem() const { return problem_; }

  static zip_int64_t Callback(void* self, void* data, zip_uint64_t length,
                              zip_source_cmd_t command) {
    return static_cast<FileSource*>(self)->Handle(data, length, command);
  }

 private:
  zip_int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
      case ZIP_SOURCE_OPEN: return Open();
      case ZIP_SOURCE_READ: return Read(static_cast<char*>(data), length);
      case ZIP_SOURCE_CLOSE: fd_.Reset(); return 0;
      case ZIP_SOURCE_STAT: {
        zip_stat_t* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error_);
        if (!stat) return -1;
        zip_stat_init(stat);
        stat->size = static_cast<zip_uint64_t>(listed_.st_size);
        stat->mtime = listed_.st_mtim.tv_sec;
        stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
      }
      case ZIP_SOURCE_ERROR: return zip_error_to_data(&error_, data, length);
      case ZIP_SOURCE_FREE: return 0;  // owned by the export
      case ZIP_SOURCE_SUPPORTS: return ZIP_SOURCE_SUPPORTS_READABLE;
      default: zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0); return -1;
    }
  }

  zip_int64_t Open() {
    struct stat now {};
    std::string why;
    fd_ = OpenFileForReading(path_, max_bytes_, &why, ReadFrom::ProgramFolder, &now);
    if (!fd_.valid()) return Fail(ZIP_ER_OPEN, why);
    if (!Unchanged(now)) return Changed();
    read_ = 0;
    return 0;
  }

  zip_int64_t Read(char* data, zip_uint64_t length) {
    // One byte past the listed size is asked for, which tells a file that grew.
    const std::int64_t room = listed_.st_size + 1 - read_;
    length =
        std::min<zip_uint64_t>(length, static_cast<zip_uint64_t>(std::max<std::int64_t>(room, 0)));
    ssize_t n;
    do {
      n = ::read(fd_.get(), data, length);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
      return Fail(ZIP_ER_READ, "Could not read \"" + path_ + "\": " + std::strerror(errno) + ".");
    read_ += n;
    if (n == 0) {
      struct stat now {};
      if (read_ != listed_.st_size || ::fstat(fd_.get(), &now) != 0 || !Unchanged(now))
        return Changed();
      return 0;
    }
    if (read_ > listed_.st_size) return Changed();
    streaming_->done += n;
    if (streaming_->progress && streaming_->total > 0 &&
        !(*streaming_->progress)(static_cast<double>(streaming_->done) / streaming_->total)) {
      streaming_->cancelled = true;
      return Fail(ZIP_ER_CANCELLED, "");
    }
    return n;
  }

  bool Unchanged(const struct stat& now) const {
    return now.st_dev == listed_.st_dev && now.st_ino == listed_.st_ino &&
           now.st_size == listed_.st_size && now.st_mtim.tv_sec == listed_.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == listed_.st_mtim.tv_nsec;
  }

  zip_int64_t Changed() {
    return Fail(ZIP_ER_CHANGED, "the file \"" + path_ +
                                    "\" changed while it was exported; export again once it is "
                                    "complete.");
  }

  zip_int64_t Fail(int code, std::string problem) {
    zip_error_set(&error_, code, 0);
    problem_ = std::move(problem);
    fd_.Reset();
    return -1;
  }

  std::string path_;
  std::int64_t max_bytes_;
  Streaming* streaming_;
  struct stat listed_ {};
  UniqueFd fd_;
  std::int64_t read_ = 0;
  zip_error_t error_;
  std::string problem_;
};

using Sources = std::vector<std::unique_ptr<FileSource>>;

// Streams `sources` into a zip under `entries` and puts it at `zip_path`
// the way WriteFileAtomic does: libzip writes a temporary file beside it,
// which replaces `zip_path` only once complete. False with `why` set.
bool WriteZip(const Sources& sources, const std::vector<std::string>& entries,
              const std::string& zip_path, std::string* why) {
  PendingFile pending(zip_path, why);
  if (!pending.valid()) return false;
  int code = 0;
  std::unique_ptr<zip_t, ZipDeleter> archive(
      zip_open(pending.temp_path().c_str(), ZIP_TRUNCATE, &code));
  if (!archive) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    *why = "the zip could not be made (" + std::string(zip_error_strerror(&error)) + ").";
    zip_error_fini(&error);
    return false;
  }
  const auto zip_failed = [&] {
    *why = "the zip could not be made (" + std::string(zip_strerror(archive.get())) + ").";
    return false;
  };
  for (size_t i = 0; i < sources.size(); ++i) {
    zip_source_t* data =
        zip_source_function(archive.get(), &FileSource::Callback, sources[i].get());
    const zip_int64_t index =
        data ? zip_file_add(archive.get(), entries[i].c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      return zip_failed();
    }
    zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                             AlreadyCompressed(entries[i]) ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
  }
  if (zip_close(archive.get()) != 0) {
    for (const auto& source : sources)
      if (!source->problem().empty()) {
        *why = source->problem();
        return false;
      }
    return zip_failed();
  }
  archive.release();  // closed and freed by zip_close
  return pending.Reopen(why) && pending.Commit(true, why);
}

}  // namespace

std::vector<std::string> GameFiles(const Project& project) {
  std::vector<std::string> names;
  for (GameFile& file : ListGameFiles(project)) names.push_back(std::move(file.entry));
  return names;
}

std::string ExportFileName(const std::string& projectname) { return projectname + ".zip"; }

std::string ExportZipPath(const std::string& chosen) {
  return chosen.empty() || EndsWithNoCase(chosen, ".zip") ? chosen : chosen + ".zip";
}

std::string ExportingText(const std::string& zip_path) {
  const auto slash = zip_path.find_last_of('/');
  return "Exporting the game to " +
         (slash == std::string::npos ? zip_path : zip_path.substr(slash + 1)) + "...";
}

std::string ExportedStatus(const std::string& zip_path, size_t file_count) {
  return "GAME EXPORTED: " + zip_path + " (" + std::to_string(file_count) + " files).";
}

bool ExportGame(const Project& project, const std::string& zip_path, ExportReport* report,
                const ExportProgress& progress) {
  ExportReport local;
  ExportReport& out = report ? *report : local;
  out = ExportReport{};
  const auto fail = [&](const std::string& why) {
    out.error = "The game could not be exported: " + why;
    return false;
  };
  if (!IsPlainFileName(project.projectname))
    return fail("the project has no name that can be used as a folder name.");
  if (!IsUsableFolderName(project.imgfolder) || !IsUsableFolderName(project.audfolder))
    return fail("the project's picture or sound folder is not a plain folder name.");

  // Every file is looked at before anything is written.
  const std::string folder = PathsOf(project.projectname).folder;
  Streaming streaming;
  if (progress) streaming.progress = &progress;
  Sources sources;
  std::vector<std::string> entries;
  for (const GameFile& file : ListGameFiles(project)) {
    const std::string path = folder + file.entry;
    if (!FileExists(path)) return fail("the file \"" + path + "\" the game needs is missing.");
    auto source = std::make_unique<FileSource>(path, file.max_bytes, &streaming);
    std::string why;
    if (!source->List(&why)) return fail(why);
    streaming.total += source->size();
    sources.push_back(std::move(source));
    entries.push_back(file.entry);
  }
  std::string why;
  if (!WriteZip(sources, entries, zip_path, &why)) {
    out.cancelled = streaming.cancelled;
    return fail(out.cancelled ? "it was cancelled." : why);
  }
  out.files = std::move(entries);
  return true;
}

}  // namespace vorlane

#include "generate/game_export.h"

#include <zip.h>

#include <cctype>
#include <memory>
#include <set>

#include "generate/emitter_text.h"
#include "generate/emitters.h"
#include "gui/file_util.h"
#include "project/project_paths.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

// The whole zip is built in memory so that it reaches the disk through the
// one atomic write; this keeps a runaway game from taking all memory.
constexpr std::int64_t kMaxExportBytes = 2048 * kMegabyte;

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
struct SourceDeleter {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};

std::string ZipError(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text ? text : "unknown error";
}

// The zip of `contents` (entry name, bytes), in order; "" with `error` set
// when libzip fails.
std::string BuildZip(const std::vector<std::pair<std::string, std::string>>& contents,
                     std::string* error) {
  zip_error_t zerror;
  zip_error_init(&zerror);
  std::unique_ptr<zip_source_t, SourceDeleter> buffer(
      zip_source_buffer_create(nullptr, 0, 0, &zerror));
  if (!buffer) {
    *error = ZipError(&zerror);
    zip_error_fini(&zerror);
    return {};
  }
  std::unique_ptr<zip_t, ZipDeleter> archive(
      zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zerror));
  if (!archive) {
    *error = ZipError(&zerror);
    zip_error_fini(&zerror);
    return {};
  }
  zip_error_fini(&zerror);
  // The archive now owns one reference; ours keeps the bytes after close.
  zip_source_keep(buffer.get());
  for (const auto& [entry, bytes] : contents) {
    zip_source_t* data = zip_source_buffer(archive.get(), bytes.data(), bytes.size(), 0);
    const zip_int64_t index =
        data ? zip_file_add(archive.get(), entry.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      *error = zip_strerror(archive.get());
      return {};
    }
    zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                             AlreadyCompressed(entry) ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
  }
  if (zip_close(archive.get()) != 0) {
    *error = zip_strerror(archive.get());
    return {};
  }
  archive.release();  // closed and freed by zip_close

  std::string zipped;
  zip_stat_t stat;
  if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0) {
    *error = "the archive could not be read back from memory";
    return {};
  }
  zipped.resize(stat.size);
  const zip_int64_t got = zip_source_read(buffer.get(), zipped.data(), stat.size);
  zip_source_close(buffer.get());
  if (got != static_cast<zip_int64_t>(stat.size)) {
    *error = "the archive could not be read back from memory";
    return {};
  }
  return zipped;
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

std::string ExportedStatus(const std::string& zip_path, size_t file_count) {
  return "GAME EXPORTED: " + zip_path + " (" + std::to_string(file_count) + " files).";
}

bool ExportGame(const Project& project, const std::string& zip_path, ExportReport* report) {
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

  const std::string folder = PathsOf(project.projectname).folder;
  std::vector<std::pair<std::string, std::string>> contents;
  std::int64_t total = 0;
  for (const GameFile& file : ListGameFiles(project)) {
    const std::string path = folder + file.entry;
    if (!FileExists(path)) return fail("the file \"" + path + "\" the game needs is missing.");
    std::string bytes;
    std::string why;
    if (!ReadFile(path, &bytes, file.max_bytes, &why, ReadFrom::ProgramFolder)) return fail(why);
    total += static_cast<std::int64_t>(bytes.size());
    if (total > kMaxExportBytes) return fail("the game's files together are larger than 2 GB.");
    contents.emplace_back(file.entry, std::move(bytes));
  }
  std::string why;
  const std::string zipped = BuildZip(contents, &why);
  if (zipped.empty()) return fail("the zip could not be made (" + why + ").");
  if (!WriteFileAtomic(zip_path, zipped, &why)) return fail(why);
  for (auto& [entry, bytes] : contents) out.files.push_back(entry);
  return true;
}

}  // namespace vorlane

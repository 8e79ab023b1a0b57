// Reading a project file. The XML is parsed in one streaming pass that fills
// the records directly; only when the whole file has been read and checked
// are media copied and images loaded, so a damaged file changes nothing.
#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "gui/file_util.h"
#include "gui/handles.h"
#include "gui/number_text.h"
#include "gui/parallel.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/record_fields.h"
#include "project/safe_name.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Sets the fields of `r` that the attributes `a` (name, value, ..., null)
// name. Attributes of no field, or of one that files of this version do not
// have, are ignored. Files list a record's attributes in its table's order,
// so each search starts after the field found last.
template <typename Record>
void Assign(Record& r, const XML_Char** a, int version) {
  const std::span<const Field<Record>> fields = FieldsOf<Record>();
  const size_t count = fields.size();
  size_t next = 0;
  for (; *a; a += 2) {
    const char* k = a[0];
    for (size_t n = 0, i = next; n < count; ++n, i = i + 1 < count ? i + 1 : 0) {
      const Field<Record>& f = fields[i];
      if (f.name[0] != k[0] || f.as == StoredAs::kText || !Is(k, f.name.data())) continue;
      next = i + 1 < count ? i + 1 : 0;
      if (version < f.since) break;
      if (f.number)
        r.*f.number = LeadingInt(a[1]);
      else
        r.*f.text = a[1];
      break;
    }
  }
}

// The member a record's element text goes to, null when it has none.
template <typename Record>
std::string Record::*TextMember() {
  for (const Field<Record>& f : FieldsOf<Record>())
    if (f.as == StoredAs::kText) return f.text;
  return nullptr;
}

// The settings' text elements: the root's first children, by position.
const std::vector<const Field<ProjectSettings>*>& SettingsTexts() {
  static const auto texts = [] {
    std::vector<const Field<ProjectSettings>*> found;
    for (const auto& f : FieldsOf<ProjectSettings>())
      if (f.as == StoredAs::kText) found.push_back(&f);
    return found;
  }();
  return texts;
}

// The lists of records, the root's children after the settings' texts, in
// the order of kRecordLists.
enum List { kSprites, kFrames, kSounds, kMusics, kBackgrounds, kFonts, kObjects, kScripts,
            kScenes, kLayers, kTiles, kFns };

// The name of the root's `child`-th child (from 1).
std::string ChildName(int child) {
  const int texts = static_cast<int>(SettingsTexts().size());
  if (child <= texts) return std::string(SettingsTexts()[child - 1]->name);
  return kRecordLists[child - texts - 1];
}

class Reader {
 public:
  explicit Reader(Project& project) : p_(project) {}

  bool Parse(const std::string& bytes, std::string* error) {
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
      *error = "The project file is too large to be read.";
      return false;
    }
    const UniqueXmlParser owner(XML_ParserCreate(nullptr));
    XML_Parser parser = owner.get();
    if (!parser) {
      *error = "Out of memory while reading the project file.";
      return false;
    }
    parser_ = parser;
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &Reader::OnStart, &Reader::OnEnd);
    XML_SetCharacterDataHandler(parser, &Reader::OnText);
    const bool parsed = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) ==
                        XML_STATUS_OK;
    if (!parsed && error_.empty()) {
      error_ = "The project file is damaged (line " +
               std::to_string(XML_GetCurrentLineNumber(parser)) + ": " +
               XML_ErrorString(XML_GetErrorCode(parser)) + ").";
    }
    parser_ = nullptr;
    if (error_.empty()) CheckComplete();
    *error = error_;
    return error_.empty();
  }

  int version() const { return version_; }

 private:
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<Reader*>(self)->Start(attributes);
  }
  static void OnEnd(void* self, const XML_Char*) { static_cast<Reader*>(self)->End(); }
  static void OnText(void* self, const XML_Char* text, int length) {
    Reader* r = static_cast<Reader*>(self);
    if (r->text_) r->text_->append(text, static_cast<size_t>(length));
  }

  void Start(const XML_Char** attributes) {
    ++depth_;
    text_ = nullptr;
    if (depth_ == 1) return StartRoot(attributes);
    if (depth_ == 2) return StartChild(attributes);
    if (depth_ == 3) return StartRecord(attributes);
  }

  void End() {
    if (depth_ == 2 && InList()) {
      if (seen_ < count_) {
        Fail("The project file is damaged: the list \"" + std::string(kRecordLists[list_]) +
             "\" should hold " + std::to_string(count_) + " records but holds " +
             std::to_string(seen_) + ".");
      }
    }
    --depth_;
    text_ = nullptr;
  }

  void StartRoot(const XML_Char** a) {
    for (const XML_Char** at = a; *at; at += 2) {
      const char* k = at[0];
      const char* v = at[1];
      if (Is(k, "version")) version_ = LeadingInt(v);
      else if (Is(k, "uid")) p_.uid = LeadingInt(v);
      else if (Is(k, "imgfolder")) imgfolder_ = v;
      else if (Is(k, "audfolder")) audfolder_ = v;
    }
    Assign(p_.settings, a, version_);
    // Files before version 129 have no list of functions.
    last_list_ = version_ >= 129 ? kFns : kTiles;
    if (version_ > kVersion) Fail(NewerVersionMessage(version_));
  }

  void StartChild(const XML_Char** a) {
    ++child_;
    seen_ = 0;
    count_ = 0;
    const auto& texts = SettingsTexts();
    list_ = child_ - static_cast<int>(texts.size()) - 1;
    if (list_ < 0) text_ = &(p_.settings.*texts[child_ - 1]->text);
    if (!InList()) return;
    for (; *a; a += 2)
      if (Is(a[0], "count")) count_ = std::max(0, LeadingInt(a[1]));
  }

  bool InList() const { return list_ >= 0 && list_ <= last_list_; }

  template <typename Record>
  void Append(std::vector<Record>& list, const XML_Char** a) {
    list.push_back(BlankRecord<Record>());
    Record& r = list.back();
    Assign(r, a, version_);
    static const auto text = TextMember<Record>();
    if (text) text_ = &(r.*text);
  }

  void StartRecord(const XML_Char** a) {
    if (!InList() || seen_ >= count_) return;
    ++seen_;
    switch (list_) {
      case kSprites: return Append(p_.sprites, a);
      case kFrames: return Append(p_.frames, a);
      case kSounds: return Append(p_.sounds, a);
      case kMusics: return Append(p_.musics, a);
      case kBackgrounds: return Append(p_.backgrounds, a);
      case kFonts: return Append(p_.fonts, a);
      case kObjects: return Append(p_.objects, a);
      case kScripts: return Append(p_.scripts, a);
      case kScenes: return Append(p_.scenes, a);
      case kLayers: return Append(p_.layers, a);
      case kTiles: return Append(p_.tiles, a);
      case kFns: return Append(p_.fns, a);
    }
  }

  void CheckComplete() {
    if (list_ < last_list_) {
      error_ = "The project file is damaged: the element \"" + ChildName(child_ + 1) +
               "\" is missing.";
    }
  }

  void Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    if (parser_) XML_StopParser(parser_, XML_FALSE);
  }

 public:
  std::string imgfolder_, audfolder_;

 private:
  Project& p_;
  XML_Parser parser_ = nullptr;
  int version_ = 0;
  int depth_ = 0;
  int child_ = 0;                   // children of the root started, from 1
  int list_ = -1;                   // the list of the child being read; < 0 for a text
  int last_list_ = kFns;
  int count_ = 0;
  int seen_ = 0;
  std::string* text_ = nullptr;
  std::string error_;
};

}  // namespace

bool ParseProjectXml(const std::string& bytes, Project& into, ProjectHeader* header,
                     std::string* error) {
  Reader reader(into);
  const bool ok = reader.Parse(bytes, error);
  header->version = reader.version();
  header->imgfolder = std::move(reader.imgfolder_);
  header->audfolder = std::move(reader.audfolder_);
  return ok;
}

namespace {

// Media, images and derived values of a project whose file has been read.
class Loader {
 public:
  // `report_missing`: a frame file that is not there is named in the report
  // (a project's own file leaves it out quietly, as it always has).
  Loader(Project& p, FileReport& report, const std::string& images, const std::string& audio,
         const PictureLimits& limits, bool report_missing = false)
      : p_(p),
        report_(report),
        images_(images),
        audio_(audio),
        limits_(limits),
        report_missing_(report_missing) {}

  void Run() {
    LoadFrames();
    for (const auto& s : p_.sounds) CopySound(s);
    for (const auto& m : p_.musics) CopySound(m);
    for (const auto& b : p_.backgrounds) CopyIn(b.file, images_, kMaxPictureFileBytes);
    for (const auto& scene : p_.scenes) p_.cards.scenes[scene.name] = {StockCardPicture()};
    LoadBackgrounds();
    BuildSpriteThumbnails(p_);
    // An instance always takes its object's depth.
    std::unordered_map<std::string, int> depths;
    for (const auto& o : p_.objects)
      if (o.prototype == 1) depths[o.name] = o.depth;
    for (auto& o : p_.objects) {
      const auto found = depths.find(o.template_);
      if (found != depths.end()) o.depth = found->second;
    }
  }

 private:
  // A frame whose picture is not loaded keeps the file it is in: saving
  // carries that file over unchanged, so a picture too large to load, or
  // one that cannot be decoded, is never lost.
  void LoadFrames() {
    const size_t count = p_.frames.size();
    std::vector<std::string> files(count);
    // The budget is spent in frame order on the sizes the files' headers
    // declare, before anything is decoded.
    std::vector<std::optional<ImageSize>> sizes(count);
    std::vector<char> unreadable(count, 0);
    std::vector<std::string> why(count);  // a file that could not be read at all
    std::vector<std::string> paths(count);
    std::vector<std::uint64_t> fingerprints(count);
    for (size_t i = 0; i < count; ++i) {
      Frame& frame = p_.frames[i];
      files[i] = frame.sprite + "_" + frame.file + ".png";
      if (!IsPlainFileName(files[i])) {
        report_.skipped.push_back(files[i]);
        continue;
      }
      const std::string path = images_ + files[i];
      const std::int64_t size = FileSize(path);
      if (size < 0) {  // a frame whose file is missing stays empty
        if (report_missing_) report_.missing.push_back(files[i]);
        continue;
      }
      // Until its picture is decoded the frame lives only in its file.
      frame.image = ShareImage(Image());
      p_.saved_frames[path] = {frame.image, 0, size};
      paths[i] = path;
      sizes[i] = ReadImageSize(path, &why[i], ReadFrom::ProgramFolder);
      if (!sizes[i]) {
        unreadable[i] = 1;
      } else if (!Allowed(sizes[i]->width, sizes[i]->height, files[i])) {
        sizes[i].reset();
      }
    }
    // Each decoded picture goes straight to its frame.
    ParallelFor(count, [&](size_t i) {
      if (!sizes[i]) return;
      Frame& frame = p_.frames[i];
      Image image = Decode(paths[i], *sizes[i], &why[i]);
      if (image.is_null()) {
        unreadable[i] = 1;
        return;
      }
      fingerprints[i] = Fingerprint(image);
      frame.image = ShareImage(std::move(image));
    });
    for (size_t i = 0; i < count; ++i) {
      if (HasPicture(p_.frames[i])) {
        SavedFile& saved = p_.saved_frames[paths[i]];
        saved.stand_in = nullptr;
        saved.fingerprint = fingerprints[i];
      }
      if (!unreadable[i]) continue;
      Unreadable(files[i], why[i]);
      if (sizes[i]) total_pixels_ -= Pixels(*sizes[i]);  // admitted, but never held
    }
  }

  void CopySound(const Sound& s) {
    CopyIn(s.wav, audio_, kMaxSoundFileBytes);
    CopyIn(s.mp3, audio_, kMaxSoundFileBytes);
    CopyIn(s.ogg, audio_, kMaxSoundFileBytes);
  }

  void CopyIn(const std::string& file, const std::string& from_folder, std::int64_t max_bytes) {
    if (file.empty() || p_.tempfolder.empty()) return;
    if (!IsPlainFileName(file)) {
      report_.skipped.push_back(file);
      return;
    }
    const std::string from = from_folder + file;
    if (!FileExists(from)) return;  // missing media are left out quietly
    std::string error;
    if (!CopyProgramFile(from, p_.tempfolder + "/" + file, max_bytes, &error, false,
                         ReadFrom::ProgramFolder))
      report_.unreadable.push_back(error);
  }

  // Background pictures are decoded one at a time, counted only while they
  // are held: each is made into its card, then freed. The scene editor cuts
  // tiles from the pictures it shows.
  void LoadBackgrounds() {
    for (auto& b : p_.backgrounds) {
      if (b.file.empty()) continue;
      Image picture;
      std::optional<ImageSize> held;  // counted while the picture is held
      const std::string path = p_.tempfolder + "/" + b.file;
      if (IsPlainFileName(b.file) && !p_.tempfolder.empty() && FileSize(path) >= 0) {
        std::string why;
        const std::optional<ImageSize> size = ReadImageSize(path, &why, ReadFrom::ProgramFolder);
        if (!size) {
          Unreadable(b.file, why);
        } else if (Allowed(size->width, size->height, b.file)) {
          picture = Decode(path, *size, &why);
          if (!picture.is_null()) {
            held = size;
          } else {
            Unreadable(b.file, why);
            total_pixels_ -= Pixels(*size);  // admitted, but never held
          }
        }
      }
      p_.cards.backgrounds[b.file] = BackgroundCard(picture.is_null() ? nullptr : &picture);
      if (held) total_pixels_ -= Pixels(*held);
    }
  }

  static std::int64_t Pixels(ImageSize size) { return std::int64_t{size.width} * size.height; }

  // A picture not loaded: a file that could not be read at all (`why` says
  // so), or one that did not decode.
  void Unreadable(const std::string& file, const std::string& why) {
    if (why.empty())
      report_.undecodable.push_back(file);
    else
      report_.unreadable.push_back(why);
  }

  // The picture in `path`, or null when it does not decode to the size its
  // header declared; `why` is set when the file could not be read.
  static Image Decode(const std::string& path, ImageSize size, std::string* why) {
    Image image = LoadImageFile(path, why, ReadFrom::ProgramFolder);
    if (image.width() != size.width || image.height() != size.height) return Image();
    return image;
  }

  // Whether a picture of this size may be held; if so its pixels are
  // counted, otherwise `what` is reported with the reason.
  bool Allowed(std::int64_t width, std::int64_t height, const std::string& what) {
    if (width > limits_.max_side || height > limits_.max_side) {
      report_.too_large.push_back(what);
      return false;
    }
    const std::int64_t pixels = width * height;
    if (total_pixels_ + pixels > limits_.max_total_pixels) {
      report_.over_budget.push_back(what);
      return false;
    }
    total_pixels_ += pixels;
    return true;
  }

  Project& p_;
  FileReport& report_;
  const std::string& images_;
  const std::string& audio_;
  const PictureLimits limits_;
  const bool report_missing_;
  std::int64_t total_pixels_ = 0;
};

// The first of `names` that keeps a media folder inside the project; each
// one passed over is reported.
std::string UsableFolder(const std::vector<std::string>& names, FileReport& report) {
  for (const std::string& name : names) {
    if (IsUsableFolderName(name)) return name;
    if (std::find(report.skipped.begin(), report.skipped.end(), name) == report.skipped.end())
      report.skipped.push_back(name);
  }
  return std::string();
}

// A project named `name` with the program-wide values (folders, working
// folder) of `project`, for a read to fill.
Project EmptyLike(const Project& project, const std::string& name) {
  Project fresh;
  fresh.projectname = name;
  fresh.imgfolder = project.imgfolder;
  fresh.audfolder = project.audfolder;
  fresh.tempfolder = project.tempfolder;
  return fresh;
}

}  // namespace

bool ReadProject(Project& project, const std::string& name, FileReport* report,
                 const PictureLimits& limits) {
  FileReport local;
  FileReport& out = report ? *report : local;
  out = FileReport{};
  if (!IsPlainFileName(name)) {
    out.error = "\"" + name + "\" is not a project name.";
    return false;
  }
  const ProjectPaths paths = PathsOf(name, project.imgfolder, project.audfolder);
  std::string bytes;
  std::string why;
  if (!ReadFile(paths.xml, &bytes, kMaxProjectFileBytes, &why)) {
    out.error = "The project could not be opened. " + why;
    return false;
  }

  Project fresh = EmptyLike(project, name);
  ProjectHeader header;
  if (!ParseProjectXml(bytes, fresh, &header, &out.error)) return false;

  // Files before version 129 keep their pictures and sounds in the project
  // folder; later ones in the folders they were saved with, or failing that
  // those of the preferences, or the usual ones. A name that would reach
  // outside the project is passed over and reported.
  const bool older = header.version < 129;
  const Project usual;
  const auto folder = [&](const std::string& saved, const std::string& preferred,
                          const std::string& fallback) {
    return UsableFolder(
        older ? std::vector{preferred, fallback} : std::vector{saved, preferred, fallback}, out);
  };
  fresh.imgfolder = folder(header.imgfolder, project.imgfolder, usual.imgfolder);
  fresh.audfolder = folder(header.audfolder, project.audfolder, usual.audfolder);
  ProjectPaths media = PathsOf(name, fresh.imgfolder, fresh.audfolder);
  if (older) media.images = media.audio = paths.folder;
  out.limits = limits;
  Loader(fresh, out, media.images, media.audio, limits).Run();
  fresh.modified = 0;
  project = std::move(fresh);
  return true;
}

bool ReadProjectText(Project& project, const std::string& name, const std::string& bytes,
                     const std::string& frames_prefix, FileReport* report,
                     const PictureLimits& limits) {
  FileReport local;
  FileReport& out = report ? *report : local;
  out = FileReport{};
  Project fresh = EmptyLike(project, name);
  ProjectHeader header;
  // A newer program's file is refused here, with the newer-version message.
  if (!ParseProjectXml(bytes, fresh, &header, &out.error)) return false;
  if (IsUsableFolderName(header.imgfolder)) fresh.imgfolder = header.imgfolder;
  if (IsUsableFolderName(header.audfolder)) fresh.audfolder = header.audfolder;
  out.limits = limits;
  // Media are looked for beside the frames, where there are none: the
  // working folder holds them already.
  Loader(fresh, out, frames_prefix, frames_prefix, limits, true).Run();
  fresh.modified = 0;
  project = std::move(fresh);
  return true;
}

int ReadProjectVersion(const std::string& name) {
  if (!IsPlainFileName(name)) return 0;
  const UniqueFile file = OpenRegularFile(PathsOf(name).xml);
  if (!file) return 0;
  const UniqueXmlParser parser(XML_ParserCreate(nullptr));
  if (!parser) return 0;
  struct State {
    XML_Parser parser;
    int version = 0;
    bool seen = false;
  } state{parser.get()};
  XML_SetUserData(state.parser, &state);
  // Only the root element is needed: the file is read piece by piece and
  // the parse stops as soon as the root has been seen.
  XML_SetStartElementHandler(state.parser, [](void* data, const XML_Char*, const XML_Char** a) {
    auto* s = static_cast<State*>(data);
    for (; *a; a += 2)
      if (Is(a[0], "version")) s->version = LeadingInt(a[1]);
    s->seen = true;
    XML_StopParser(s->parser, XML_FALSE);
  });
  char buffer[16384];
  while (!state.seen) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    const bool last = n < sizeof buffer;
    if (XML_Parse(state.parser, buffer, static_cast<int>(n), last) != XML_STATUS_OK || last) break;
  }
  return state.version;
}

}  // namespace vorlane

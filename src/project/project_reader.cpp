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
#include <unordered_map>

#include "gui/file_util.h"
#include "gui/handles.h"
#include "gui/number_text.h"
#include "gui/parallel.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/safe_name.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

void Assign(Sprite& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "centerx")) r.centerx = LeadingInt(v);
  else if (Is(k, "centery")) r.centery = LeadingInt(v);
  else if (Is(k, "collisionshape")) r.collisionshape = v;
  else if (Is(k, "collisionradius")) r.collisionradius = LeadingInt(v);
  else if (Is(k, "collisionleft")) r.collisionleft = LeadingInt(v);
  else if (Is(k, "collisionright")) r.collisionright = LeadingInt(v);
  else if (Is(k, "collisiontop")) r.collisiontop = LeadingInt(v);
  else if (Is(k, "collisionbottom")) r.collisionbottom = LeadingInt(v);
}

void Assign(Frame& r, const char* k, const char* v) {
  if (Is(k, "file")) r.file = v;
  else if (Is(k, "sprite")) r.sprite = v;
}

void Assign(Sound& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "wav")) r.wav = v;
  else if (Is(k, "mp3")) r.mp3 = v;
  else if (Is(k, "ogg")) r.ogg = v;
}

void Assign(Background& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "file")) r.file = v;
  else if (Is(k, "tile")) r.tile = LeadingInt(v);
  else if (Is(k, "tileheight")) r.tileheight = LeadingInt(v);
  else if (Is(k, "tilewidth")) r.tilewidth = LeadingInt(v);
  else if (Is(k, "tilexoffset")) r.tilexoffset = LeadingInt(v);
  else if (Is(k, "tileyoffset")) r.tileyoffset = LeadingInt(v);
  else if (Is(k, "tilexspace")) r.tilexspace = LeadingInt(v);
  else if (Is(k, "tileyspace")) r.tileyspace = LeadingInt(v);
}

void Assign(Font& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "family")) r.family = v;
  else if (Is(k, "size")) r.size = LeadingInt(v);
  else if (Is(k, "bold")) r.bold = LeadingInt(v);
  else if (Is(k, "italic")) r.italic = LeadingInt(v);
}

void Assign(GameObject& r, const char* k, const char* v, int version) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "template")) r.template_ = v;
  else if (Is(k, "prototype")) r.prototype = LeadingInt(v);
  else if (Is(k, "scene")) r.scene = v;
  else if (Is(k, "sprite")) r.sprite = v;
  else if (Is(k, "x")) r.x = LeadingInt(v);
  else if (Is(k, "y")) r.y = LeadingInt(v);
  else if (Is(k, "visible")) r.visible = LeadingInt(v);
  else if (Is(k, "depth")) r.depth = LeadingInt(v);
  else if (Is(k, "collision")) r.collision = LeadingInt(v);
  else if (Is(k, "parent")) r.parent = v;
  // Older files have no per-instance direction or angle.
  else if (version >= 129 && Is(k, "direction")) r.direction = LeadingInt(v);
  else if (version >= 129 && Is(k, "image_angle")) r.image_angle = LeadingInt(v);
}

void Assign(Script& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "object")) r.object = v;
  else if (Is(k, "event")) r.event = v;
  else if (Is(k, "parameter")) r.parameter = v;
}

void Assign(Scene& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "width")) r.width = LeadingInt(v);
  else if (Is(k, "height")) r.height = LeadingInt(v);
  else if (Is(k, "speed")) r.speed = LeadingInt(v);
  else if (Is(k, "red")) r.red = LeadingInt(v);
  else if (Is(k, "green")) r.green = LeadingInt(v);
  else if (Is(k, "blue")) r.blue = LeadingInt(v);
  else if (Is(k, "background")) r.background = v;
  else if (Is(k, "backgroundstretch")) r.backgroundstretch = LeadingInt(v);
  else if (Is(k, "backgroundtilex")) r.backgroundtilex = LeadingInt(v);
  else if (Is(k, "backgroundtiley")) r.backgroundtiley = LeadingInt(v);
  else if (Is(k, "viewportwidth")) r.viewportwidth = LeadingInt(v);
  else if (Is(k, "viewportheight")) r.viewportheight = LeadingInt(v);
  else if (Is(k, "viewportxborder")) r.viewportxborder = LeadingInt(v);
  else if (Is(k, "viewportyborder")) r.viewportyborder = LeadingInt(v);
  else if (Is(k, "viewportobject")) r.viewportobject = v;
}

void Assign(Layer& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "scene")) r.scene = v;
  else if (Is(k, "value")) r.value = LeadingInt(v);
}

void Assign(Tile& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "background")) r.background = v;
  else if (Is(k, "width")) r.width = LeadingInt(v);
  else if (Is(k, "height")) r.height = LeadingInt(v);
  else if (Is(k, "x")) r.x = LeadingInt(v);
  else if (Is(k, "y")) r.y = LeadingInt(v);
  else if (Is(k, "top")) r.top = LeadingInt(v);
  else if (Is(k, "left")) r.left = LeadingInt(v);
  else if (Is(k, "depth")) r.depth = LeadingInt(v);
  else if (Is(k, "scene")) r.scene = v;
}

void Assign(UserFunction& r, const char* k, const char* v) {
  if (Is(k, "name")) r.name = v;
  else if (Is(k, "params")) r.params = v;
  else if (Is(k, "description")) r.description = v;
}

// Records are read with all their fields zero or empty unless the file says
// otherwise, as the file is the whole truth about a saved project.
template <typename Record>
Record Blank() {
  Record r{};
  if constexpr (std::is_same_v<Record, Sprite>) r.collisionshape.clear();
  if constexpr (std::is_same_v<Record, Background>) r.tilewidth = r.tileheight = 0;
  if constexpr (std::is_same_v<Record, Font>) {
    r.family.clear();
    r.size = 0;
  }
  if constexpr (std::is_same_v<Record, GameObject>) r.prototype = r.visible = r.collision = 0;
  if constexpr (std::is_same_v<Record, Scene>) {
    r.width = r.height = r.viewportwidth = r.viewportheight = r.speed = 0;
    r.viewportxborder = r.viewportyborder = 0;
  }
  if constexpr (std::is_same_v<Record, Layer>) r.value = 0;
  return r;
}

// The fifteen children of the root, by position.
enum Child { kFunctions = 1, kVariables, kComments, kSprites, kFrames, kSounds, kMusics,
             kBackgrounds, kFonts, kObjects, kScripts, kScenes, kLayers, kTiles, kFns };

const char* const kListNames[] = {"", "functions", "variables", "comments", "sprites", "frames",
                                  "sounds", "musics", "backgrounds", "fonts", "objects",
                                  "scripts", "scenes", "layers", "tiles", "fns"};

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
    if (depth_ == 2 && child_ >= kSprites && child_ <= last_child_) {
      if (seen_ < count_) {
        Fail("The project file is damaged: the list \"" + std::string(kListNames[child_]) +
             "\" should hold " + std::to_string(count_) + " records but holds " +
             std::to_string(seen_) + ".");
      }
    }
    --depth_;
    text_ = nullptr;
  }

  void StartRoot(const XML_Char** a) {
    for (; *a; a += 2) {
      const char* k = a[0];
      const char* v = a[1];
      if (Is(k, "version")) version_ = LeadingInt(v);
      else if (Is(k, "uid")) p_.uid = LeadingInt(v);
      else if (Is(k, "title")) p_.settings.title = v;
      else if (Is(k, "advancedscriptmode")) p_.settings.advancedscriptmode = LeadingInt(v);
      else if (Is(k, "imgfolder")) imgfolder_ = v;
      else if (Is(k, "audfolder")) audfolder_ = v;
    }
    // Files before version 129 have no list of functions.
    last_child_ = version_ >= 129 ? kFns : kTiles;
    if (version_ > kVersion) Fail(NewerVersionMessage(version_));
  }

  void StartChild(const XML_Char** a) {
    ++child_;
    seen_ = 0;
    count_ = 0;
    if (child_ == kFunctions) text_ = &p_.settings.functions;
    else if (child_ == kVariables) text_ = &p_.settings.variables;
    else if (child_ == kComments) text_ = &p_.settings.comments;
    if (child_ < kSprites || child_ > last_child_) return;
    for (; *a; a += 2)
      if (Is(a[0], "count")) count_ = std::max(0, LeadingInt(a[1]));
  }

  template <typename Record>
  Record* Append(std::vector<Record>& list, const XML_Char** a) {
    list.push_back(Blank<Record>());
    Record& r = list.back();
    for (; *a; a += 2) Assign(r, a[0], a[1]);
    return &r;
  }

  void StartRecord(const XML_Char** a) {
    if (child_ < kSprites || child_ > last_child_ || seen_ >= count_) return;
    ++seen_;
    switch (child_) {
      case kSprites: Append(p_.sprites, a); break;
      case kFrames: Append(p_.frames, a); break;
      case kSounds: Append(p_.sounds, a); break;
      case kMusics: Append(p_.musics, a); break;
      case kBackgrounds: Append(p_.backgrounds, a); break;
      case kFonts: Append(p_.fonts, a); break;
      case kObjects: {
        p_.objects.push_back(Blank<GameObject>());
        for (; *a; a += 2) Assign(p_.objects.back(), a[0], a[1], version_);
        break;
      }
      case kScripts: text_ = &Append(p_.scripts, a)->code; break;
      case kScenes: text_ = &Append(p_.scenes, a)->code; break;
      case kLayers: Append(p_.layers, a); break;
      case kTiles: Append(p_.tiles, a); break;
      case kFns: text_ = &Append(p_.fns, a)->code; break;
    }
  }

  void CheckComplete() {
    if (child_ < last_child_) {
      error_ = ("The project file is damaged: the element \"" +
           std::string(kListNames[child_ + 1]) + "\" is missing.");
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
  int child_ = 0;
  int last_child_ = kFns;
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
    for (const auto& scene : p_.scenes) p_.cards.scenes[scene.name] = StockCardPicture();
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

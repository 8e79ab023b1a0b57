// Reading a project file. The XML is parsed in one streaming pass that fills
// the records directly; only when the whole file has been read and checked
// are media copied and images loaded, so a damaged file changes nothing.
#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
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

// The size a PNG file declares in its header, read without decoding it;
// false for a file that is not a PNG.
bool PngSize(const std::string& path, long long* width, long long* height) {
  const UniqueFile file = OpenRegularFile(path);
  unsigned char head[24];
  if (!file || std::fread(head, 1, sizeof head, file.get()) != sizeof head) return false;
  if (std::memcmp(head, "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) != 0) return false;
  const auto big_endian = [&head](int at) {
    return (static_cast<long long>(head[at]) << 24) | (head[at + 1] << 16) | (head[at + 2] << 8) |
           head[at + 3];
  };
  *width = big_endian(16);
  *height = big_endian(20);
  return true;
}

// Media, images and derived values of a project whose file has been read.
class Loader {
 public:
  Loader(Project& p, FileReport& report, const std::string& images, const std::string& audio,
         const PictureLimits& limits)
      : p_(p), report_(report), images_(images), audio_(audio), limits_(limits) {}

  void Run() {
    LoadFrames();
    for (const auto& s : p_.sounds) CopySound(s);
    for (const auto& m : p_.musics) CopySound(m);
    for (const auto& b : p_.backgrounds) CopyIn(b.file, images_, kMaxPictureFileBytes);
    for (auto& scene : p_.scenes) scene.thumbnail = StockCardPicture();
    CutTiles();
    BuildThumbnails(p_);
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
    // The budget is spent in frame order on the sizes PNG headers declare,
    // before anything is decoded; pictures in other formats are decoded one
    // at a time afterwards and then counted.
    enum Plan : char { kKeep, kDecode, kDecodeAlone };
    std::vector<char> plan(count, kKeep);
    for (size_t i = 0; i < count; ++i) {
      Frame& frame = p_.frames[i];
      files[i] = frame.sprite + "_" + frame.file + ".png";
      if (!IsPlainFileName(files[i])) {
        report_.skipped.push_back(files[i]);
        continue;
      }
      const std::string path = images_ + files[i];
      frame.stored_size = FileSize(path);
      if (frame.stored_size < 0) continue;  // a frame whose file is missing stays empty
      frame.stored_path = path;
      long long width = 0, height = 0;
      if (!PngSize(path, &width, &height)) plan[i] = kDecodeAlone;
      else if (Allowed(width, height, files[i])) plan[i] = kDecode;
    }
    std::vector<Image> images(count);
    std::vector<std::string> unread(count);  // why a file was not read
    ParallelFor(count, [&](size_t i) {
      if (plan[i] == kDecode) images[i] = LoadImageFile(p_.frames[i].stored_path, &unread[i]);
    });
    for (size_t i = 0; i < count; ++i) {
      if (!unread[i].empty()) report_.unreadable.push_back(unread[i]);
      if (plan[i] == kDecodeAlone) {
        images[i] = LoadImageFile(p_.frames[i].stored_path, &unread[i]);
        if (!unread[i].empty()) report_.unreadable.push_back(unread[i]);
        if (!images[i].is_null() && !Allowed(images[i].width(), images[i].height(), files[i]))
          images[i] = Image();
      }
      if (images[i].is_null()) continue;
      p_.frames[i].stored_fingerprint = Fingerprint(images[i]);
      p_.frames[i].image = ShareImage(std::move(images[i]));
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
    if (!CopyProgramFile(from, p_.tempfolder + "/" + file, max_bytes, &error, false))
      report_.unreadable.push_back(error);
  }

  // Each tile gets its cut-out of the tile set's picture, or plain red when
  // the picture cannot be loaded, so the user sees which tiles lost theirs.
  void CutTiles() {
    std::unordered_map<std::string, std::shared_ptr<const Image>> sets;
    for (const auto& b : p_.backgrounds) {
      if (b.file.empty()) continue;
      Image image;
      if (IsPlainFileName(b.file) && !p_.tempfolder.empty())
        image = LoadImageFile(p_.tempfolder + "/" + b.file);
      sets[b.name] = std::make_shared<const Image>(std::move(image));
    }
    if (sets.empty()) return;
    for (auto& tile : p_.tiles) {
      const auto found = sets.find(tile.background);
      if (found == sets.end() || tile.width <= 0 || tile.height <= 0) continue;
      if (!Allowed(tile.width, tile.height, tile.name)) continue;
      Image image = Image::Transparent(tile.width, tile.height);
      const Image& set = *found->second;
      if (set.is_null())
        image.Fill(Color{255, 0, 0, 255});
      else
        image.Draw(set, -tile.left, -tile.top, DrawMode::Blend);
      tile.image = ShareImage(std::move(image));
    }
  }

  // Whether a picture of this size may be loaded; if so its pixels are
  // counted, otherwise `what` is reported with the reason.
  bool Allowed(long long width, long long height, const std::string& what) {
    if (width > limits_.max_side || height > limits_.max_side) {
      report_.too_large.push_back(what);
      return false;
    }
    const long long pixels = width * height;
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
  long long total_pixels_ = 0;
};

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

  Project fresh;
  fresh.projectname = name;
  fresh.imgfolder = project.imgfolder;
  fresh.audfolder = project.audfolder;
  fresh.tempfolder = project.tempfolder;
  ProjectHeader header;
  if (!ParseProjectXml(bytes, fresh, &header, &out.error)) return false;

  ProjectPaths media = paths;
  if (header.version < 129) {
    // Older projects keep their pictures and sounds in the project folder.
    media.images = media.audio = paths.folder;
  } else {
    // The folders the project was saved with are where its media are.
    if (IsUsableFolderName(header.imgfolder)) fresh.imgfolder = header.imgfolder;
    else out.skipped.push_back(header.imgfolder);
    if (IsUsableFolderName(header.audfolder)) fresh.audfolder = header.audfolder;
    else out.skipped.push_back(header.audfolder);
    media = PathsOf(name, fresh.imgfolder, fresh.audfolder);
  }
  Loader(fresh, out, media.images, media.audio, limits).Run();
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

#include "project/project_file.h"

#include "gui/file_util.h"
#include "gui/xml_text.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

// A generous guess of the file's size, so the text is built without the
// string growing (and copying itself) along the way.
size_t EstimateSize(const Project& p) {
  size_t size = 1024 + p.settings.functions.size() + p.settings.variables.size() +
                p.settings.comments.size() + p.settings.title.size();
  size += p.sprites.size() * 320 + p.frames.size() * 64 + (p.sounds.size() + p.musics.size()) * 160;
  size += p.backgrounds.size() * 320 + p.fonts.size() * 128 + p.objects.size() * 320;
  size += p.layers.size() * 96 + p.tiles.size() * 224;
  for (const auto& s : p.scripts) size += 128 + s.code.size() + s.code.size() / 8;
  for (const auto& s : p.scenes) size += 512 + s.code.size() + s.code.size() / 8;
  for (const auto& f : p.fns) size += 128 + f.code.size() + f.description.size() + f.code.size() / 8;
  return size;
}

template <typename Record, typename WriteOne>
void WriteList(XmlWriter& xml, std::string_view list, const std::vector<Record>& records,
               WriteOne write_one) {
  xml.Start(list);
  xml.Attribute("count", static_cast<int>(records.size()));
  if (records.empty()) {
    xml.EndEmpty();
    return;
  }
  xml.EndStart();
  for (const auto& record : records) write_one(record);
  xml.End(list);
}

// Ends a record element that may carry code as its text.
void EndWithText(XmlWriter& xml, std::string_view name, const std::string& text) {
  if (text.empty()) {
    xml.EndEmpty();
    return;
  }
  xml.EndStart();
  xml.Text(text);
  xml.End(name);
}

void WriteSound(XmlWriter& xml, const char* element, const Sound& s) {
  xml.Start(element);
  xml.Attribute("name", s.name);
  xml.Attribute("wav", s.wav);
  xml.Attribute("mp3", s.mp3);
  xml.Attribute("ogg", s.ogg);
  xml.EndEmpty();
}

}  // namespace

std::string ProjectXml(const Project& p) {
  std::string out;
  out.reserve(EstimateSize(p));
  XmlWriter xml(out);
  xml.Declaration();
  xml.Start("vorlane");
  xml.Attribute("version", kVersion);
  xml.Attribute("uid", p.uid);
  xml.Attribute("title", p.settings.title);
  xml.Attribute("advancedscriptmode", p.settings.advancedscriptmode);
  xml.Attribute("imgfolder", p.imgfolder);
  xml.Attribute("audfolder", p.audfolder);
  xml.EndStart();
  xml.TextElement("functions", p.settings.functions);
  xml.TextElement("variables", p.settings.variables);
  xml.TextElement("comments", p.settings.comments);

  WriteList(xml, "sprites", p.sprites, [&](const Sprite& s) {
    xml.Start("sprite");
    xml.Attribute("name", s.name);
    xml.Attribute("centerx", s.centerx);
    xml.Attribute("centery", s.centery);
    xml.Attribute("collisionshape", s.collisionshape);
    xml.Attribute("collisionradius", s.collisionradius);
    xml.Attribute("collisionleft", s.collisionleft);
    xml.Attribute("collisionright", s.collisionright);
    xml.Attribute("collisiontop", s.collisiontop);
    xml.Attribute("collisionbottom", s.collisionbottom);
    xml.EndEmpty();
  });
  WriteList(xml, "frames", p.frames, [&](const Frame& f) {
    xml.Start("frame");
    xml.Attribute("file", f.file);
    xml.Attribute("sprite", f.sprite);
    xml.EndEmpty();
  });
  WriteList(xml, "sounds", p.sounds, [&](const Sound& s) { WriteSound(xml, "sound", s); });
  WriteList(xml, "musics", p.musics, [&](const Music& m) { WriteSound(xml, "music", m); });
  WriteList(xml, "backgrounds", p.backgrounds, [&](const Background& b) {
    xml.Start("background");
    xml.Attribute("name", b.name);
    xml.Attribute("file", b.file);
    xml.Attribute("tile", b.tile);
    xml.Attribute("tileheight", b.tileheight);
    xml.Attribute("tilewidth", b.tilewidth);
    xml.Attribute("tilexoffset", b.tilexoffset);
    xml.Attribute("tileyoffset", b.tileyoffset);
    xml.Attribute("tilexspace", b.tilexspace);
    xml.Attribute("tileyspace", b.tileyspace);
    xml.EndEmpty();
  });
  WriteList(xml, "fonts", p.fonts, [&](const Font& f) {
    xml.Start("font");
    xml.Attribute("name", f.name);
    xml.Attribute("family", f.family);
    xml.Attribute("size", f.size);
    xml.Attribute("bold", f.bold);
    xml.Attribute("italic", f.italic);
    xml.EndEmpty();
  });
  WriteList(xml, "objects", p.objects, [&](const GameObject& o) {
    xml.Start("object");
    xml.Attribute("name", o.name);
    xml.Attribute("template", o.template_);
    xml.Attribute("prototype", o.prototype);
    xml.Attribute("scene", o.scene);
    xml.Attribute("sprite", o.sprite);
    xml.Attribute("x", o.x);
    xml.Attribute("y", o.y);
    xml.Attribute("visible", o.visible);
    xml.Attribute("depth", o.depth);
    xml.Attribute("collision", o.collision);
    xml.Attribute("parent", o.parent);
    xml.Attribute("direction", o.direction);
    xml.Attribute("image_angle", o.image_angle);
    xml.EndEmpty();
  });
  WriteList(xml, "scripts", p.scripts, [&](const Script& s) {
    xml.Start("script");
    xml.Attribute("name", s.name);
    xml.Attribute("object", s.object);
    xml.Attribute("event", s.event);
    xml.Attribute("parameter", s.parameter);
    EndWithText(xml, "script", s.code);
  });
  WriteList(xml, "scenes", p.scenes, [&](const Scene& s) {
    xml.Start("scene");
    xml.Attribute("name", s.name);
    xml.Attribute("width", s.width);
    xml.Attribute("height", s.height);
    xml.Attribute("speed", s.speed);
    xml.Attribute("red", s.red);
    xml.Attribute("green", s.green);
    xml.Attribute("blue", s.blue);
    xml.Attribute("background", s.background);
    xml.Attribute("backgroundstretch", s.backgroundstretch);
    xml.Attribute("backgroundtilex", s.backgroundtilex);
    xml.Attribute("backgroundtiley", s.backgroundtiley);
    xml.Attribute("viewportwidth", s.viewportwidth);
    xml.Attribute("viewportheight", s.viewportheight);
    xml.Attribute("viewportxborder", s.viewportxborder);
    xml.Attribute("viewportyborder", s.viewportyborder);
    xml.Attribute("viewportobject", s.viewportobject);
    EndWithText(xml, "scene", s.code);
  });
  WriteList(xml, "layers", p.layers, [&](const Layer& l) {
    xml.Start("layer");
    xml.Attribute("name", l.name);
    xml.Attribute("scene", l.scene);
    xml.Attribute("value", l.value);
    xml.EndEmpty();
  });
  WriteList(xml, "tiles", p.tiles, [&](const Tile& t) {
    xml.Start("tile");
    xml.Attribute("name", t.name);
    xml.Attribute("background", t.background);
    xml.Attribute("width", t.width);
    xml.Attribute("height", t.height);
    xml.Attribute("x", t.x);
    xml.Attribute("y", t.y);
    xml.Attribute("top", t.top);
    xml.Attribute("left", t.left);
    xml.Attribute("depth", t.depth);
    xml.Attribute("scene", t.scene);
    xml.EndEmpty();
  });
  WriteList(xml, "fns", p.fns, [&](const UserFunction& f) {
    xml.Start("fn");
    xml.Attribute("name", f.name);
    xml.Attribute("params", f.params);
    xml.Attribute("description", f.description);
    EndWithText(xml, "fn", f.code);
  });
  xml.End("vorlane");
  xml.Finish();
  return out;
}

namespace {

// The memory `pixels` take, four bytes each, rounded down to the largest
// unit that shows a whole number, so that "more than" stays true.
std::string MemoryText(long long pixels) {
  const long long bytes = pixels * 4;
  if (bytes >= (1LL << 20)) return std::to_string(bytes >> 20) + " MB";
  if (bytes >= (1LL << 10)) return std::to_string(bytes >> 10) + " KB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string WarningText(const FileReport& report) {
  const PictureLimits& limits = report.limits;
  std::string text;
  const auto say = [&text](const std::string& before, const std::vector<std::string>& names,
                           const std::string& after) {
    if (names.empty()) return;
    if (!text.empty()) text += "\n\n";
    text += before;
    for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
    text += after;
  };
  const std::string kept = ". Their files are kept and saved unchanged with the project.";
  say("These files were left out because their names cannot be used: ", report.skipped, ".");
  const std::string side = std::to_string(limits.max_side);
  say("These pictures are larger than " + side + " x " + side +
          " pixels, more than can be edited, so they are not shown: ",
      report.too_large, kept);
  const std::string memory = "more than " + MemoryText(limits.max_total_pixels) + " of memory: ";
  say("These pictures are not shown, because together with the others they would take " + memory,
      report.over_budget, kept);
  say("These pictures are not shown, because their files could not be read as PNG, JPEG or BMP "
      "pictures of the size they declare: ",
      report.undecodable, kept);
  say("These frames had the number of another frame of their sprite and were given a new one, so "
      "that each keeps its own picture: ",
      report.renumbered, ".");
  say("These pictures were missing from the recovered changes, so their frames are empty: ",
      report.missing, ".");
  if (!report.unreadable.empty()) {
    if (!text.empty()) text += "\n\n";
    text += "These files were left out:";
    for (const std::string& line : report.unreadable) text += "\n" + line;
  }
  return text;
}

std::string NewerVersionMessage(int file_version) {
  return "This project requires a new program version (v" + std::to_string(file_version) + ").";
}

}  // namespace vorlane

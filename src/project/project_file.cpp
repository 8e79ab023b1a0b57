#include "project/project_file.h"

#include "gui/file_util.h"
#include "gui/xml_text.h"
#include "project/record_fields.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

// A generous guess of the file's size, so the text is built without the
// string growing (and copying itself) along the way.
size_t EstimateSize(const Project& p) {
  size_t size = 1024;
  for (const auto& f : FieldsOf<ProjectSettings>())
    if (f.text) size += (p.settings.*f.text).size();
  size += p.sprites.size() * 320 + p.frames.size() * 64 + (p.sounds.size() + p.musics.size()) * 160;
  size += p.backgrounds.size() * 320 + p.fonts.size() * 128 + p.objects.size() * 320;
  size += p.layers.size() * 96 + p.tiles.size() * 224;
  for (const auto& s : p.scripts) size += 128 + s.code.size() + s.code.size() / 8;
  for (const auto& s : p.scenes) size += 512 + s.code.size() + s.code.size() / 8;
  for (const auto& f : p.fns) size += 128 + f.code.size() + f.description.size() + f.code.size() / 8;
  return size;
}

template <typename Record>
void WriteAttribute(XmlWriter& xml, const Field<Record>& f, const Record& r) {
  if (f.as == StoredAs::kAttributeWhenSet && r.*f.number == 0) return;
  if (f.number)
    xml.Attribute(f.name, r.*f.number);
  else
    xml.Attribute(f.name, r.*f.text);
}

// A record's fields as attributes, in its table's order, and the one stored
// as text (code), if any, as the element's text.
template <typename Record>
void WriteRecord(XmlWriter& xml, std::string_view element, const Record& r) {
  xml.Start(element);
  const std::string* text = nullptr;
  for (const Field<Record>& f : FieldsOf<Record>()) {
    if (f.as == StoredAs::kText)
      text = &(r.*f.text);
    else
      WriteAttribute(xml, f, r);
  }
  if (!text || text->empty()) {
    xml.EndEmpty();
    return;
  }
  xml.EndStart();
  xml.Text(*text);
  xml.End(element);
}

template <typename Record>
void WriteList(XmlWriter& xml, std::string_view list, const std::vector<Record>& records) {
  const std::string_view element = list.substr(0, list.size() - 1);
  xml.Start(list);
  xml.Attribute("count", static_cast<int>(records.size()));
  if (records.empty()) {
    xml.EndEmpty();
    return;
  }
  xml.EndStart();
  for (const Record& record : records) WriteRecord(xml, element, record);
  xml.End(list);
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
  const auto settings = FieldsOf<ProjectSettings>();
  for (const auto& f : settings)
    if (f.as != StoredAs::kText) WriteAttribute(xml, f, p.settings);
  xml.Attribute("imgfolder", p.imgfolder);
  xml.Attribute("audfolder", p.audfolder);
  xml.EndStart();
  for (const auto& f : settings)
    if (f.as == StoredAs::kText) xml.TextElement(f.name, p.settings.*f.text);

  std::apply(
      [&](const auto&... lists) {
        size_t i = 0;
        (WriteList(xml, kRecordLists[i++], lists), ...);
      },
      RecordLists(p));
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

#include "editors/object_edits.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "gui/number_text.h"
#include "project/rename.h"
#include "project/resource_kind.h"

namespace vorlane {
namespace {

// The order of every event list (the code dialogs' lists too).
constexpr std::array<const char*, 14> kEventOrder = {
    "Creation",  "Destroy",   "Step",         "End step",     "Collision",
    "Room start", "Room end", "Animation end", "Draw",        "Alarm",
    "Keyboard",  "Key pressed", "Key released", "Mouse"};

int EventRank(const std::string& event) {
  const auto found = std::find(kEventOrder.begin(), kEventOrder.end(), event);
  return static_cast<int>(found - kEventOrder.begin());  // unknown kinds rank last
}

std::vector<std::string> KeyNames() {
  std::vector<std::string> keys = {"Left", "Right", "Up", "Down", "Space", "Enter",
                                   "Escape", "Shift", "Control"};
  for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
  for (char c = '0'; c <= '9'; ++c) keys.emplace_back(1, c);
  for (int f = 1; f <= 12; ++f) keys.push_back("F" + std::to_string(f));
  keys.emplace_back("Any key");
  return keys;
}

std::vector<std::string> MouseParameters() {
  std::vector<std::string> out;
  for (const char* where : {"", "Global "})
    for (const char* button : {"left", "right", "middle"})
      for (const char* how : {"pressed", "released"}) {
        std::string text = std::string(where) + button + " " + how;
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        out.push_back(std::move(text));
      }
  return out;
}

}  // namespace

std::vector<std::string> EventParameters(const std::string& event) {
  if (event == "Keyboard" || event == "Key pressed" || event == "Key released") return KeyNames();
  if (event == "Mouse") return MouseParameters();
  if (event == "Alarm") {
    std::vector<std::string> numbers;
    for (int n = 0; n < 12; ++n) numbers.push_back(std::to_string(n));
    return numbers;
  }
  return {};
}

bool IsObjectNameUnique(const Project& project, const std::string& name, int except_index) {
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (static_cast<int>(i) != except_index && project.objects[i].name == name) return false;
  return true;
}

std::string StoreObject(Project& project, int index, const ObjectFields& fields) {
  if (index < 0 || index >= static_cast<int>(project.objects.size())) return "";
  SetModified(project, 1);
  // CheckResourceName's duplicate test for objects is IsObjectNameUnique.
  if (std::string refusal = CheckResourceName(project, ResourceKind::Object, fields.name, index);
      !refusal.empty())
    return refusal;

  const int depth = LeadingInt(fields.depth);
  RenameResource(project, ResourceKind::Object, index, fields.name);
  // Instances made before the rename now carry the new name too.
  for (GameObject& record : project.objects)
    if (record.prototype == 0 && record.template_ == fields.name) record.depth = depth;

  GameObject& object = project.objects[static_cast<size_t>(index)];
  object.sprite = fields.sprite;
  object.visible = fields.visible ? 1 : 0;
  object.depth = depth;
  object.collision = fields.collision ? 1 : 0;
  object.parent = fields.parent;

  for (GameObject& record : project.objects)
    if (record.prototype == 0 && record.template_ == fields.name) record.sprite = fields.sprite;
  return "";
}

int AddScript(Project& project, const std::string& object, const std::string& event,
              const std::string& parameter) {
  NewScript(project, object, event, parameter);
  return static_cast<int>(project.scripts.size()) - 1;
}

void DeleteEventScript(Project& project, int index) {
  if (index < 0 || index >= static_cast<int>(project.scripts.size())) return;
  project.scripts.erase(project.scripts.begin() + index);
  SetModified(project, 1);
}

void TakeBackEmptyEvent(Project& project, int index, int was_modified) {
  if (index < 0 || index >= static_cast<int>(project.scripts.size()) ||
      !project.scripts[static_cast<size_t>(index)].code.empty())
    return;
  DeleteEventScript(project, index);
  SetModified(project, was_modified);
}

std::vector<int> ObjectEventRows(const Project& project, const std::string& object) {
  std::vector<std::pair<int, int>> ranked;  // (kind rank, script index)
  for (size_t i = 0; i < project.scripts.size(); ++i) {
    const Script& script = project.scripts[i];
    if (script.object == object) ranked.emplace_back(EventRank(script.event), static_cast<int>(i));
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int> rows;
  rows.reserve(ranked.size());
  for (const auto& [rank, index] : ranked) rows.push_back(index);
  return rows;
}

Image ObjectThumbnail(const Image* picture, const Image& placeholder) {
  constexpr int kBox = kObjectThumbnailSize;
  Image thumbnail = Image::Transparent(kBox, kBox);
  const Image& shown = picture && !picture->is_null() ? *picture : placeholder;
  if (shown.is_null()) return thumbnail;
  const int w = shown.width(), h = shown.height();
  const int fit_w = w >= h ? kBox : std::max(1, Round(double(kBox) * w / h, Rounding::Nearest));
  const int fit_h = w >= h ? std::max(1, Round(double(kBox) * h / w, Rounding::Nearest)) : kBox;
  // Enlarged pixel art stays crisp; reduced pictures are smoothed.
  const Scaling scaling = w > kBox || h > kBox ? Scaling::Bilinear : Scaling::Nearest;
  thumbnail.DrawScaled(shown, 0, 0, fit_w, fit_h, DrawMode::Blend, scaling);
  return thumbnail;
}

std::string SpriteSizeText(const Image* picture) {
  if (!picture || picture->is_null()) return "Size: <no sprite>";
  return "Size: " + std::to_string(picture->width()) + " x " + std::to_string(picture->height()) +
         " px";
}

}  // namespace vorlane

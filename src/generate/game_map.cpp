#include "generate/game_map.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <utility>

namespace vorlane {
namespace {

constexpr std::array<std::pair<ScriptKind, const char*>, 6> kKindNames = {{
    {ScriptKind::Event, "event"},
    {ScriptKind::Scene, "scene"},
    {ScriptKind::Function, "function"},
    {ScriptKind::GlobalVariables, "variables"},
    {ScriptKind::GlobalFunctions, "functions"},
    {ScriptKind::Extension, "extension"},
}};

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::optional<GameMap::Found> GameMap::Find(int game_line) const {
  // The last script starting at or before the line.
  auto after = std::upper_bound(entries.begin(), entries.end(), game_line,
                                [](int line, const GameMapEntry& e) { return line < e.first_line; });
  if (after == entries.begin()) return std::nullopt;
  const GameMapEntry& e = *std::prev(after);
  if (game_line >= e.first_line + e.line_count) return std::nullopt;
  return Found{e.place, game_line - e.first_line + 1};
}

std::string GameMapText(const GameMap& map) {
  QJsonArray scripts;
  for (const GameMapEntry& e : map.entries) {
    const auto kind = std::find_if(kKindNames.begin(), kKindNames.end(),
                                   [&](const auto& k) { return k.first == e.place.kind; });
    scripts.append(QJsonObject{{"line", e.first_line},
                               {"lines", e.line_count},
                               {"kind", kind->second},
                               {"resource", Q(e.place.resource)},
                               {"event", Q(e.place.event)},
                               {"parameter", Q(e.place.parameter)},
                               {"index", e.place.index}});
  }
  const QJsonObject root{{"version", 1}, {"scripts", scripts}};
  return QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString();
}

bool ReadGameMap(const std::string& text, GameMap* map) {
  QJsonParseError parse_error;
  const QJsonDocument doc =
      QJsonDocument::fromJson(QByteArray::fromStdString(text), &parse_error);
  if (parse_error.error != QJsonParseError::NoError || !doc.isObject()) return false;
  const QJsonObject root = doc.object();
  if (root.value("version").toInt() != 1 || !root.value("scripts").isArray()) return false;
  GameMap read;
  int last_end = 0;
  for (const QJsonValue& value : root.value("scripts").toArray()) {
    const QJsonObject o = value.toObject();
    GameMapEntry e;
    e.first_line = o.value("line").toInt();
    e.line_count = o.value("lines").toInt();
    // Entries are in line order and never overlap, or Find would be wrong.
    if (e.first_line < std::max(last_end, 1) || e.line_count < 1) return false;
    last_end = e.first_line + e.line_count;
    const std::string kind = o.value("kind").toString().toStdString();
    const auto found = std::find_if(kKindNames.begin(), kKindNames.end(),
                                    [&](const auto& k) { return kind == k.second; });
    if (found == kKindNames.end()) return false;
    e.place.kind = found->first;
    e.place.resource = o.value("resource").toString().toStdString();
    e.place.event = o.value("event").toString().toStdString();
    e.place.parameter = o.value("parameter").toString().toStdString();
    e.place.index = o.value("index").toInt(-1);
    read.entries.push_back(std::move(e));
  }
  *map = std::move(read);
  return true;
}

}  // namespace vorlane

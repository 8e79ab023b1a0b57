#include "generate/game_map.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <utility>

namespace vorlane {
namespace {

constexpr int kMapVersion = 1;

constexpr std::array<std::pair<ScriptKind, const char*>, 6> kKindNames{{
    {ScriptKind::Event, "event"},
    {ScriptKind::Scene, "scene"},
    {ScriptKind::Function, "function"},
    {ScriptKind::GlobalVariables, "variables"},
    {ScriptKind::GlobalFunctions, "functions"},
    {ScriptKind::Extension, "extension"},
}};

const char* KindName(ScriptKind kind) {
  for (const auto& [k, name] : kKindNames)
    if (k == kind) return name;
  return "event";
}

bool KindOf(const QString& name, ScriptKind* kind) {
  for (const auto& [k, text] : kKindNames)
    if (name == QLatin1String(text)) {
      *kind = k;
      return true;
    }
  return false;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

// A whole number that fits an int; JSON numbers are doubles.
bool IntOf(const QJsonValue& value, int min, int* out) {
  if (!value.isDouble()) return false;
  const double d = value.toDouble();
  if (d != static_cast<double>(static_cast<long long>(d)) || d < min || d > 1e9) return false;
  *out = static_cast<int>(d);
  return true;
}

}  // namespace

std::optional<GameMap::Found> GameMap::Find(int game_line) const {
  // The last script starting at or before the line.
  auto after =
      std::upper_bound(entries.begin(), entries.end(), game_line,
                       [](int line, const GameMapEntry& e) { return line < e.first_line; });
  if (after == entries.begin()) return std::nullopt;
  const GameMapEntry& entry = *std::prev(after);
  if (game_line >= entry.first_line + entry.line_count) return std::nullopt;
  return Found{entry.place, game_line - entry.first_line + 1};
}

std::string GameMapText(const GameMap& map) {
  QJsonArray scripts;
  for (const GameMapEntry& e : map.entries) {
    scripts.append(QJsonObject{{"line", e.first_line},
                               {"lines", e.line_count},
                               {"kind", KindName(e.place.kind)},
                               {"resource", Text(e.place.resource)},
                               {"event", Text(e.place.event)},
                               {"parameter", Text(e.place.parameter)},
                               {"index", e.place.index}});
  }
  const QJsonObject root{{"version", kMapVersion}, {"scripts", scripts}};
  return QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

bool ReadGameMap(const std::string& text, GameMap* map) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
  const QJsonObject root = doc.object();
  if (root.value("version").toInt(-1) != kMapVersion || !root.value("scripts").isArray())
    return false;
  GameMap read;
  int end = 1;  // first game.js line after the previous script
  for (const QJsonValue& value : root.value("scripts").toArray()) {
    if (!value.isObject()) return false;
    const QJsonObject o = value.toObject();
    GameMapEntry e;
    if (!IntOf(o.value("line"), 1, &e.first_line) || !IntOf(o.value("lines"), 0, &e.line_count) ||
        !IntOf(o.value("index"), -1, &e.place.index) ||
        !KindOf(o.value("kind").toString(), &e.place.kind))
      return false;
    for (const auto& [key, field] :
         {std::pair{"resource", &e.place.resource}, std::pair{"event", &e.place.event},
          std::pair{"parameter", &e.place.parameter}}) {
      if (!o.value(key).isString()) return false;
      *field = o.value(key).toString().toStdString();
    }
    // Find's search needs the scripts in order and apart.
    if (e.first_line < end) return false;
    end = e.first_line + e.line_count;
    read.entries.push_back(std::move(e));
  }
  *map = std::move(read);
  return true;
}

}  // namespace vorlane

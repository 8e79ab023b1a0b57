#include "generate/debug_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>

namespace vorlane {
namespace {

// Each kind as the page sends it and as it is shown.
struct KindNames {
  DebugEntry::Kind kind;
  const char* sent;
  const char* shown;
};
constexpr std::array<KindNames, 5> kKinds{{
    {DebugEntry::Kind::Error, "error", "Error"},
    {DebugEntry::Kind::Log, "log", "Log"},
    {DebugEntry::Kind::Info, "info", "Info"},
    {DebugEntry::Kind::Warning, "warning", "Warning"},
    {DebugEntry::Kind::Debug, "debug", "Debug"},
}};

// Far above what the page sends; they only bound what a broken page costs.
constexpr int kMaxStackFrames = 50;

int WholeNumber(const QJsonValue& value) {
  const double d = value.toDouble(0);
  return d >= 1 && d <= 1e9 ? static_cast<int>(d) : 0;
}

// Each "game.js:LINE:COL" frame named as the user knows it; frames of the
// debug script itself are left out, others keep their text without the
// server's address.
std::string StackText(const QString& stack, const GameMap& map) {
  static const QRegularExpression game_frame(QStringLiteral("/game\\.js:(\\d+)"));
  static const QRegularExpression address(QStringLiteral("https?://[^\\s)]*/"));
  std::string out;
  int frames = 0;
  for (QString line : stack.split('\n')) {
    line = line.trimmed();
    if (!line.startsWith(QLatin1String("at ")) ||
        line.contains(QLatin1String("__vorlane_debug.js")))
      continue;
    if (++frames > kMaxStackFrames) break;
    const QRegularExpressionMatch m = game_frame.match(line);
    if (m.hasMatch())
      out += "at " + GameLineText(map, m.captured(1).toInt());
    else
      out += line.replace(address, QString()).toStdString();
    out += '\n';
  }
  if (!out.empty()) out.pop_back();
  return out;
}

bool ReadEntry(const QJsonValue& value, const GameMap& map, const std::string& time,
               DebugEntry* entry) {
  const QJsonObject o = value.toObject();
  const QString kind = o.value("kind").toString();
  bool known = false;
  for (const KindNames& k : kKinds)
    if (kind == QLatin1String(k.sent)) {
      entry->kind = k.kind;
      known = true;
    }
  if (!known || !o.value("text").isString()) return false;
  entry->text = o.value("text").toString().toStdString();
  entry->time = time;
  entry->count = std::max(1, WholeNumber(o.value("count")));
  for (const QJsonValue& line : o.value("lines").toArray()) {
    if (const auto found = map.Find(WholeNumber(line))) {
      entry->place = found->place;
      entry->line = found->line;
      break;
    }
  }
  entry->stack = StackText(o.value("stack").toString(), map);
  return true;
}

QString ValueText(const QJsonValue& value) {
  if (value.isBool()) return value.toBool() ? "true" : "false";
  if (value.isDouble()) return QString::number(value.toDouble(), 'g', 12);
  if (value.isString()) return '"' + value.toString() + '"';
  return "null";
}

bool ReadInstance(const QJsonValue& value, DebugInstance* instance) {
  const QJsonObject o = value.toObject();
  if (!o.value("object").isString()) return false;
  instance->object = o.value("object").toString().toStdString();
  instance->x = o.value("x").toDouble();
  instance->y = o.value("y").toDouble();
  instance->depth = o.value("depth").toDouble();
  const QJsonObject vars = o.value("vars").toObject();
  for (auto it = vars.begin(); it != vars.end(); ++it)
    instance->variables.emplace_back(it.key().toStdString(), ValueText(it.value()).toStdString());
  return true;
}

}  // namespace

const char* DebugKindName(DebugEntry::Kind kind) {
  for (const KindNames& k : kKinds)
    if (k.kind == kind) return k.shown;
  return "";
}

std::string GameLineText(const GameMap& map, int game_line) {
  if (const auto found = map.Find(game_line))
    return PlaceLineText(found->place, found->line);
  return "game.js line " + std::to_string(game_line);
}

bool ParseDebugMessage(const std::string& json, const GameMap& map, const std::string& time,
                       DebugMessage* message) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
  const QJsonObject o = doc.object();
  const QString type = o.value("type").toString();
  DebugMessage read;
  if (type == QLatin1String("report")) {
    for (const QJsonValue& value : o.value("entries").toArray()) {
      DebugEntry entry;
      if (!ReadEntry(value, map, time, &entry)) return false;
      read.entries.push_back(std::move(entry));
    }
    if (const int dropped = WholeNumber(o.value("dropped"))) {
      DebugEntry note;
      note.kind = DebugEntry::Kind::Warning;
      note.text = std::to_string(dropped) + " more message" + (dropped == 1 ? " was" : "s were") +
                  " left out: the game sent too many at once.";
      note.time = time;
      read.entries.push_back(std::move(note));
    }
  } else if (type == QLatin1String("instances")) {
    read.instances.emplace();
    for (const QJsonValue& value : o.value("list").toArray()) {
      DebugInstance instance;
      if (!ReadInstance(value, &instance)) return false;
      read.instances->push_back(std::move(instance));
    }
  } else if (type == QLatin1String("paused") && o.value("paused").isBool()) {
    read.paused = o.value("paused").toBool();
  } else {
    return false;
  }
  *message = std::move(read);
  return true;
}

}  // namespace vorlane

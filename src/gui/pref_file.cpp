#include "gui/pref_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "gui/file_util.h"
#include "gui/number_text.h"
#include "gui/text_lines.h"

namespace vorlane {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A line break inside a written text would turn its tail into a line of its
// own (even a group header) on the next read.
std::string OneLine(std::string_view s) {
  std::string out(s);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

}  // namespace

std::vector<PrefFile::Line> PrefFile::Parse(std::string_view text) {
  std::vector<Line> lines;
  for (std::string_view line : SplitLines(text)) {
    line = TrimLeft(line);
    if (line.empty()) continue;
    if (line.front() == ';') {
      lines.push_back({Kind::Comment, std::string(TrimLeft(line.substr(1))), {}});
    } else if (line.front() == '[') {
      line.remove_prefix(1);
      lines.push_back({Kind::Group, std::string(line.substr(0, line.find(']'))), {}});
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
      lines.push_back({Kind::Key, std::string(TrimRight(line.substr(0, eq))),
                       std::string(TrimLeft(line.substr(eq + 1)))});
    } else {
      // Not a setting, but someone's text: keep it, written back as it came.
      lines.push_back({Kind::Key, std::string(TrimRight(line)), {}, false});
    }
  }
  return lines;
}

bool PrefFile::Open(const std::string& path) {
  path_ = path;
  lines_.clear();
  modified_ = false;
  error_.clear();
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxSettingsFileBytes, &error_)) {
    was_empty_ = true;
    may_write_ = !FileExists(path);
    return false;
  }
  was_empty_ = bytes.empty();
  may_write_ = true;
  const std::string_view view = bytes;
  lines_ = view.starts_with(kBom) ? Parse(view.substr(kBom.size())) : Parse(Latin1ToUtf8(view));
  return true;
}

int PrefFile::FindKey(std::string_view group, std::string_view key) const {
  bool in_group = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Group) {
      in_group = SameName(line.name, group);
    } else if (in_group && line.kind == Kind::Key && SameName(line.name, key)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool PrefFile::HasKey(std::string_view group, std::string_view key) const {
  return FindKey(group, key) >= 0;
}

int PrefFile::ReadInt(std::string_view group, std::string_view key, int default_value) const {
  const int i = FindKey(group, key);
  if (i < 0) return default_value;
  return LeadingInt(lines_[i].value);
}

std::string PrefFile::ReadText(std::string_view group, std::string_view key,
                               std::string_view default_value) const {
  const int i = FindKey(group, key);
  return std::string(i < 0 ? default_value : TrimRight(lines_[i].value));
}

void PrefFile::Write(std::string_view group, std::string_view key, std::string value) {
  modified_ = true;
  if (const int i = FindKey(group, key); i >= 0) {
    lines_[i].value = std::move(value);
    lines_[i].has_equals = true;
    return;
  }
  // After the group's last key; a group without keys takes it under its header.
  size_t insert_at = std::string::npos;
  bool in_group = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Group) {
      in_group = SameName(lines_[i].name, group);
      if (in_group && insert_at == std::string::npos) insert_at = i + 1;
    } else if (in_group && lines_[i].kind == Kind::Key) {
      insert_at = i + 1;
    }
  }
  Line line{Kind::Key, OneLine(key), std::move(value)};
  if (insert_at == std::string::npos) {
    lines_.push_back({Kind::Group, OneLine(group), {}});
    lines_.push_back(std::move(line));
  } else {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
  }
}

void PrefFile::WriteInt(std::string_view group, std::string_view key, int value) {
  Write(group, key, std::to_string(value));
}

void PrefFile::WriteText(std::string_view group, std::string_view key, std::string_view value) {
  Write(group, key, OneLine(value));
}

std::string PrefFile::Serialize() const {
  std::string text;
  for (const Line& line : lines_) {
    switch (line.kind) {
      case Kind::Group:
        text += '[' + line.name + "]\n";
        break;
      case Kind::Key:
        text += line.has_equals ? line.name + " = " + line.value + '\n' : line.name + '\n';
        break;
      case Kind::Comment:
        text += "; " + line.name + '\n';
        break;
    }
  }
  // Without the mark a new file's non-ASCII text would be read back as Latin-1.
  if (!was_empty_ || HasNonAscii(text)) text.insert(0, std::string(kBom) + '\n');
  return text;
}

bool PrefFile::Save() {
  if (!may_write_) {
    if (error_.empty()) error_ = "\"" + path_ + "\" is not written, as it could not be read.";
    return false;
  }
  const std::string bytes = Serialize();
  if (!WriteProgramFile(path_, bytes, &error_)) return false;
  was_empty_ = bytes.empty();  // a later save finds the file as this one left it
  modified_ = false;
  return true;
}

bool PrefFile::Close() {
  const bool ok = !modified_ || Save();
  path_.clear();
  lines_.clear();
  was_empty_ = true;
  may_write_ = false;
  modified_ = false;
  return ok;
}

}  // namespace vorlane

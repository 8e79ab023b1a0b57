#include "generate/project_search.h"

#include <QRegularExpression>
#include <QString>

#include "project/rename.h"

namespace vorlane {
namespace {

bool IsWordUnit(QChar c) {
  return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

// The pattern as a regular expression: the text itself unless `regex`.
QRegularExpression Pattern(std::string_view text, const SearchOptions& options,
                           std::string* error) {
  const QString source = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QRegularExpression pattern(options.regex ? source : QRegularExpression::escape(source));
  QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
  if (!options.match_case) flags |= QRegularExpression::CaseInsensitiveOption;
  pattern.setPatternOptions(flags);
  if (!pattern.isValid() && error)
    *error = "The regular expression is not valid: " + pattern.errorString().toStdString() +
             " (at character " + std::to_string(pattern.patternErrorOffset() + 1) + ").";
  return pattern;
}

// Calls found(start, end) for each match of `pattern` in `text` that counts
// (UTF-16 positions), until it returns false.
template <typename Found>
void EachMatch(const QRegularExpression& pattern, const QString& text, bool whole_word,
               Found found) {
  auto it = pattern.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch match = it.next();
    const qsizetype start = match.capturedStart(), end = match.capturedEnd();
    if (end <= start) continue;
    if (whole_word && ((start > 0 && IsWordUnit(text[start - 1])) ||
                       (end < text.size() && IsWordUnit(text[end]))))
      continue;
    if (!found(match)) return;
  }
}

// The texts of a script that are searched: a function's parameter list,
// and its code.
template <typename ScriptT, typename Visit>
void EachText(ScriptT& script, Visit visit) {
  if (script.params) visit(*script.params, true);
  visit(*script.code, false);
}

size_t Utf8Length(const QString& text, qsizetype from, qsizetype to) {
  return static_cast<size_t>(QStringView(text).mid(from, to - from).toUtf8().size());
}

// What a match is replaced by: the replacement, with \N and $N of a
// regular expression standing for what the parentheses caught.
QString Expanded(const QString& replacement, const QRegularExpressionMatch& match, bool regex) {
  if (!regex) return replacement;
  QString out;
  for (qsizetype i = 0; i < replacement.size(); ++i) {
    const QChar c = replacement[i];
    if ((c == u'\\' || c == u'$') && i + 1 < replacement.size() && replacement[i + 1].isDigit()) {
      out += match.captured(replacement[++i].digitValue());
      continue;
    }
    if (c == u'\\' && i + 1 < replacement.size() && replacement[i + 1] == u'\\') ++i;
    out += replacement[i];
  }
  return out;
}

// The text with every counted match replaced; `count` gets how many.
QString Replaced(const QString& text, const QRegularExpression& pattern,
                 const QString& replacement, const SearchOptions& options, int* count) {
  QString out;
  qsizetype done = 0;
  EachMatch(pattern, text, options.whole_word, [&](const QRegularExpressionMatch& match) {
    out += QStringView(text).mid(done, match.capturedStart() - done);
    out += Expanded(replacement, match, options.regex);
    done = match.capturedEnd();
    ++*count;
    return true;
  });
  out += QStringView(text).mid(done);
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

}  // namespace

SearchResults SearchProject(const Project& project, std::string_view text,
                            const SearchOptions& options) {
  SearchResults results;
  if (text.empty()) return results;
  const QRegularExpression pattern = Pattern(text, options, &results.error);
  if (!results.error.empty()) return results;

  for (const ResourceKind kind : kResourceKinds)
    for (int i = 0, n = ResourceCount(project, kind); i < n; ++i) {
      // Placed instances share the objects' list; they are not resources.
      if (kind == ResourceKind::Object && project.objects[static_cast<size_t>(i)].prototype != 1)
        continue;
      const std::string name = ResourceName(project, kind, i);
      bool found = false;
      EachMatch(pattern, QString::fromStdString(name), options.whole_word, [&](const auto&) {
        found = true;
        return false;
      });
      if (found) results.names.push_back({kind, name});
    }

  for (const ProjectScript& script : ProjectScripts(const_cast<Project&>(project))) {
    EachText(script, [&](const std::string& bytes, bool in_params) {
      if (results.more || bytes.empty()) return;
      const QString code = QString::fromStdString(bytes);
      // Lines are counted as the matches move on through the text.
      qsizetype line_start = 0, counted_to = 0;
      int line = 1;
      size_t line_bytes = 0;  // where the current line starts, in bytes
      EachMatch(pattern, code, options.whole_word, [&](const QRegularExpressionMatch& match) {
        if (results.hits.size() == kMaxSearchHits) {
          results.more = true;
          return false;
        }
        const qsizetype start = match.capturedStart();
        for (qsizetype i = counted_to; i < start; ++i)
          if (code[i] == u'\n') {
            line_bytes += Utf8Length(code, line_start, i + 1);
            line_start = i + 1;
            ++line;
          }
        counted_to = start;
        SearchHit& hit = results.hits.emplace_back();
        hit.place = script.place;
        hit.in_params = in_params;
        hit.line = line;
        hit.column = static_cast<int>(Utf8Length(code, line_start, start));
        hit.length = static_cast<int>(Utf8Length(code, start, match.capturedEnd()));
        const size_t end = bytes.find('\n', line_bytes);
        hit.line_text = bytes.substr(line_bytes, end == std::string::npos ? end : end - line_bytes);
        if (!hit.line_text.empty() && hit.line_text.back() == '\r') hit.line_text.pop_back();
        return true;
      });
    });
  }
  return results;
}

namespace {

// Calls changed(script, text, in_params, after, count) for each script text
// a replace would change: one pass that the preview and the replace share.
template <typename Changed>
void EachReplaced(Project& project, std::string_view text, std::string_view replacement,
                  const SearchOptions& options, Changed changed) {
  if (text.empty()) return;
  std::string error;
  const QRegularExpression pattern = Pattern(text, options, &error);
  if (!error.empty()) return;
  const QString with =
      QString::fromUtf8(replacement.data(), static_cast<qsizetype>(replacement.size()));
  for (ProjectScript& script : ProjectScripts(project)) {
    EachText(script, [&](std::string& bytes, bool in_params) {
      int count = 0;
      const QString after = Replaced(QString::fromStdString(bytes), pattern, with, options, &count);
      if (count > 0) changed(script, bytes, in_params, after.toStdString(), count);
    });
  }
}

}  // namespace

std::vector<LineChange> ReplacePreview(const Project& project, std::string_view text,
                                       std::string_view replacement, const SearchOptions& options) {
  std::vector<LineChange> changes;
  // Nothing is written: the texts are only read.
  EachReplaced(const_cast<Project&>(project), text, replacement, options,
               [&](const ProjectScript& script, const std::string& bytes, bool in_params,
                   const std::string& after, int) {
                 // A replacement may add or remove line breaks: lines are paired
                 // from the start, and the rest of the longer text counts as changed.
                 const std::vector<std::string> old_lines = Lines(bytes), new_lines = Lines(after);
                 const size_t n = std::max(old_lines.size(), new_lines.size());
                 for (size_t i = 0; i < n; ++i) {
                   const std::string before_line = i < old_lines.size() ? old_lines[i] : "";
                   const std::string after_line = i < new_lines.size() ? new_lines[i] : "";
                   if (before_line != after_line || i >= old_lines.size() || i >= new_lines.size())
                     changes.push_back({script.place, in_params, static_cast<int>(i) + 1,
                                        before_line, after_line});
                 }
               });
  return changes;
}

int ReplaceInScripts(Project& project, std::string_view text, std::string_view replacement,
                     const SearchOptions& options) {
  int total = 0;
  EachReplaced(project, text, replacement, options,
               [&](const ProjectScript&, std::string& bytes, bool, std::string after, int count) {
                 bytes = std::move(after);
                 total += count;
               });
  return total;
}

}  // namespace vorlane

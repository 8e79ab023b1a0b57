// A small line-oriented settings file of "[group]" headers, "key = value"
// lines and "; comment" lines. The whole file is held in memory as lines, so
// a rewrite keeps the order, the comments and any keys the program does not
// know about.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

class PrefFile {
 public:
  // Reads `path`. False when it cannot be read; the object then holds no
  // lines, every read yields its default, and Save creates the file only
  // when nothing at all exists at `path` (an unreadable file, a folder, a
  // FIFO or a file over kMaxSettingsFileBytes is never overwritten).
  bool Open(const std::string& path);

  // Group names and keys match ignoring ASCII letter case. Keys above the
  // first group header belong to no group and are never found.
  bool HasKey(std::string_view group, std::string_view key) const;
  // The leading decimal number of the value, clamped to 32 bits; 0 when the
  // value does not start with one.
  int ReadInt(std::string_view group, std::string_view key, int default_value) const;
  // The value with trailing blanks and tabs removed.
  std::string ReadText(std::string_view group, std::string_view key,
                       std::string_view default_value) const;

  // Replaces the value in place when the key exists in the group, otherwise
  // adds the key after the group's last key, or adds the group at the end.
  void WriteInt(std::string_view group, std::string_view key, int value);
  void WriteText(std::string_view group, std::string_view key, std::string_view value);

  // Rewrites the file from the lines held. False when it could not be
  // written; the old file is then left as it was.
  bool Save();
  // Saves when anything was written since Open (or the last Save), then
  // forgets the file. Dropping the object without Close discards changes.
  bool Close();

  // Why the last Open, Save or Close failed, as a sentence naming the file.
  const std::string& error() const { return error_; }

 private:
  enum class Kind { Group, Key, Comment };
  struct Line {
    Kind kind;
    std::string name;   // group name, key, or comment text
    std::string value;  // key lines only
    bool has_equals = true;
  };

  static std::vector<Line> Parse(std::string_view utf8);
  std::string Serialize() const;
  // The key line of `key` in `group`, or -1.
  int FindKey(std::string_view group, std::string_view key) const;
  void Write(std::string_view group, std::string_view key, std::string value);

  std::string path_;
  std::vector<Line> lines_;
  bool was_empty_ = true;
  bool may_write_ = false;
  bool modified_ = false;
  std::string error_;
};

}  // namespace vorlane

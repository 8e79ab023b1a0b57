// The code editor's word table: every word it colours or completes, in a
// list (sorted for the completion list) and a hash map for the tokenizer.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorlane {

// Word flags; repeated registrations OR them together.
inline constexpr int kWordPaired = 0x1;        // one opening character; runs to close_char
inline constexpr int kWordCallMark = 0x10;     // gives its style to the word in front of it
inline constexpr int kWordFoldOpen = 0x100000;
inline constexpr int kWordFoldClose = 0x400000;
inline constexpr int kWordComplete = 0x800000;  // offered by the completion list
// A one-character word with any of these bits ends the word in front of it.
// The fold and completion bits lie above, so braces and one-letter names
// are not separators.
inline constexpr int kSeparatorFlagMask = 0xFFFFF;

inline constexpr int kDefaultStyle = 32;  // Scintilla's STYLE_DEFAULT

struct EditorWord {
  std::string word;  // as last registered, in the case it was written
  int style = kDefaultStyle;
  int flags = 0;
  char close_char = 0;
};

// Lower-cases UTF-8 text (every script, not only ASCII).
std::string FoldCase(std::string_view text);

class WordTable {
 public:
  explicit WordTable(bool case_sensitive = false) : case_sensitive_(case_sensitive) {}
  WordTable(const WordTable&) = delete;
  WordTable& operator=(const WordTable&) = delete;

  bool case_sensitive() const { return case_sensitive_; }
  // The map key of a word: the word itself, lower-cased unless case-sensitive.
  std::string KeyOf(std::string_view word) const;

  // Splits `text` (trimmed of spaces) at single spaces and registers every
  // word: new ones are appended; every one takes the word as written, the
  // style (unless -1) and ORs the flags. Returns how many were added or
  // updated.
  int AddWords(std::string_view text, int style, int flags);
  // Ascending by word, ignoring case unless case-sensitive.
  void Sort();

  // `text` trimmed of spaces, then looked up by its key.
  const EditorWord* Lookup(std::string_view text) const;
  EditorWord* LookupMutable(std::string_view text);
  // The word exactly as found in code (no trimming); the tokenizer's path.
  const EditorWord* Find(std::string_view word) const;
  // The one-character word of an ASCII byte; null for other bytes.
  const EditorWord* FindByte(unsigned char byte) const {
    return byte < 128 ? byte_words_[byte] : nullptr;
  }

  size_t size() const { return words_.size(); }
  const EditorWord& operator[](size_t i) const { return *words_[i]; }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  EditorWord* FindKey(std::string_view key) const;

  bool case_sensitive_;
  std::vector<std::unique_ptr<EditorWord>> words_;
  std::unordered_map<std::string, EditorWord*, Hash, std::equal_to<>> index_;
  std::array<EditorWord*, 128> byte_words_{};
};

}  // namespace vorlane

#include "code/editor_words.h"

#include <QString>
#include <algorithm>

namespace vorlane {

namespace {

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  if (IsAscii(text)) {
    std::string lower(text);
    for (char& c : lower) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
  }
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toLower().toStdString();
}

std::string WordTable::KeyOf(std::string_view word) const {
  return case_sensitive_ ? std::string(word) : FoldCase(word);
}

EditorWord* WordTable::FindKey(std::string_view key) const {
  const auto it = index_.find(key);
  return it == index_.end() ? nullptr : it->second;
}

int WordTable::AddWords(std::string_view text, int style, int flags) {
  text = TrimSpaces(text);
  int count = 0;
  while (!text.empty()) {
    const size_t space = text.find(' ');
    const std::string_view field = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (field.empty()) continue;  // two spaces in a row name no word
    std::string key = KeyOf(field);
    EditorWord* entry = FindKey(key);
    if (!entry) {
      words_.push_back(std::make_unique<EditorWord>());
      entry = words_.back().get();
      index_.emplace(key, entry);
      if (key.size() == 1 && static_cast<unsigned char>(key[0]) < 128) {
        byte_words_[static_cast<unsigned char>(key[0])] = entry;
        // Both cases of a letter find the same one-character word.
        if (!case_sensitive_ && key[0] >= 'a' && key[0] <= 'z') {
          byte_words_[key[0] - 'a' + 'A'] = entry;
        }
      }
    }
    entry->word = std::string(field);
    if (style != -1) entry->style = style;
    entry->flags |= flags;
    ++count;
  }
  return count;
}

void WordTable::Sort() {
  if (case_sensitive_) {
    std::stable_sort(words_.begin(), words_.end(),
                     [](const auto& a, const auto& b) { return a->word < b->word; });
    return;
  }
  std::vector<std::pair<std::string, std::unique_ptr<EditorWord>>> keyed;
  keyed.reserve(words_.size());
  for (auto& w : words_) keyed.emplace_back(FoldCase(w->word), std::move(w));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) words_[i] = std::move(keyed[i].second);
}

const EditorWord* WordTable::Lookup(std::string_view text) const {
  return Find(TrimSpaces(text));
}

EditorWord* WordTable::LookupMutable(std::string_view text) {
  return FindKey(KeyOf(TrimSpaces(text)));
}

const EditorWord* WordTable::Find(std::string_view word) const {
  if (case_sensitive_) return FindKey(word);
  // Most words are short ASCII: fold them on the stack.
  char buffer[64];
  if (word.size() <= sizeof buffer) {
    bool ascii = true;
    for (size_t i = 0; i < word.size(); ++i) {
      const char c = word[i];
      if (static_cast<unsigned char>(c) >= 0x80) {
        ascii = false;
        break;
      }
      buffer[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (ascii) return FindKey(std::string_view(buffer, word.size()));
  }
  return FindKey(FoldCase(word));
}

}  // namespace vorlane

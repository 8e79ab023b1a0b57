// A document without a widget for the styling rules: lines, one style byte
// per text byte, fold levels and line states.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "code/editor_styling.h"

namespace vorlane::test {

class FakeDocument : public StyledDocument {
 public:
  explicit FakeDocument(const std::string& text) { SetText(text); }

  void SetText(const std::string& text) {
    lines_.clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
        lines_.push_back(text.substr(start, i + 1 - start));
        start = i + 1;
      }
    }
    lines_.push_back(text.substr(start));  // the last line, maybe empty
    styles_.assign(text.size(), 0);
    folds_.assign(lines_.size(), kFoldLevelBase);
    states_.resize(lines_.size(), 0);
  }
  std::string Text() const {
    std::string text;
    for (const std::string& l : lines_) text += l;
    return text;
  }
  // One character per byte: '.' for style 32, else the style number as a
  // digit or letter ('a' = 10).
  std::string StyleString() const {
    std::string s;
    for (unsigned char st : styles_) s += st == 32 ? '.' : st < 10 ? char('0' + st) : char('a' + st - 10);
    return s;
  }
  std::string StylesOfLine(int line) const {
    const std::string all = StyleString();
    return all.substr(static_cast<size_t>(PositionOf(line)), lines_[static_cast<size_t>(line)].size());
  }

  int LineCount() override { return static_cast<int>(lines_.size()); }
  int LineLength(int line) override { return static_cast<int>(lines_[static_cast<size_t>(line)].size()); }
  void GetLine(int line, std::string& bytes) override { bytes = lines_[static_cast<size_t>(line)]; }
  long PositionFromLine(int line) override { return PositionOf(line); }
  void StartStyling(long position) override { at_ = position; }
  void SetStyling(int length, int style) override {
    ASSERT_GT(length, 0);
    ASSERT_LE(at_ + length, static_cast<long>(styles_.size()));
    for (int i = 0; i < length; ++i) styles_[static_cast<size_t>(at_++)] = static_cast<unsigned char>(style);
  }
  int GetFoldLevel(int line) override { return folds_[static_cast<size_t>(line)]; }
  void SetFoldLevel(int line, int level) override { folds_[static_cast<size_t>(line)] = level; }
  int GetLineState(int line) override {
    return line >= 0 && line < LineCount() ? states_[static_cast<size_t>(line)] : 0;
  }
  int SetLineState(int line, int state) override {
    const int old = states_[static_cast<size_t>(line)];
    states_[static_cast<size_t>(line)] = state;
    return old;
  }
  long styledTo() const { return at_; }

 private:
  long PositionOf(int line) const {
    long pos = 0;
    for (int i = 0; i < line; ++i) pos += static_cast<long>(lines_[static_cast<size_t>(i)].size());
    return pos;
  }
  std::vector<std::string> lines_;
  std::vector<unsigned char> styles_;
  std::vector<int> folds_;
  std::vector<int> states_;
  long at_ = 0;
};

}  // namespace vorlane::test

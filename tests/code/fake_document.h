// A document without a widget for the styling rules: lines, one style byte
// per text byte, fold levels and line states.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "code/editor_styling.h"

namespace vorlane::test {

// One character per style, so that styles read under their text: '.' for
// the default style, else the number as a digit or letter ('a' = 10).
inline char StyleChar(int style) {
  return style == kDefaultStyle ? '.' : style < 10 ? char('0' + style) : char('a' + style - 10);
}

class FakeDocument : public StyledDocument {
 public:
  explicit FakeDocument(const std::string& text) { SetText(text); }

  // Keeps the line states, as a widget does across an edit.
  void SetText(const std::string& text) {
    lines_.assign(1, "");
    for (char c : text) {
      lines_.back() += c;
      if (c == '\n') lines_.emplace_back();
    }
    styles_.assign(text.size(), 0);
    folds_.assign(lines_.size(), kFoldLevelBase);
    states_.resize(lines_.size(), 0);
  }
  // The styles of `count` lines from `first`, all by default.
  std::string Styles(int first = 0, int count = -1) const {
    std::string s;
    const size_t end = count < 0 ? styles_.size() : Offset(first + count);
    for (size_t i = Offset(first); i < end; ++i) s += StyleChar(styles_[i]);
    return s;
  }
  const std::vector<int>& folds() const { return folds_; }
  const std::vector<int>& states() const { return states_; }

  int LineCount() override { return static_cast<int>(lines_.size()); }
  int LineLength(int line) override { return static_cast<int>(lines_.at(line).size()); }
  void GetLine(int line, std::string& bytes) override { bytes = lines_.at(line); }
  long PositionFromLine(int line) override { return static_cast<long>(Offset(line)); }
  void StartStyling(long position) override { at_ = static_cast<size_t>(position); }
  void SetStyling(int length, int style) override {
    ASSERT_GT(length, 0);
    ASSERT_LE(at_ + length, styles_.size());
    while (length-- > 0) styles_[at_++] = static_cast<unsigned char>(style);
  }
  int GetFoldLevel(int line) override { return folds_.at(line); }
  void SetFoldLevel(int line, int level) override { folds_.at(line) = level; }
  int GetLineState(int line) override {
    return line >= 0 && line < LineCount() ? states_[static_cast<size_t>(line)] : 0;
  }
  int SetLineState(int line, int state) override { return std::exchange(states_.at(line), state); }

 private:
  size_t Offset(int line) const {
    size_t offset = 0;
    for (int i = 0; i < line; ++i) offset += lines_.at(i).size();
    return offset;
  }

  std::vector<std::string> lines_;
  std::vector<unsigned char> styles_;
  std::vector<int> folds_;
  std::vector<int> states_;
  size_t at_ = 0;
};

}  // namespace vorlane::test

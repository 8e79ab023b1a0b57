// The editing widget of every code dialog: Scintilla with the program's own
// styling (container lexer), fold levels from braces, a self-sizing
// line-number margin, auto-indent and completion. Released with the widget.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include <string>
#include <string_view>

#include "code/editor_styling.h"
#include "code/keyword_list.h"
#include "generate/script_place.h"

namespace vorlane {

// SetEditorColor attributes.
enum EditorColor {
  kColorDefaultBack = 1,
  kColorDefaultFore = 2,
  kColorSelectionBack = 3,
  kColorSelectionFore = 4,
  kColorLineNumberBack = 5,
  kColorLineNumberFore = 6,
  kColorCaretLine = 7,  // 0xFFFFFFFF hides the caret line
  kColorCaret = 8,
  kColorCallTipBack = 9,
  kColorCallTipFore = 10,
  kColorCallTipHighlight = 11,
  kColorMarkerBack = 12,
  kColorMarkerFore = 13,
  kColorFoldMargin = 14,
  kColorFoldMarginHighlight = 15,
  kColorFoldMarkerBack = 16,
  kColorFoldMarkerFore = 17,
};

// SetEditorOption options.
enum EditorOption { kOptionOperators = 1, kOptionNumberStyle = 2 };

class CodeEditor : public QsciScintillaBase, public StyledDocument {
  Q_OBJECT

 public:
  explicit CodeEditor(QWidget* parent = nullptr, int options = kShowLineNumbers);

  // Text crosses the widget as UTF-8. Loading styles the whole text.
  void SetEditorText(const std::string& text, bool empty_undo);
  std::string GetEditorText() const;
  // The line without its line end; "" for a line that does not exist.
  std::string GetEditorLine(int line) const;
  // Selects the spot's line (past the end: the last) with the caret at its
  // start, or the part of it the spot names, and scrolls it into view,
  // again when the editor is first shown at its real size. Line 0 leaves
  // the caret where it is.
  void ShowLine(CodeSpot spot);

  void SetEditorColor(int attribute, unsigned colour);
  void SetEditorFont(const std::string& family, int size, int flags);
  // family "" and size/flags -1 leave that attribute; flags: 1 bold, 2 italic.
  void SetStyleFont(int style, const std::string& family, int size, int flags);
  void SetStyleColors(int style, int fore, int back);
  void SetEditorTabs(int width, bool use_spaces);
  void SetMarginWidth(int margin, int width);

  // Changing what styling depends on re-styles the whole text.
  void SetStylingFlags(int features);
  int styling_flags() const { return styling_.features; }
  LineStyler SetLineStyler(LineStyler styler);
  void SetEditorOption(EditorOption option, std::string_view operators);
  void SetEditorOption(EditorOption option, int number_style);

  int AddEditorWords(std::string_view text, int style, int flags);
  // Registers and re-styles; `sort` orders the word list for completion.
  int AddEditorKeywords(std::string_view text, int style, int flags, bool sort);
  // Quotes pair with their closer; `(` with kWordCallMark colours calls.
  void AddEditorDelimiter(std::string_view opener, std::string_view closer, int flags, int style);
  const EditorWord* LookupEditorWord(std::string_view text) const;

  // Styles lines first..last (-1: to the end), continuing while block
  // comment states change. Returns how many lines were styled.
  int RestyleLines(int first_line, int last_line);
  void UpdateLineNumberMargin();
  // Shows, refreshes or closes the completion list for the caret's token.
  void UpdateCompletion();
  // The keyword whose help belongs to the caret, or -1.
  int FindKeywordAtCaret(const KeywordList& keywords) const;

  const EditorStyling& styling() const { return styling_; }
  // Changes many settings at once, then re-styles the whole text once.
  template <typename Change>
  void Reconfigure(Change change) {
    change(styling_);
    RestyleAll();
  }
  // The list text last shown, "" while none is open (tests, diagnostics).
  const std::string& completion_list() const { return completion_list_; }
  // Lines styled by the last re-styling pass (benchmark figures).
  int lines_styled_last_time() const { return lines_styled_last_time_; }
  double restyle_milliseconds_last_time() const { return restyle_milliseconds_last_time_; }

  // Scintilla line state wrappers; valid for existing lines only.
  int GetLineState(int line) override;
  int SetLineState(int line, int state) override;

  long Send(unsigned message, unsigned long w_param = 0, long l_param = 0) const {
    return SendScintilla(message, w_param, l_param);
  }

 private:
  // StyledDocument over the widget.
  int LineCount() override;
  int LineLength(int line) override;
  void GetLine(int line, std::string& bytes) override;
  long PositionFromLine(int line) override;
  void StartStyling(long position) override;
  void SetStyling(int length, int style) override;
  int GetFoldLevel(int line) override;
  void SetFoldLevel(int line, int level) override;
  void FlushStyling();

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void ScrollCaretLineIntoView();

  void RestyleAll() { RestyleLines(0, -1); }
  // Resizes the line-number margin when the line count changed.
  void FollowLineCount();
  void OnStyleNeeded(int position);
  void OnCharAdded(int ch);
  void OnModified(int modification_type, int lines_added);
  void OnMarginClick(int position, int margin);
  void OnNeedShown(int position, int length);

  EditorStyling styling_;
  int margin_extra_ = 0;
  long line_count_shown_ = -1;
  bool deletion_pending_ = false;
  bool scroll_when_shown_ = false;
  // Adjacent runs of one style go to the widget as one.
  int pending_length_ = 0;
  int pending_style_ = -1;
  std::string completion_list_;
  int lines_styled_last_time_ = 0;
  double restyle_milliseconds_last_time_ = 0;
};

}  // namespace vorlane

#include "code/ui/code_editor.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "code/completion.h"
#include "code/ui/scintilla_messages.h"

namespace vorlane {

namespace {

constexpr int kFoldMargin = 2;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kBlack = 0x000000;

struct FoldMarker {
  int number;
  int symbol;
  bool white_fore;
};
// open, closed, sub, tail, end, open-mid, mid-tail
constexpr FoldMarker kFoldMarkers[] = {{31, 14, true},  {30, 12, true}, {29, 9, false},
                                       {28, 10, false}, {25, 13, true}, {26, 15, true},
                                       {27, 11, false}};

}  // namespace

CodeEditor::CodeEditor(QWidget* parent, int options) : QsciScintillaBase(parent), styling_(options) {
  setObjectName("codeEditor");
  Send(sci::SETCODEPAGE, sci::kCodePageUtf8);
  // The container lexer: the widget asks us for styles with SCN_STYLENEEDED.
  Send(sci::SETLEXER, sci::kLexerContainer);
  Send(sci::SETMARGINWIDTHN, 1, 0);
  Send(sci::SETMARGINSENSITIVEN, kFoldMargin, 1);
  Send(sci::SETMARGINMASKN, kFoldMargin, static_cast<long>(sci::kMaskFolders));
  for (const FoldMarker& marker : kFoldMarkers) {
    Send(sci::MARKERDEFINE, marker.number, marker.symbol);
    if (marker.white_fore) Send(sci::MARKERSETFORE, marker.number, kWhite);
    Send(sci::MARKERSETBACK, marker.number, kBlack);
  }
  Send(sci::STYLECLEARALL);
  UpdateLineNumberMargin();
  Send(sci::AUTOCSETIGNORECASE, (options & kCaseSensitive) ? 0 : 1);
  Send(sci::CALLTIPUSESTYLE, 0);
  Send(sci::SETMARGINMASKN, 1, 1);
  Send(sci::MARKERDEFINE, 0, sci::kMarkShortArrow);
  // The horizontal scroll bar follows the longest line instead of a fixed
  // 2000 pixels.
  Send(sci::SETSCROLLWIDTH, 1);
  Send(sci::SETSCROLLWIDTHTRACKING, 1);
  // Only deletions are reported, and before they happen: the widget answers
  // every reported insertion or deletion with a character count from the
  // start of the text (for accessibility), 8 ms a keystroke at 50,000 lines.
  // What the notifications served (margin size, completion after a
  // deletion) is done after each key instead. Insertions are reported before
  // they happen, which costs nothing: every change, by the keyboard, the
  // mouse or a menu, then reaches the syntax check (SCEN_CHANGE).
  Send(sci::SETMODEVENTMASK, sci::kModBeforeInsert | sci::kModBeforeDelete);

  connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, &CodeEditor::OnStyleNeeded);
  connect(this, &QsciScintillaBase::SCN_CHARADDED, this, &CodeEditor::OnCharAdded);
  connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int, int modification_type, const char*, int, int lines_added, int, int, int, int,
                 int) { OnModified(modification_type, lines_added); });
  connect(this, &QsciScintillaBase::SCN_MARGINCLICK, this,
          [this](int position, int, int margin) { OnMarginClick(position, margin); });
  connect(this, &QsciScintillaBase::SCN_NEEDSHOWN, this, &CodeEditor::OnNeedShown);
}

// --- text ---

void CodeEditor::SetEditorText(const std::string& text, bool empty_undo) {
  SendScintilla(sci::SETTEXT, 0ul, text.c_str());
  if (empty_undo) Send(sci::EMPTYUNDOBUFFER);
  RestyleAll();
  FollowLineCount();
}

std::string CodeEditor::GetEditorText() const {
  const long length = Send(sci::GETLENGTH);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendScintilla(sci::GETTEXT, static_cast<unsigned long>(length + 1), static_cast<void*>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string CodeEditor::GetEditorLine(int line) const {
  if (line < 0 || line >= Send(sci::GETLINECOUNT)) return {};
  std::string bytes;
  const_cast<CodeEditor*>(this)->GetLine(line, bytes);
  while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
  return bytes;
}

void CodeEditor::ShowLine(CodeSpot spot) {
  if (spot.line <= 0) return;
  const long index = std::min<long>(spot.line, Send(sci::GETLINECOUNT)) - 1;
  Send(sci::ENSUREVISIBLE, index);  // unfolds it
  const long start = Send(sci::POSITIONFROMLINE, index);
  const long end = Send(sci::GETLINEENDPOSITION, index);
  if (spot.column >= 0)  // the part asked for, kept within the line
    Send(sci::SETSEL, std::min(start + spot.column, end),
         std::min(start + spot.column + std::max(spot.length, 0), end));
  else
    Send(sci::SETSEL, end, start);
  ScrollCaretLineIntoView();
  scroll_when_shown_ = !isVisible();
}

void CodeEditor::showEvent(QShowEvent* event) {
  QsciScintillaBase::showEvent(event);
  if (scroll_when_shown_) ScrollCaretLineIntoView();
  scroll_when_shown_ = false;
}

void CodeEditor::ScrollCaretLineIntoView() {
  // A third of the window above it: the code that leads to the line shows too.
  const long line =
      Send(sci::VISIBLEFROMDOCLINE, Send(sci::LINEFROMPOSITION, Send(sci::GETCURRENTPOS)));
  Send(sci::SETFIRSTVISIBLELINE, std::max(0L, line - Send(sci::LINESONSCREEN) / 3));
}

// --- appearance ---

void CodeEditor::SetEditorColor(int attribute, unsigned colour) {
  const long c = static_cast<long>(colour & 0xFFFFFF);
  switch (attribute) {
    case kColorDefaultBack:
      Send(sci::STYLESETBACK, kDefaultStyle, c);
      Send(sci::STYLECLEARALL);
      break;
    case kColorDefaultFore:
      Send(sci::STYLESETFORE, kDefaultStyle, c);
      Send(sci::STYLECLEARALL);
      break;
    case kColorSelectionBack: Send(sci::SETSELBACK, 1, c); break;
    case kColorSelectionFore: Send(sci::SETSELFORE, 1, c); break;
    case kColorLineNumberBack: Send(sci::STYLESETBACK, sci::kStyleLineNumber, c); break;
    case kColorLineNumberFore: Send(sci::STYLESETFORE, sci::kStyleLineNumber, c); break;
    case kColorCaretLine:
      if (colour != 0xFFFFFFFFu) {
        Send(sci::SETCARETLINEBACK, c);
        Send(sci::SETCARETLINEVISIBLE, 1);
        // Highlighted even while another control has the focus.
        Send(sci::SETCARETLINEVISIBLEALWAYS, 1);
      } else {
        Send(sci::SETCARETLINEVISIBLE, 0);
      }
      break;
    case kColorCaret: Send(sci::SETCARETFORE, c); break;
    case kColorCallTipBack: Send(sci::STYLESETBACK, sci::kStyleCallTip, c); break;
    case kColorCallTipFore: Send(sci::STYLESETFORE, sci::kStyleCallTip, c); break;
    case kColorCallTipHighlight: Send(sci::CALLTIPSETFOREHLT, c); break;
    case kColorMarkerBack: Send(sci::MARKERSETBACK, 0, c); break;
    case kColorMarkerFore: Send(sci::MARKERSETFORE, 0, c); break;
    case kColorFoldMargin: Send(sci::SETFOLDMARGINCOLOUR, 1, c); break;
    case kColorFoldMarginHighlight: Send(sci::SETFOLDMARGINHICOLOUR, 1, c); break;
    case kColorFoldMarkerBack:
      for (const FoldMarker& marker : kFoldMarkers) Send(sci::MARKERSETBACK, marker.number, c);
      break;
    case kColorFoldMarkerFore:
      for (const FoldMarker& marker : kFoldMarkers) {
        if (marker.white_fore) Send(sci::MARKERSETFORE, marker.number, c);
      }
      break;
    default: break;
  }
}

void CodeEditor::SetEditorFont(const std::string& family, int size, int flags) {
  SetStyleFont(kDefaultStyle, family, size, flags);
  Send(sci::STYLECLEARALL);
  UpdateLineNumberMargin();
}

void CodeEditor::SetStyleFont(int style, const std::string& family, int size, int flags) {
  if (!family.empty()) SendScintilla(sci::STYLESETFONT, static_cast<uintptr_t>(style), family.c_str());
  if (size != -1) Send(sci::STYLESETSIZE, style, size);
  if (flags != -1) {
    Send(sci::STYLESETBOLD, style, (flags & 1) ? 1 : 0);
    Send(sci::STYLESETITALIC, style, (flags & 2) ? 1 : 0);
    Send(sci::STYLESETUNDERLINE, style, 0);
  }
  if (style == sci::kStyleLineNumber) UpdateLineNumberMargin();
}

void CodeEditor::SetStyleColors(int style, int fore, int back) {
  if (fore != -1) Send(sci::STYLESETFORE, style, fore);
  if (back != -1) Send(sci::STYLESETBACK, style, back);
}

void CodeEditor::SetEditorTabs(int width, bool use_spaces) {
  Send(sci::SETTABWIDTH, width);
  Send(sci::SETUSETABS, use_spaces ? 0 : 1);
}

void CodeEditor::SetMarginWidth(int margin, int width) {
  // Margin 0 sizes itself to the line numbers.
  if (margin == 0 && (styling_.options & kShowLineNumbers)) return;
  Send(sci::SETMARGINWIDTHN, margin, std::max(width, 0));
}

void CodeEditor::FollowLineCount() {
  const long lines = Send(sci::GETLINECOUNT);
  if (lines != line_count_shown_) UpdateLineNumberMargin();
}

void CodeEditor::UpdateLineNumberMargin() {
  line_count_shown_ = Send(sci::GETLINECOUNT);
  if (!(styling_.options & kShowLineNumbers)) return;
  const std::string nines(std::to_string(line_count_shown_).size(), '9');
  const long width = SendScintilla(sci::TEXTWIDTH, static_cast<uintptr_t>(sci::kStyleLineNumber), nines.c_str());
  Send(sci::SETMARGINWIDTHN, 0, width + margin_extra_ + 10);
}

// --- styling configuration ---

void CodeEditor::SetStylingFlags(int features) {
  const int changed = styling_.features ^ features;
  styling_.features = features;
  if (changed & (kStylingOn | kFoldingOn | kFoldAnyLine)) RestyleAll();
}

LineStyler CodeEditor::SetLineStyler(LineStyler styler) {
  const LineStyler previous = styling_.line_styler;
  styling_.line_styler = styler;
  RestyleAll();
  return previous;
}

void CodeEditor::SetEditorOption(EditorOption option, std::string_view operators) {
  if (option != kOptionOperators || operators == styling_.operators) return;
  styling_.SetOperators(operators);
  RestyleAll();
}

void CodeEditor::SetEditorOption(EditorOption option, int number_style) {
  if (option != kOptionNumberStyle || number_style == styling_.number_style) return;
  styling_.number_style = number_style;
  RestyleAll();
}

int CodeEditor::AddEditorWords(std::string_view text, int style, int flags) {
  return styling_.words.AddWords(text, style, flags);
}

int CodeEditor::AddEditorKeywords(std::string_view text, int style, int flags, bool sort) {
  if (!AddKeywords(styling_, text, style, flags, sort)) return 0;
  RestyleAll();
  return 1;
}

void CodeEditor::AddEditorDelimiter(std::string_view opener, std::string_view closer, int flags,
                                    int style) {
  if (AddDelimiter(styling_, opener, closer, flags, style)) RestyleAll();
}

const EditorWord* CodeEditor::LookupEditorWord(std::string_view text) const {
  return styling_.words.Lookup(text);
}

// --- styling ---

int CodeEditor::RestyleLines(int first_line, int last_line) {
  const auto start = std::chrono::steady_clock::now();
  lines_styled_last_time_ = vorlane::RestyleLines(styling_, *this, first_line, last_line);
  FlushStyling();
  restyle_milliseconds_last_time_ =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return lines_styled_last_time_;
}

int CodeEditor::LineCount() { return static_cast<int>(Send(sci::GETLINECOUNT)); }

int CodeEditor::LineLength(int line) { return static_cast<int>(Send(sci::LINELENGTH, line)); }

void CodeEditor::GetLine(int line, std::string& bytes) {
  const long length = Send(sci::LINELENGTH, line);
  // One spare byte: some Scintilla versions terminate the copy.
  bytes.resize(static_cast<size_t>(std::max(length, 0L)) + 1);
  SendScintilla(sci::GETLINE, static_cast<unsigned long>(line), static_cast<void*>(bytes.data()));
  bytes.resize(static_cast<size_t>(std::max(length, 0L)));
}

long CodeEditor::PositionFromLine(int line) { return Send(sci::POSITIONFROMLINE, line); }

void CodeEditor::StartStyling(long position) {
  FlushStyling();
  Send(sci::STARTSTYLING, static_cast<unsigned long>(position), 31);
}

void CodeEditor::SetStyling(int length, int style) {
  if (style != pending_style_) {
    FlushStyling();
    pending_style_ = style;
  }
  pending_length_ += length;
}

void CodeEditor::FlushStyling() {
  if (pending_length_ > 0) {
    Send(sci::SETSTYLING, static_cast<unsigned long>(pending_length_), pending_style_);
  }
  pending_length_ = 0;
  pending_style_ = -1;
}

int CodeEditor::GetFoldLevel(int line) { return static_cast<int>(Send(sci::GETFOLDLEVEL, line)); }

void CodeEditor::SetFoldLevel(int line, int level) { Send(sci::SETFOLDLEVEL, line, level); }

int CodeEditor::GetLineState(int line) {
  if (line < 0 || line >= LineCount()) return 0;
  return static_cast<int>(Send(sci::GETLINESTATE, line));
}

int CodeEditor::SetLineState(int line, int state) {
  if (line < 0 || line >= LineCount()) return 0;
  const int previous = static_cast<int>(Send(sci::GETLINESTATE, line));
  Send(sci::SETLINESTATE, line, state);
  return previous;
}

// --- notifications ---

void CodeEditor::OnStyleNeeded(int position) {
  FollowLineCount();  // text changed by the mouse or a menu
  const int first = static_cast<int>(Send(sci::LINEFROMPOSITION, Send(sci::GETENDSTYLED)));
  // The document line of the requested position: with folded blocks above
  // it, its display line would lie short of the text that needs styles.
  const int last = std::max(first, static_cast<int>(Send(sci::LINEFROMPOSITION, position)));
  RestyleLines(first, last);
}

void CodeEditor::OnCharAdded(int ch) {
  if (ch == '\n' && (styling_.features & kAutoIndent)) {
    const long previous = Send(sci::LINEFROMPOSITION, Send(sci::GETCURRENTPOS)) - 1;
    if (previous < 0) return;
    const long indent = Send(sci::GETLINEINDENTATION, previous);
    if (indent > 0) {
      Send(sci::SETLINEINDENTATION, previous + 1, indent);
      Send(sci::GOTOPOS, Send(sci::GETLINEINDENTPOSITION, previous + 1));
    }
    return;
  }
  if (styling_.features & kCompletionOn) UpdateCompletion();
}

void CodeEditor::OnModified(int modification_type, int lines_added) {
  if (lines_added != 0) UpdateLineNumberMargin();
  if (modification_type & sci::kModBeforeDelete) deletion_pending_ = true;
  if ((modification_type & sci::kModDeleteText) && (styling_.features & kCompletionOn)) {
    UpdateCompletion();
  }
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
  deletion_pending_ = false;
  QsciScintillaBase::keyPressEvent(event);
  FollowLineCount();
  if (deletion_pending_ && (styling_.features & kCompletionOn)) UpdateCompletion();
  deletion_pending_ = false;
}

void CodeEditor::OnMarginClick(int position, int margin) {
  if (margin != kFoldMargin) return;
  const long line = Send(sci::LINEFROMPOSITION, position);
  if ((styling_.features & kFoldAnyLine) || (Send(sci::GETFOLDLEVEL, line) & kFoldLevelHeaderFlag)) {
    Send(sci::TOGGLEFOLD, line);
  }
}

void CodeEditor::OnNeedShown(int position, int length) {
  const long first = Send(sci::LINEFROMPOSITION, position);
  const long last = Send(sci::LINEFROMPOSITION, position + length);
  for (long line = first; line <= last; ++line) Send(sci::ENSUREVISIBLE, line);
  const long level = Send(sci::GETFOLDLEVEL, last);
  if ((level & kFoldLevelHeaderFlag) &&
      (Send(sci::GETFOLDLEVEL, last + 1) & kFoldLevelNumberMask) > (level & kFoldLevelNumberMask)) {
    Send(sci::ENSUREVISIBLE, last + 1);
  }
}

// --- completion and help ---

void CodeEditor::UpdateCompletion() {
  const long caret = Send(sci::GETCURRENTPOS);
  const long line = Send(sci::LINEFROMPOSITION, caret);
  CompletionChoice choice;
  if (Send(sci::LINELENGTH, line) > 0) {
    std::string bytes;
    GetLine(static_cast<int>(line), bytes);
    choice = ComputeCompletion(styling_, bytes, static_cast<int>(caret - Send(sci::POSITIONFROMLINE, line)));
  }
  if (choice.show) {
    completion_list_ = choice.list;
    SendScintilla(sci::AUTOCSHOW, static_cast<uintptr_t>(choice.typed_length), choice.list.c_str());
  } else {
    completion_list_.clear();
    if (Send(sci::AUTOCACTIVE)) Send(sci::AUTOCCANCEL);
  }
  // The program never shows call tips.
  Send(sci::CALLTIPCANCEL);
}

int CodeEditor::FindKeywordAtCaret(const KeywordList& keywords) const {
  const long caret = Send(sci::GETCURRENTPOS);
  const long line = Send(sci::LINEFROMPOSITION, caret);
  const long line_start = Send(sci::POSITIONFROMLINE, line);
  // Characters, not display columns: a tab must not push the index right.
  const long caret_char =
      SendScintilla(sci::COUNTCHARACTERS, static_cast<unsigned long>(line_start), caret);
  return FindKeywordInLine(keywords, GetEditorLine(static_cast<int>(line)),
                           static_cast<int>(caret_char));
}

}  // namespace vorlane

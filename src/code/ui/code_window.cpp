#include "code/ui/code_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "code/ui/code_editor.h"
#include "code/ui/script_setup.h"
#include "code/ui/syntax_marker.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
// A stored size outside these bounds comes from a damaged preferences file.
constexpr int kMinStoredWidth = 200;
constexpr int kMinStoredHeight = 200;
constexpr int kMaxStoredSize = 20000;

constexpr char kNotApplicable[] = "n/a";

}  // namespace

QFont DialogBoldFont() {
  QFont font("Arial");
  font.setPointSize(11);
  font.setBold(true);
  return font;
}

void CentreWindow(QWidget* window, QWidget* parent) {
  window->resize(kWindowWidth, kWindowHeight);
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  window->move(area.center() - QPoint(kWindowWidth / 2, kWindowHeight / 2));
}

void PlaceCaption(QLabel* label, int x, int y, int width) {
  constexpr double kSmallestPoints = 6;
  label->setGeometry(x, y, width, 25);
  // Centred on the line of the controls, whose box starts 5 pixels higher.
  label->setContentsMargins(0, 0, 0, 10);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont font = label->font();
  if (font.pointSizeF() <= 0) return;  // sized in pixels: left as it is
  while (QFontMetrics(font).horizontalAdvance(label->text()) > width &&
         font.pointSizeF() - 0.5 >= kSmallestPoints)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  label->setFont(font);
}

bool IsDialogShortcutKey(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    default: return false;
  }
}

bool MayDiscardCode(QWidget* window, bool changed) {
  return !changed || Dialogs().AskYesNo(window, "Confirm", kDiscardCodeQuestion);
}

CodeWindow::CodeWindow(QWidget* parent, const std::string& title, Preferences& prefs,
                       const Project& project, const KeywordList& keywords,
                       bool keep_on_not_applicable)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      prefs_(prefs),
      keywords_(keywords),
      keep_on_not_applicable_(keep_on_not_applicable) {
  setWindowTitle(Q(title));
  setModal(true);
  CentreWindow(this, parent);

  cancel_ = new QPushButton("Cancel", this);
  ok_ = new QPushButton("OK", this);
  for (QPushButton* button : {cancel_, ok_}) {
    button->setAutoDefault(false);
    button->resize(65, 25);
  }
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  editor_ = new CodeEditor(this, kShowLineNumbers);
  editor_->setGeometry(10, 45, 780, 540);
  SetupScriptStyling(*editor_, prefs, project, keywords);

  help1_ = new QLabel(this);
  help1_->setFont(DialogBoldFont());
  help2_ = new QLabel(this);
  for (QLabel* help : {help1_, help2_}) help->setTextFormat(Qt::PlainText);
  marker_ = new SyntaxMarker(editor_, help2_);

  ApplyStoredGeometry();
  LayoutCodeWindow();

  help_timer_.setInterval(100);
  connect(&help_timer_, &QTimer::timeout, this, &CodeWindow::RefreshHelpLines);
  help_timer_.start();
  editor_->setFocus();
}

void CodeWindow::ApplyStoredGeometry() {
  if (prefs_.maximized > -1) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  if (prefs_.x == -1 || prefs_.y == -1) return;
  const bool size_usable = prefs_.width >= kMinStoredWidth && prefs_.height >= kMinStoredHeight &&
                           prefs_.width <= kMaxStoredSize && prefs_.height <= kMaxStoredSize;
  // A window stored on a screen that is gone stays centred where it can be seen.
  const bool place_visible =
      QGuiApplication::screenAt(QPoint(prefs_.x + 40, prefs_.y + 10)) != nullptr;
  if (place_visible) move(prefs_.x, prefs_.y);
  if (size_usable) resize(prefs_.width, prefs_.height);
}

void CodeWindow::LayoutCodeWindow() {
  const int w = width();
  const int h = height();
  editor_->resize(w - 20, h - 155);
  ok_->move(w - 75, h - 35);
  cancel_->move(10, h - 35);
  help1_->setGeometry(10, h - 95, w - 20, 21);
  help2_->setGeometry(10, h - 65, w - 20, 21);
  prefs_.width = w;
  prefs_.height = h;
  prefs_.maximized = (windowState() & Qt::WindowMaximized) ? 1 : -1;
}

void CodeWindow::RefreshHelpLines() {
  const int k = editor_->FindKeywordAtCaret(keywords_);
  if (k < 0) {
    help1_->clear();
    marker_->SetUsualHelp(QString());
    return;
  }
  const KeywordRecord& record = keywords_[static_cast<size_t>(k)];
  if (!keep_on_not_applicable_ || record.help1 != kNotApplicable) help1_->setText(Q(record.help1));
  if (!keep_on_not_applicable_ || record.help2 != kNotApplicable)
    marker_->SetUsualHelp(Q(record.help2));
}

void CodeWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayoutCodeWindow();
}

void CodeWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) LayoutCodeWindow();
}

void CodeWindow::keyPressEvent(QKeyEvent* event) {
  if (IsDialogShortcutKey(event)) return;
  QDialog::keyPressEvent(event);
}

void CodeWindow::KeepOpeningText() { opening_text_ = editor_->GetEditorText(); }

bool CodeWindow::HasChanges() const { return editor_->GetEditorText() != opening_text_; }

void CodeWindow::reject() {
  if (MayDiscardCode(this, HasChanges())) QDialog::reject();
}

void CodeWindow::done(int result) {
  help_timer_.stop();
  prefs_.x = pos().x();
  prefs_.y = pos().y();
  QDialog::done(result);
}

}  // namespace vorlane

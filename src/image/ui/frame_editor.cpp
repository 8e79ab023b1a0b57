#include "image/ui/frame_editor.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "gui/ui/canvas.h"
#include "image/ui/drawing_canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "image/frame_edits.h"
#include "image/ui/frame_dialogs.h"
#include "image/ui/frame_icons.h"
#include "image/ui/image_editor.h"
#include "image/ui/picture_paint.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

constexpr int kWidth = 1000, kHeight = 700;
constexpr int kStripHeight = 110;
constexpr int kButtonSide = 25;
constexpr int kButtonStep = 26;
constexpr int kGroupGap = 14;

const char kImageFilter[] =
    "Images (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files (*.jpg)|*.jpg|BMP files (*.bmp)|*.bmp|"
    "PNG files (*.png)|*.png";

// The menu text without its shortcut part.
QString Bare(const QString& text) { return text.section('\t', 0, 0); }

}  // namespace

FrameEditor::FrameEditor(QWidget* parent, EditStack& history, const std::string& sprite)
    : QDialog(parent),
      project_(history.project()),
      sprite_(sprite),
      stack_(history),
      opened_(history.MarkHere()) {
  setWindowTitle("Edit sprite frames");
  setFixedSize(kWidth, kHeight);
  CentreOnScreen(this, parent);

  menu_bar_ = new QMenuBar(this);
  menu_bar_->setNativeMenuBar(false);  // part of the window on every desktop
  BuildMenus();
  const int menu_height = menu_bar_->sizeHint().height();
  menu_bar_->setGeometry(0, 0, kWidth, menu_height);
  auto* body = new QWidget(this);
  body->setGeometry(0, menu_height, kWidth, kHeight - menu_height);
  BuildButtons(body);
  BuildDrawing(body);

  scroll_ = new QScrollArea(body);
  scroll_->setGeometry(10, kStripTop, kWidth - 20, kStripHeight);
  scroll_->horizontalScrollBar()->setSingleStep(32);
  scroll_->verticalScrollBar()->setSingleStep(16);
  strip_ = new Canvas;
  scroll_->setWidget(strip_);
  tool_ = std::make_unique<FrameStripTool>(layout_, [this](int index) { SetCurrent(index); });
  strip_->SetTool(tool_.get());

  done_ = MakeButton(this, "Done", kWidth - 75, kHeight - 35, 65, 25);
  connect(done_, &QPushButton::clicked, this, &FrameEditor::OnDone);
  connect(&stack_.undo_stack(), &QUndoStack::indexChanged, this, &FrameEditor::OnHistoryChanged);

  const std::vector<int> frames = SpriteFrames(project_, sprite_);
  current_ = frames.empty() ? -1 : frames.front();
  OnHistoryChanged();
  Refresh();
}

FrameEditor::~FrameEditor() {
  strip_->SetTool(nullptr);
  canvas_->SetTool(nullptr);
  disconnect(&stack_.undo_stack(), nullptr, this, nullptr);  // it outlives the editor
}

QAction* FrameEditor::AddAction(QMenu* menu, const QString& text, const Operation& run,
                                const QList<QKeySequence>& keys) {
  // The text carries the shortcut as it is shown; the keys work through the
  // action, which the window holds too so they reach it wherever the focus is.
  QAction* action = menu->addAction(text);
  action->setShortcuts(keys);
  addAction(action);
  connect(action, &QAction::triggered, this, run);
  actions_.push_back(action);
  return action;
}

void FrameEditor::BuildMenus() {
  using K = QKeySequence;
  QMenu* file = menu_bar_->addMenu("File");
  AddAction(file, "New...\tCtrl + N", [this] { NewFrames(); }, {K("Ctrl+N")});
  file->addSeparator();
  AddAction(file, "Add new frame from file...\tCtrl + A", [this] { AddFromFile(); },
            {K("Ctrl+A")});
  AddAction(file, "Save as PNG image...\tCtrl + S", [this] { SaveStrip(); }, {K("Ctrl+S")});

  QMenu* edit = menu_bar_->addMenu("Edit");
  undo_ = AddAction(edit, "Undo\tCtrl + Z", [this] { Undo(); }, {K("Ctrl+Z")});
  redo_ = AddAction(edit, "Redo\tCtrl + Shift + Z", [this] { Redo(); },
                    {K("Ctrl+Shift+Z"), K("Ctrl+Y")});
  edit->addSeparator();
  AddAction(edit, "Duplicate frame\tCtrl + D",
            [this] {
              FrameStep("Duplicate frame",
                        [this](Project& p) { return DuplicateFrame(p, sprite_, current_); });
            },
            {K("Ctrl+D")});
  edit->addSeparator();
  AddAction(edit, "Move frame left\tCtrl + Left",
            [this] {
              FrameStep("Move frame left",
                        [this](Project& p) { return MoveFrame(p, sprite_, current_, false); });
            },
            {K("Ctrl+Left")});
  AddAction(edit, "Move frame right\tCtrl + Right",
            [this] {
              FrameStep("Move frame right",
                        [this](Project& p) { return MoveFrame(p, sprite_, current_, true); });
            },
            {K("Ctrl+Right")});
  edit->addSeparator();
  delete_frame_ = AddAction(edit, "Delete current frame\tDelete",
            [this] {
              FrameStep("Delete frame",
                        [this](Project& p) { return DeleteFrame(p, sprite_, current_); });
            },
            {K(Qt::Key_Delete)});

  BuildDrawMenus(edit);

  QMenu* transform = menu_bar_->addMenu("Transform");
  const auto effect = [this](EffectKind kind) { return [this, kind] { RunEffect(kind); }; };
  AddAction(transform, "Shift", effect(EffectKind::Shift));
  AddAction(transform, "Mirror/Flip", effect(EffectKind::Mirror));
  AddAction(transform, "Rotate", effect(EffectKind::Rotate));
  AddAction(transform, "Scale", effect(EffectKind::Scale));
  transform->addSeparator();
  AddAction(transform, "Resize canvas", [this] { ChangeSize(false); });
  AddAction(transform, "Stretch", [this] { ChangeSize(true); });

  QMenu* effects = menu_bar_->addMenu("Effects");
  const std::pair<const char*, EffectKind> items[] = {
      {"Grayscale", EffectKind::Grayscale},     {"Colorize", EffectKind::Colorize},
      {"Color balance", EffectKind::ColorBalance}, {"Swap RGB channel", EffectKind::SwapChannels},
      {"Invert", EffectKind::Invert},           {"Brightness", EffectKind::Brightness},
      {"Opacity", EffectKind::Opacity},         {"Posterize", EffectKind::Posterize},
      {"Noise", EffectKind::Noise},             {"Erase a color", EffectKind::EraseColor},
      {"Make opaque", EffectKind::MakeOpaque}};
  for (const auto& [text, kind] : items) AddAction(effects, text, effect(kind));
}

void FrameEditor::BuildButtons(QWidget* body) {
  // Each button runs the menu item of the same meaning.
  struct Entry {
    FrameIcon icon;
    const char* tip;
    const char* item;
  };
  const std::vector<std::vector<Entry>> groups = {
      {{FrameIcon::New, "Create new sprite", "New..."},
       {FrameIcon::AddFile, "Add new frame from file", "Add new frame from file..."},
       {FrameIcon::SaveStrip, "Save sprite as PNG strip", "Save as PNG image..."}},
      {{FrameIcon::Duplicate, "Duplicate current frame", "Duplicate frame"},
       {FrameIcon::MoveLeft, "Move current frame to left", "Move frame left"},
       {FrameIcon::MoveRight, "Move current frame to right", "Move frame right"},
       {FrameIcon::Delete, "Delete current frame", "Delete current frame"}},
      {{FrameIcon::Shift, "Shift", "Shift"},
       {FrameIcon::Mirror, "Mirror", "Mirror/Flip"},
       {FrameIcon::Rotate, "Rotate", "Rotate"},
       {FrameIcon::Scale, "Scale", "Scale"},
       {FrameIcon::ResizeCanvas, "Resize canvas", "Resize canvas"},
       {FrameIcon::Stretch, "Stretch", "Stretch"}},
      {{FrameIcon::Grayscale, "Grayscale", "Grayscale"},
       {FrameIcon::Colorize, "Colorize", "Colorize"},
       {FrameIcon::ColorBalance, "Color balance", "Color balance"},
       {FrameIcon::SwapChannels, "Swap RGB channels", "Swap RGB channel"},
       {FrameIcon::Invert, "Invert", "Invert"},
       {FrameIcon::Brightness, "Brightness", "Brightness"},
       {FrameIcon::Opacity, "Opacity", "Opacity"},
       {FrameIcon::Posterize, "Posterize", "Posterize"},
       {FrameIcon::Noise, "Noise", "Noise"},
       {FrameIcon::EraseColor, "Erase a color", "Erase a color"},
       {FrameIcon::MakeOpaque, "Make opaque", "Make opaque"}},
  };
  const QColor ink = palette().color(QPalette::WindowText);
  int x = 10;
  for (const auto& group : groups) {
    for (const Entry& entry : group) {
      auto* button = new QToolButton(body);
      button->setGeometry(x, 10, kButtonSide, kButtonSide);
      button->setIcon(MakeFrameIcon(entry.icon, ink));
      button->setIconSize(QSize(20, 20));
      button->setToolTip(entry.tip);
      button->setAutoRaise(true);
      QAction* item = action(entry.item);
      connect(button, &QToolButton::clicked, item, &QAction::trigger);
      buttons_.push_back(button);
      x += kButtonStep;
    }
    x += kGroupGap;
  }
}

QAction* FrameEditor::action(const QString& text) const {
  for (QAction* item : actions_)
    if (item->text() == text || Bare(item->text()) == text) return item;
  return nullptr;
}

QToolButton* FrameEditor::button(const QString& tip) const {
  for (QToolButton* item : buttons_)
    if (item->toolTip() == tip) return item;
  return nullptr;
}

void FrameEditor::keyPressEvent(QKeyEvent* event) {
  // Keys sent to the window itself find their menu item here; typed keys
  // reach the items as shortcuts before they get this far.
  const QKeySequence pressed(event->keyCombination());
  for (QAction* item : actions_)
    for (const QKeySequence& key : item->shortcuts())
      if (key == pressed) {
        item->trigger();
        return;
      }
  QDialog::keyPressEvent(event);
}

void FrameEditor::SetCurrent(int frame_index) {
  current_ = frame_index;
  strip_->update();
  LoadFrame();
  const int k = layout_.Position(current_);
  if (k < 0) return;
  const long long middle = layout_.x(k) + layout_.width(k) / 2;
  if (middle < Canvas::kMaxSide)
    scroll_->ensureVisible(static_cast<int>(middle), FrameStripLayout::kGap,
                           layout_.width(k) / 2 + FrameStripLayout::kGap, 0);
}

void FrameEditor::Refresh() {
  layout_.Build(project_, sprite_);
  const int width = static_cast<int>(std::min<long long>(layout_.total_width(), Canvas::kMaxSide));
  strip_->SetPicture(width, layout_.total_height(), [this](Image& target, int left, int top) {
    PaintFrameStrip(target, left, top, project_, layout_, current_);
  });
  LoadFrame();
  RefreshPalette();
}

void FrameEditor::FrameStep(const std::string& text, const std::function<int(Project&)>& change) {
  int chosen = current_;
  stack_.Apply(text, [&](Project& project) { chosen = change(project); });
  Refresh();
  SetCurrent(chosen);
}

void FrameEditor::NewFrames() {
  NewSpriteDialog dialog(this, [this](int width, int height) {
    int made = -1;
    stack_.Apply("New sprite", [&](Project& project) {
      made = NewSpriteFrames(project, sprite_, width, height);
    });
    if (made < 0) return false;
    Refresh();
    SetCurrent(made);
    return true;
  });
  Dialogs().Exec(dialog);
}

void FrameEditor::AddFromFile() {
  const std::string path =
      Dialogs().OpenFile(this, {.title = "Select an image", .filter = kImageFilter});
  if (path.empty()) return;
  std::string error;
  const Image picture = LoadPicture(path, kMaxFrameSide, &error);
  if (picture.is_null()) {
    Dialogs().Message(this, "Error", error);
    return;
  }
  AddPicture(picture);
}

void FrameEditor::AddPicture(const Image& picture) {
  FrameFit fit = FrameFit::ResizeAll;
  FramePlacement placement = FramePlacement::Stretch;
  const std::vector<int> frames = SpriteFrames(project_, sprite_);
  if (!frames.empty()) {
    const ImageRef& last = project_.frames[static_cast<size_t>(frames.back())].image;
    const int width = last ? last->width() : 0, height = last ? last->height() : 0;
    if (width != picture.width() || height != picture.height()) {
      AddFrameDialog dialog(this, width, height, picture.width(), picture.height());
      if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
      fit = dialog.fit();
      placement = dialog.placement();
    }
  }
  FrameStep("Add frame", [&](Project& project) {
    return AddFramePicture(project, sprite_, picture, fit, placement);
  });
}

void FrameEditor::SaveStrip() { SaveSpriteStrip(this, project_, sprite_); }

void FrameEditor::ChangeSize(bool stretch) {
  const std::vector<int> frames = SpriteFrames(project_, sprite_);
  if (frames.empty()) return;
  const ImageRef& last = project_.frames[static_cast<size_t>(frames.back())].image;
  FrameSizeDialog dialog(this, stretch, last ? last->width() : 0, last ? last->height() : 0,
                         [this, stretch](int width, int height, bool smooth) {
                           bool done = false;
                           stack_.Apply(
                               stretch ? "Stretch" : "Resize canvas", [&](Project& project) {
                                 done = stretch
                                            ? StretchFrames(project, sprite_, width, height, smooth)
                                            : ResizeFrameCanvas(project, sprite_, width, height);
                               });
                           return done;
                         });
  Dialogs().Exec(dialog);
  Refresh();
}

void FrameEditor::RunEffect(EffectKind kind) {
  if (layout_.Position(current_) < 0) return;
  EffectDialog dialog(this, kind, project_.frames[static_cast<size_t>(current_)].image);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const EffectDialog::Effect effect = dialog.Chosen();
  const bool all = dialog.apply_all();
  stack_.Apply(EffectTitle(kind),
               [&](Project& project) { ApplyToFrames(project, sprite_, current_, all, effect); });
  Refresh();
}

void FrameEditor::Undo() {
  if (stack_.Undo(opened_)) Refresh();
}

void FrameEditor::Redo() {
  if (stack_.Redo(opened_)) Refresh();
}

void FrameEditor::OnHistoryChanged() {
  undo_->setEnabled(stack_.can_undo(opened_));
  redo_->setEnabled(stack_.can_redo(opened_));
  // A step undone or redone may have taken the current frame away: the
  // nearest frame of the sprite before it takes its place.
  const std::vector<int> frames = SpriteFrames(project_, sprite_);
  if (std::find(frames.begin(), frames.end(), current_) != frames.end()) return;
  if (frames.empty()) {
    current_ = -1;
    return;
  }
  int chosen = frames.front();
  for (int index : frames)
    if (index <= current_) chosen = index;
  current_ = chosen;
}

void FrameEditor::OnDone() {
  SetModified(project_, 1);
  BuildSpriteThumbnails(project_);
  accept();
}

void OpenFrameEditor(QWidget* parent, EditStack& history, const std::string& sprite) {
  FrameEditor editor(parent, history, sprite);
  Dialogs().Exec(editor);
}

}  // namespace vorlane

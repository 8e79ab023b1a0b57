#include "scene/ui/scene_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/image_view.h"
#include "gui/ui/qt_text.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/rename.h"
#include "project/safe_name.h"
#include "scene/instance_edits.h"
#include "scene/scene_cards.h"
#include "scene/scene_settings.h"
#include "scene/ui/scene_dialogs.h"
#include "scene/ui/scene_icons.h"
#include "scene/ui/tiles_tab.h"

namespace vorlane {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 668;
constexpr int kPanelWidth = 300;
constexpr int kCanvasLeft = 320;
constexpr int kCanvasTop = 45;

QToolButton* MakeToolButton(QWidget* parent, SceneIcon icon, const QString& tip, int x) {
  auto* button = new QToolButton(parent);
  button->setIcon(MakeSceneIcon(icon, parent->palette().color(QPalette::WindowText)));
  button->setToolTip(tip);
  button->setGeometry(x, 0, 28, 25);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

EditorGrid& SceneEditor::Grid() {
  static EditorGrid grid;
  return grid;
}

SceneEditor::SceneEditor(QWidget* parent, EditStack& history, Preferences& prefs,
                         const KeywordList& keywords, int index)
    : QDialog(parent),
      project_(history.project()),
      prefs_(prefs),
      keywords_(keywords),
      index_(index),
      scene_name_(project_.scenes[static_cast<size_t>(index)].name),
      stack_(history),
      opened_(history.MarkHere()),
      pictures_(TileSetLoader(project_)) {
  setWindowTitle(Q("Scene properties - " + scene_name_));
  setMinimumSize(640, 400);
  resize(kWidth, kHeight);
  CentreOnScreen(this, parent);
  view_.grid = Grid();

  scroll_ = new QScrollArea(this);
  canvas_ = new Canvas;
  canvas_->setMouseTracking(true);  // the placement ghost follows the pointer
  canvas_->SetWheelZoom(4, 8);
  canvas_->SetPaintsShrunk(true);
  scroll_->setWidget(canvas_);
  const SceneToolContext context{project_, stack_, scene_name_, view_,
                                 [this](const std::string& question) {
                                   return Dialogs().AskYesNo(this, "Confirm", question);
                                 }};
  instance_tool_ = std::make_unique<InstanceTool>(context);

  done_ = MakeButton(this, "Done", 10, 10, 65, 25);
  name_ = MakeTextField(this, Q(scene_name_), 85, 10, 225, 25);
  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(10, kCanvasTop, kPanelWidth, kHeight - 50);
  tabs_->addTab(BuildSettingsTab(), "Settings");
  tabs_->addTab(BuildObjectsTab(), "Objects");
  tabs_->addTab(BuildBackgroundTab(), "Background");
  tiles_ = new TilesTab(context, [this] { canvas_->update(); });
  tabs_->addTab(tiles_, "Tiles");
  BuildToolRow();

  LoadBackgroundPicture();
  ShowSceneValues();
  ResizeCanvas();
  ShowPlacePreview();
  OnTabChanged();

  connect(done_, &QPushButton::clicked, this, &SceneEditor::OnDone);
  connect(tabs_, &QTabWidget::currentChanged, this, &SceneEditor::OnTabChanged);
  connect(&stack_.undo_stack(), &QUndoStack::indexChanged, this, &SceneEditor::OnHistoryChanged);
  resizeEvent(nullptr);
}

SceneEditor::~SceneEditor() {
  canvas_->SetTool(nullptr);
  disconnect(&stack_.undo_stack(), nullptr, this, nullptr);  // it outlives the editor
  delete tabs_;  // the tabs' tools go before the editor's fields they use
  // A drag the window closed under is a step of its own, as far as it got.
  while (stack_.in_step()) stack_.End();
}

Scene& SceneEditor::scene() { return project_.scenes[static_cast<size_t>(index_)]; }

void SceneEditor::BuildToolRow() {
  tool_row_ = new QWidget(this);
  tool_row_->setGeometry(kCanvasLeft, 10, kWidth - kCanvasLeft - 10, 25);
  undo_ = MakeToolButton(tool_row_, SceneIcon::Undo, "Undo (Ctrl+Z)", 0);
  redo_ = MakeToolButton(tool_row_, SceneIcon::Redo, "Redo (Ctrl+Shift+Z)", 28);
  new_ = MakeToolButton(tool_row_, SceneIcon::New, "New", 66);
  shift_ = MakeToolButton(tool_row_, SceneIcon::Shift, "Shift objects", 94);
  grid_button_ = MakeToolButton(tool_row_, SceneIcon::Grid, "Toggle show / hide the grid", 132);
  snap_button_ =
      MakeToolButton(tool_row_, SceneIcon::Snap, "Toggle snap / don't snap objects to grid", 160);
  for (QToolButton* toggle : {grid_button_, snap_button_}) toggle->setCheckable(true);
  grid_button_->setChecked(view_.grid.show_grid);
  snap_button_->setChecked(view_.grid.snap);
  MakeLabel(tool_row_, "Size", 198, 0, 30, 25);
  grid_size_ = MakeTextField(tool_row_, QString::number(view_.grid.size), 228, 0, 40, 25);
  show_objects_ = MakeCheckBox(tool_row_, "Show objects", 280, 0, 110, 25);
  show_tiles_ = MakeCheckBox(tool_row_, "Show tiles", 390, 0, 95, 25);
  show_objects_->setChecked(view_.grid.show_objects);
  show_tiles_->setChecked(view_.grid.show_tiles);
  zoom_ = MakeLabel(tool_row_, canvas_->ZoomText(), 490, 0, 45, 25);
  zoom_->setToolTip("Zoom (mouse wheel)");
  connect(canvas_, &Canvas::ZoomChanged, zoom_, [this] { zoom_->setText(canvas_->ZoomText()); });
  status_ = MakeLabel(tool_row_, "", 540, 0, 145, 25);
  undo_->setEnabled(false);
  redo_->setEnabled(false);

  const auto grid_changed = [this] {
    Grid() = view_.grid;
    canvas_->update();
  };
  connect(undo_, &QToolButton::clicked, this, &SceneEditor::Undo);
  connect(redo_, &QToolButton::clicked, this, &SceneEditor::Redo);
  connect(new_, &QToolButton::clicked, this, &SceneEditor::OnNew);
  connect(shift_, &QToolButton::clicked, this, &SceneEditor::OnShift);
  connect(grid_button_, &QToolButton::toggled, this, [this, grid_changed](bool on) {
    view_.grid.show_grid = on;
    grid_changed();
  });
  connect(snap_button_, &QToolButton::toggled, this, [this, grid_changed](bool on) {
    view_.grid.snap = on;
    grid_changed();
  });
  connect(grid_size_, &QLineEdit::textChanged, this, [this, grid_changed](const QString& text) {
    if (SetGridSize(view_.grid, text.toStdString())) grid_changed();
  });
  connect(show_objects_, &QCheckBox::toggled, this, [this, grid_changed](bool on) {
    view_.grid.show_objects = on;
    grid_changed();
  });
  connect(show_tiles_, &QCheckBox::toggled, this, [this, grid_changed](bool on) {
    view_.grid.show_tiles = on;
    grid_changed();
  });
}

void SceneEditor::resizeEvent(QResizeEvent*) {
  tabs_->resize(kPanelWidth, height() - 50);
  scroll_->setGeometry(kCanvasLeft, kCanvasTop, width() - 330, height() - 55);
  tool_row_->resize(width() - kCanvasLeft - 10, 25);
  status_->resize(std::max(0, tool_row_->width() - status_->x()), 25);
}

void SceneEditor::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() == Qt::ControlModifier;
  const bool ctrl_shift = event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
  if (ctrl && event->key() == Qt::Key_Z) return Undo();
  if ((ctrl_shift && event->key() == Qt::Key_Z) || (ctrl && event->key() == Qt::Key_Y))
    return Redo();
  QDialog::keyPressEvent(event);
}

void SceneEditor::OnTabChanged() {
  const int tab = tabs_->currentIndex();
  view_.tab = static_cast<SceneTab>(tab);
  new_->setVisible(tab == 1 || tab == 3);
  shift_->setVisible(tab == 1 || tab == 3);
  shift_->setToolTip(tab == 3 ? "Shift tiles" : "Shift objects");
  canvas_->SetTool(tab == 1 ? instance_tool_.get() : tab == 3 ? tiles_->tool() : nullptr);
  canvas_->update();
}

void SceneEditor::ChangeScene(const std::string& text, const std::function<void(Scene&)>& change) {
  if (showing_values_) return;
  const int index = index_;
  stack_.Apply(text, [&](Project& project) { change(project.scenes[static_cast<size_t>(index)]); });
}

void SceneEditor::LoadBackgroundPicture() {
  background_picture_ = Image();
  const Background* background = FindBackground(project_, scene().background);
  if (background && !background->file.empty())
    background_picture_ = LoadImageFile(project_.tempfolder + "/" + background->file);
  view_.background = background_picture_.is_null() ? nullptr : &background_picture_;
}

void SceneEditor::ResizeCanvas() {
  canvas_->SetPicture(std::max(0, scene().width), std::max(0, scene().height),
                      [this](Image& target, int left, int top) {
                        status_->setText(Q(PaintScene(target, left, top, project_, scene(), view_,
                                                      pictures_, canvas_->shrink())));
                      });
}

void SceneEditor::OnNew() {
  if (view_.tab == SceneTab::Tiles) return tiles_->DeleteAllTiles();
  if (view_.tab != SceneTab::Objects) return;
  if (!Dialogs().AskYesNo(this, "Confirm", "Delete all objects in this scene?")) return;
  stack_.Apply("Delete all instances",
               [this](Project& project) { DeleteAllInstances(project, scene_name_); });
}

void SceneEditor::OnShift() {
  if (view_.tab == SceneTab::Tiles) return tiles_->ShiftTiles();
  if (view_.tab != SceneTab::Objects) return;
  ShiftDialog dialog(this, "Shift objects", view_.grid.size, false);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const int dx = LeadingInt(dialog.horizontal()->text().toStdString());
  const int dy = LeadingInt(dialog.vertical()->text().toStdString());
  stack_.Apply("Shift instances",
               [&](Project& project) { ShiftInstances(project, scene_name_, dx, dy); });
}

void SceneEditor::EditSelectedInstance() {
  const int index = FirstSelectedInstance(project_, scene_name_, view_.selected_instances);
  if (index < 0) return;
  InstanceDialog dialog(this, project_.objects[static_cast<size_t>(index)]);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  std::string texts[4];
  for (int row = 0; row < 4; ++row) texts[row] = dialog.field(row)->text().toStdString();
  stack_.Apply("Instance properties", [&](Project& project) {
    StoreInstanceProperties(project, index, texts[0], texts[1], texts[2], texts[3]);
  });
}

void SceneEditor::Undo() {
  if (stack_.Undo(opened_)) canvas_->update();
}

void SceneEditor::Redo() {
  if (stack_.Redo(opened_)) canvas_->update();
}

void SceneEditor::OnHistoryChanged() {
  undo_->setEnabled(stack_.can_undo(opened_));
  redo_->setEnabled(stack_.can_redo(opened_));
  undo_->setToolTip(Q("Undo " + stack_.undo_text() + " (Ctrl+Z)"));
  redo_->setToolTip(Q("Redo " + stack_.redo_text() + " (Ctrl+Shift+Z)"));
  // An undone step may have changed the scene's own values.
  const std::string shown_background = background_list_->currentText().toStdString();
  ShowSceneValues();
  if (shown_background != scene().background) LoadBackgroundPicture();
  tiles_->ShowLayers();
  if (canvas_->picture_width() != scene().width || canvas_->picture_height() != scene().height)
    ResizeCanvas();
  canvas_->update();
}

void SceneEditor::OnDone() {
  SceneFields fields{
      .name = name_->text().toStdString(),
      .width = width_->text().toStdString(),
      .height = height_->text().toStdString(),
      .viewport_width = view_width_->text().toStdString(),
      .viewport_height = view_height_->text().toStdString(),
      .follow = follow_list()->currentText().toStdString(),
      .margin_x = margin_x_->text().toStdString(),
      .margin_y = margin_y_->text().toStdString(),
      .speed = speed_->text().toStdString(),
      .background = background_list_->currentText().toStdString(),
  };
  std::vector<std::string> errors;
  stack_.Apply("Scene settings",
               [&](Project& project) { errors = StoreSceneSettings(project, index_, fields); });
  scene_name_ = scene().name;  // a good name is kept even when something else is refused
  for (const std::string& error : errors) Dialogs().Message(this, "Error", error);
  if (!errors.empty()) return;

  // The history has set the modified flag: Done without a change is none.
  KeepSceneCard(project_, scene_name_, ShareImage(SceneCard(project_, scene(), view_, pictures_)));
  if (!project_.projectname.empty())
    WriteProgramFile(PathsOf(project_.projectname).preview,
                     EncodePng(ProjectPicture(project_, scene(), view_, pictures_)));
  accept();
}

void OpenSceneEditor(QWidget* parent, EditStack& history, Preferences& prefs,
                     const KeywordList& keywords, const std::string& name) {
  const int index = ResourceIndex(history.project(), ResourceKind::Scene, name);
  if (index < 0) return;
  SceneEditor editor(parent, history, prefs, keywords, index);
  Dialogs().Exec(editor);
}

}  // namespace vorlane

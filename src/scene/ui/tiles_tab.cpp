#include "scene/ui/tiles_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/image_view.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/qt_text.h"
#include "scene/layer_edits.h"
#include "scene/tile_edits.h"
#include "scene/ui/scene_dialogs.h"
#include "scene/ui/scene_icons.h"

namespace vorlane {

// The tool of the tile set view: dragging chooses the part to stamp.
class TilesTab::Picker : public CanvasTool {
 public:
  explicit Picker(TilesTab& tab) : tab_(tab) {}
  void Press(const PointerEvent& event) override { Pointer(event); }
  void Move(const PointerEvent& event) override { Pointer(event); }
  void Release(const PointerEvent& event) override { Pointer(event); }

 private:
  void Pointer(const PointerEvent& event) {
    const Background* tile_set =
        FindBackground(tab_.context_.project, tab_.tile_sets_->currentText().toStdString());
    const Image* picture = tab_.tile_set_picture_.is_null() ? nullptr : &tab_.tile_set_picture_;
    if (tab_.selector_.Pointer(event, tile_set, picture, tab_.context_.view.grid.size))
      tab_.OnPicked();
  }
  TilesTab& tab_;
};

TilesTab::TilesTab(SceneToolContext context, std::function<void()> changed)
    : context_(std::move(context)), changed_(std::move(changed)) {
  tool_ = std::make_unique<TileTool>(context_, brush_);
  picker_ = std::make_unique<Picker>(*this);

  MakeLabel(this, "Tile image", 10, 15, 80, 25);
  tile_sets_ = new PictureList(this);
  tile_sets_->setGeometry(90, 10, 180, 25);
  for (const Background& background : context_.project.backgrounds)
    tile_sets_->addItem(Q(background.name));
  MakeLabel(this, "Action", 10, 45, 80, 25);
  action_ = MakeActionList(this, "tiles", 90, 40, 180);

  auto* scroll = new QScrollArea(this);
  scroll->setGeometry(10, 75, 270, 330);
  view_canvas_ = new Canvas;
  view_canvas_->SetWheelZoom(1, 16);
  view_canvas_->SetTool(picker_.get());
  scroll->setWidget(view_canvas_);

  MakeLabel(this, "Layer", 10, 420, 50, 25);
  layers_ = new QComboBox(this);
  layers_->setGeometry(60, 415, 140, 25);
  solid_ = new QCheckBox("Solid", this);
  solid_->setGeometry(210, 415, 65, 25);
  solid_->setToolTip("The game's instances collide with this layer's tiles");
  QPushButton* add = MakeButton(this, "Add", 10, 445, 80, 25);
  QPushButton* remove = MakeButton(this, "Delete", 95, 445, 80, 25);
  QPushButton* change = MakeButton(this, "Change...", 180, 445, 90, 25);
  MakeLabel(this, "Selected tile", 10, 480, 95, 25);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setGeometry(109, 479, 102, 102);
  preview_ = MakePicture(this, 110, 480, 100, 100);

  ChooseTileSet();
  // The list opens on the scene's first layer, whatever another scene showed.
  if (const auto values = LayerValues(context_.project, context_.scene); !values.empty())
    context_.view.current_layer = values.front();
  ShowLayers();
  connect(tile_sets_, &QComboBox::currentTextChanged, this, &TilesTab::ChooseTileSet);
  connect(action_, &QComboBox::currentIndexChanged, this, [this](int action) {
    context_.view.tile_action = static_cast<TileAction>(std::max(action, 0));
    changed_();
  });
  connect(layers_, &QComboBox::currentTextChanged, this, &TilesTab::OnLayerChosen);
  connect(add, &QPushButton::clicked, this, &TilesTab::AddLayer);
  connect(remove, &QPushButton::clicked, this, &TilesTab::DeleteLayer);
  connect(change, &QPushButton::clicked, this, &TilesTab::ChangeLayer);
  connect(solid_, &QCheckBox::toggled, this, &TilesTab::ChangeSolid);
}

TilesTab::~TilesTab() { view_canvas_->SetTool(nullptr); }

CanvasTool* TilesTab::tool() { return tool_.get(); }

void TilesTab::ChooseTileSet() {
  selector_.Clear();
  brush_ = TileBrush{tile_sets_->currentText().toStdString(), {}, nullptr};
  context_.view.tile_ghost = nullptr;
  tile_set_picture_ = Image();
  const Background* background = FindBackground(context_.project, brush_.tile_set);
  if (background && !background->file.empty())
    tile_set_picture_ = LoadImageFile(context_.project.tempfolder + "/" + background->file);
  view_canvas_->SetPicture(tile_set_picture_.width(), tile_set_picture_.height(),
                           [this](Image& target, int left, int top) {
                             PaintTileSetView(target, left, top, tile_set_picture_,
                                              selector_.selection());
                           });
  preview_->SetPicture(QPixmap());
  changed_();
}

void TilesTab::OnPicked() {
  action_->setCurrentIndex(0);
  brush_.selection = selector_.selection();
  brush_.image = SelectedTileImage(brush_.selection,
                                   tile_set_picture_.is_null() ? nullptr : &tile_set_picture_);
  context_.view.tile_ghost = brush_.image.get();
  preview_->SetPicture(brush_.image ? ToPixmap(brush_.image->Scaled(100, 100, Scaling::Nearest))
                                    : QPixmap());
  view_canvas_->update();
  changed_();
}

void TilesTab::ShowLayers() {
  const int current = context_.view.current_layer;
  {
    const QSignalBlocker quiet(layers_);
    layers_->clear();
    for (const int value : LayerValues(context_.project, context_.scene))
      layers_->addItem(QString::number(value));
  }
  SelectLayer(current);
}

void TilesTab::SelectLayer(int value) {
  const int found = layers_->findText(QString::number(value));
  layers_->setCurrentIndex(found >= 0 ? found : 0);
  OnLayerChosen();
}

void TilesTab::OnLayerChosen() {
  context_.view.current_layer = LayerValue(layers_->currentText().toStdString());
  const QSignalBlocker quiet(solid_);
  solid_->setChecked(LayerSolid(context_.project, context_.scene, context_.view.current_layer));
  changed_();
}

void TilesTab::ChangeSolid(bool solid) {
  const int current = context_.view.current_layer;
  context_.stack.Apply(solid ? "Make layer solid" : "Make layer not solid", [&](Project& project) {
    SetLayerSolid(project, context_.scene, current, solid);
  });
}

void TilesTab::AddLayer() {
  std::string typed;
  LayerDepthDialog dialog(this, "Add a new tile layer", layers_->currentText(),
                          [this, &typed](const std::string& text) {
                            std::string refusal;
                            context_.stack.Apply("Add layer", [&](Project& project) {
                              refusal = AddSceneLayer(project, context_.scene, text);
                            });
                            typed = text;
                            return refusal;
                          });
  Dialogs().Exec(dialog);
  ShowLayers();
  if (!typed.empty()) SelectLayer(LayerValue(typed));
}

void TilesTab::DeleteLayer() {
  if (!context_.ask("Delete this layer and all tiles on this layer?")) return;
  const int current = context_.view.current_layer;
  context_.stack.Apply("Delete layer", [&](Project& project) {
    DeleteSceneLayer(project, context_.scene, current);
  });
  ShowLayers();
  layers_->setCurrentIndex(0);
}

void TilesTab::ChangeLayer() {
  const int current = context_.view.current_layer;
  LayerDepthDialog dialog(this, "Change the depth of a tile layer", layers_->currentText(),
                          [](const std::string&) { return std::string(); });
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const std::string text = dialog.depth()->text().toStdString();
  context_.stack.Apply("Change layer depth", [&](Project& project) {
    ChangeSceneLayer(project, context_.scene, current, text);
  });
  context_.view.current_layer = LayerValue(text);
  ShowLayers();
}

void TilesTab::DeleteAllTiles() {
  if (!context_.ask(kDeleteAllTilesQuestion)) return;
  context_.stack.Apply("Delete all tiles",
                       [&](Project& project) { vorlane::DeleteAllTiles(project, context_.scene); });
}

void TilesTab::ShiftTiles() {
  ShiftDialog dialog(this, "Shift tiles", context_.view.grid.size, true);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const int dx = LeadingInt(dialog.horizontal()->text().toStdString());
  const int dy = LeadingInt(dialog.vertical()->text().toStdString());
  const bool all = dialog.all_layers()->isChecked();
  const int layer = context_.view.current_layer;
  context_.stack.Apply("Shift tiles", [&](Project& project) {
    vorlane::ShiftTiles(project, context_.scene, layer, all, dx, dy);
  });
}

}  // namespace vorlane

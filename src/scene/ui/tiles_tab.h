// The scene editor's "Tiles" tab: the tile set to cut from, its view where
// a part is chosen by dragging, the tile action, the layers of the scene
// with "Add", "Delete" and "Change...", and the chosen tile. It owns the
// canvas tool that stamps, selects and removes tiles on the scene.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "scene/scene_tools.h"
#include "scene/tile_set_view.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vorlane {

class Canvas;
class PictureControl;

class TilesTab : public QWidget {
  Q_OBJECT
 public:
  // `changed` repaints the scene canvas.
  TilesTab(SceneToolContext context, std::function<void()> changed);
  ~TilesTab() override;

  CanvasTool* tool();
  // "New" and the shift button while this tab is shown.
  void DeleteAllTiles();
  void ShiftTiles();
  // After an undo or redo: the layers may have changed.
  void ShowLayers();

  QComboBox* tile_set_list() const { return tile_sets_; }
  QComboBox* action_list() const { return action_; }
  QComboBox* layer_list() const { return layers_; }
  QCheckBox* solid_box() const { return solid_; }
  Canvas* tile_set_canvas() const { return view_canvas_; }
  const TileBrush& brush() const { return brush_; }

 private:
  class Picker;
  void ChooseTileSet();
  void OnPicked();
  void OnLayerChosen();
  void SelectLayer(int value);
  void AddLayer();
  void DeleteLayer();
  void ChangeLayer();
  void ChangeSolid(bool solid);

  SceneToolContext context_;
  std::function<void()> changed_;
  TileBrush brush_;
  TileSetSelector selector_;
  Image tile_set_picture_;
  std::unique_ptr<TileTool> tool_;
  std::unique_ptr<Picker> picker_;
  QComboBox* tile_sets_;
  QComboBox* action_;
  Canvas* view_canvas_;
  QComboBox* layers_;
  QCheckBox* solid_;
  PictureControl* preview_;
};

}  // namespace vorlane

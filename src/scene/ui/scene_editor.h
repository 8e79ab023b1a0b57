// The scene editor: one scene laid out on a canvas at one screen pixel per
// scene pixel, with the settings, objects, background and tiles tabs on the
// left and the tools above the canvas. Every change to the scene is an undo
// step while the editor is open; "Done" checks the settings, makes the
// scene's pictures and closes.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "code/keyword_list.h"
#include "gui/preferences.h"
#include "project/edit_stack.h"
#include "scene/scene_tools.h"
#include "scene/scene_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vorlane {

class Canvas;
class PictureControl;
class PictureList;
class TilesTab;

class SceneEditor : public QDialog {
  Q_OBJECT
 public:
  // Every change is a step of `history`; undo and redo in the editor reach
  // the steps made since it opened.
  SceneEditor(QWidget* parent, EditStack& history, Preferences& prefs, const KeywordList& keywords,
              int index);
  ~SceneEditor() override;

  // The view settings all scene editors share while the program runs.
  static EditorGrid& Grid();

  // For tests: the controls a user works with.
  QLineEdit* name_field() const { return name_; }
  QPushButton* done_button() const { return done_; }
  QTabWidget* tabs() const { return tabs_; }
  Canvas* canvas() const { return canvas_; }
  EditStack& stack() { return stack_; }
  QToolButton* new_button() const { return new_; }
  QToolButton* shift_button() const { return shift_; }
  QToolButton* undo_button() const { return undo_; }
  QToolButton* redo_button() const { return redo_; }
  QLineEdit* grid_size_field() const { return grid_size_; }
  QLabel* status_label() const { return status_; }
  QComboBox* instance_action() const { return instance_action_; }
  QComboBox* place_list() const;
  QPushButton* edit_instance_button() const { return edit_instance_; }
  QLineEdit* field(const QString& name) const;
  QCheckBox* check(const QString& text) const;
  QComboBox* background_list() const { return background_list_; }
  QComboBox* follow_list() const;
  TilesTab* tiles_tab() const { return tiles_; }
  const SceneViewState& view() const { return view_; }

  // Escape and the window's close button do not end the editor: "Done" does.
  void reject() override {}

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Scene& scene();
  void BuildToolRow();
  QWidget* BuildSettingsTab();
  QWidget* BuildObjectsTab();
  QWidget* BuildBackgroundTab();
  void OnTabChanged();
  // Shows the scene's stored values in the controls that reach it at once.
  void ShowSceneValues();
  void LoadBackgroundPicture();
  void ResizeCanvas();
  void ShowPlacePreview();
  void OnNew();
  void OnShift();
  void EditSelectedInstance();
  void ChooseColour();
  void OnDone();
  void Undo();
  void Redo();
  void OnHistoryChanged();
  // A change of the scene's own fields, as one step.
  void ChangeScene(const std::string& text, const std::function<void(Scene&)>& change);

  Project& project_;
  Preferences& prefs_;
  const KeywordList& keywords_;
  const int index_;
  std::string scene_name_;
  EditStack& stack_;
  const EditStack::Mark opened_;
  SceneViewState view_;
  ScenePictures pictures_;
  Image background_picture_;
  std::unique_ptr<InstanceTool> instance_tool_;

  QPushButton* done_;
  QLineEdit* name_;
  QTabWidget* tabs_;
  QWidget* tool_row_;
  QToolButton* undo_;
  QToolButton* redo_;
  QToolButton* new_;
  QToolButton* shift_;
  QToolButton* grid_button_;
  QToolButton* snap_button_;
  QLineEdit* grid_size_;
  QCheckBox* show_objects_;
  QCheckBox* show_tiles_;
  QLabel* status_;
  QLabel* zoom_;  // the canvas's zoom, "100%"
  QScrollArea* scroll_;
  Canvas* canvas_;
  // Settings.
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* view_width_;
  QLineEdit* view_height_;
  PictureList* follow_;
  QLineEdit* margin_x_;
  QLineEdit* margin_y_;
  QLineEdit* speed_;
  // Objects.
  QComboBox* instance_action_;
  PictureList* place_;
  PictureControl* place_preview_;
  QPushButton* edit_instance_;
  // Background.
  QLabel* colour_box_;
  QComboBox* background_list_;
  QCheckBox* tile_x_;
  QCheckBox* tile_y_;
  QCheckBox* stretch_;
  TilesTab* tiles_ = nullptr;
  bool showing_values_ = false;
};

// Opens the editor for the scene named `name`; nothing when there is none.
void OpenSceneEditor(QWidget* parent, EditStack& history, Preferences& prefs,
                     const KeywordList& keywords, const std::string& name);

}  // namespace vorlane

// "Object properties": an object's name, sprite, visibility, depth,
// collision checking and parent, and its events. Events are written to the
// project as soon as they are added, edited or deleted; the object record
// only on "Done" (object_edits.h decides what it stores).
#pragma once

#include <unordered_map>

#include "code/keyword_list.h"
#include "editors/ui/resource_dialog.h"
#include "gui/preferences.h"
#include "gui/ui/picture_list.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorlane {

class PictureControl;

class ObjectDialog : public ResourceDialog {
  Q_OBJECT

 public:
  ObjectDialog(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
               int index);

  PictureControl* thumbnail() const { return thumbnail_; }
  QComboBox* sprite_list() const { return sprite_list_; }
  QLabel* size_label() const { return size_label_; }
  QCheckBox* visible_box() const { return visible_box_; }
  QLineEdit* depth_field() const { return depth_field_; }
  QCheckBox* collision_box() const { return collision_box_; }
  QComboBox* parent_list() const { return parent_list_; }
  QPushButton* add_event_button() const { return add_event_; }
  QComboBox* event_kind_list() const { return event_kinds_; }
  QTreeWidget* event_list() const { return event_list_; }
  QPlainTextEdit* code_preview() const { return code_preview_; }
  // The event list's pop-up: "Edit", a separator, "Delete".
  QMenu* event_menu() const { return event_menu_; }
  QAction* edit_event_action() const { return edit_event_; }
  QAction* delete_event_action() const { return delete_event_; }

  // Refills the event list from the scripts, keeping `select_script`'s row
  // selected when it is listed (-1: none).
  void RefreshEventList(int select_script = -1);
  // The selected row's code, or nothing.
  void UpdateCodePreview();
  // The script of the selected row, -1 when none is selected.
  int SelectedScript() const;

 protected:
  std::vector<std::string> Done() override;

 private:
  void FillSpriteList();
  void FillParentList();
  void ShowSprite();
  void AddEvent();
  // Opens the code dialog on `script`, then shows the list again with it.
  void EditEvent(int script);
  void DeleteSelectedEvent();
  void OnEventListMenu(const QPoint& where);
  // The list picture of a sprite's or object's picture, made once per
  // picture however many entries show it.
  const QIcon& IconOf(const Image* picture);

  Preferences& prefs_;
  const KeywordList& keywords_;
  std::unordered_map<const Image*, QIcon> icons_;

  QFrame* thumbnail_frame_;
  PictureControl* thumbnail_;
  PictureList* sprite_list_;
  QLabel* size_label_;
  QCheckBox* visible_box_;
  QLabel* depth_label_;
  QLineEdit* depth_field_;
  QCheckBox* collision_box_;
  QLabel* parent_label_;
  PictureList* parent_list_;
  QPushButton* add_event_;
  PictureList* event_kinds_;
  QTreeWidget* event_list_;
  QLabel* preview_label_;
  QPlainTextEdit* code_preview_;
  QMenu* event_menu_;
  QAction* edit_event_;
  QAction* delete_event_;
};

}  // namespace vorlane

// The small windows the scene editor opens over itself: shifting
// instances or tiles, a tile layer's depth, an instance's properties. Each
// returns what the user typed; the editor decides what it means.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "project/model.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vorlane {

// "Shift objects" / "Shift tiles": Horizontal and Vertical, preset to the
// grid size; the tiles' window adds "In all layer".
class ShiftDialog : public QDialog {
  Q_OBJECT
 public:
  ShiftDialog(QWidget* parent, const QString& title, int preset, bool with_layers);
  QLineEdit* horizontal() const { return horizontal_; }
  QLineEdit* vertical() const { return vertical_; }
  QCheckBox* all_layers() const { return all_layers_; }

 private:
  QLineEdit* horizontal_;
  QLineEdit* vertical_;
  QCheckBox* all_layers_ = nullptr;
};

// "Add a new tile layer" / "Change the depth of a tile layer": one Depth
// field. `check` returns the message that keeps the window open ("" to
// accept).
class LayerDepthDialog : public QDialog {
  Q_OBJECT
 public:
  LayerDepthDialog(QWidget* parent, const QString& title, const QString& preset,
                   std::function<std::string(const std::string&)> check);
  QLineEdit* depth() const { return depth_; }
  QPushButton* ok_button() const { return ok_; }

 private:
  QLineEdit* depth_;
  QPushButton* ok_;
  std::function<std::string(const std::string&)> check_;
};

// "Instance properties - " + name: X, Y, Direction, Image angle.
class InstanceDialog : public QDialog {
  Q_OBJECT
 public:
  InstanceDialog(QWidget* parent, const GameObject& instance);
  QLineEdit* field(int row) const { return fields_[row]; }

 private:
  QLineEdit* fields_[4];
};

}  // namespace vorlane

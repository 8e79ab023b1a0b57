#include "scene/ui/scene_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

// OK and Cancel along the bottom of a small window.
QPushButton* AddButtons(QDialog* dialog, int width, int height) {
  QPushButton* ok = MakeButton(dialog, "OK", width - 150, height - 35, 65, 25);
  QPushButton* cancel = MakeButton(dialog, "Cancel", width - 75, height - 35, 65, 25);
  ok->setDefault(true);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return ok;
}

}  // namespace

ShiftDialog::ShiftDialog(QWidget* parent, const QString& title, int preset, bool with_layers)
    : QDialog(parent) {
  setWindowTitle(title);
  setFixedSize(200, 160);
  MakeLabel(this, "Horizontal", 10, 15, 80, 25);
  horizontal_ = MakeTextField(this, QString::number(preset), 100, 10, 90, 25);
  MakeLabel(this, "Vertical", 10, 50, 80, 25);
  vertical_ = MakeTextField(this, QString::number(preset), 100, 45, 90, 25);
  if (with_layers) all_layers_ = MakeCheckBox(this, "In all layer", 10, 80, 180, 25);
  QPushButton* ok = AddButtons(this, 200, 160);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

LayerDepthDialog::LayerDepthDialog(QWidget* parent, const QString& title, const QString& preset,
                                   std::function<std::string(const std::string&)> check)
    : QDialog(parent), check_(std::move(check)) {
  setWindowTitle(title);
  setFixedSize(230, 100);
  MakeLabel(this, "Depth", 10, 15, 50, 25);
  depth_ = MakeTextField(this, preset, 70, 10, 150, 25);
  ok_ = AddButtons(this, 230, 100);
  connect(ok_, &QPushButton::clicked, this, [this] {
    const std::string refusal = check_(depth_->text().toStdString());
    if (refusal.empty())
      accept();
    else
      Dialogs().Message(this, "Error", refusal);
  });
}

InstanceDialog::InstanceDialog(QWidget* parent, const GameObject& instance) : QDialog(parent) {
  setWindowTitle(Q("Instance properties - " + instance.name));
  setFixedSize(280, 220);
  const char* labels[4] = {"X", "Y", "Direction", "Image angle"};
  const int values[4] = {instance.x, instance.y, instance.direction, instance.image_angle};
  for (int row = 0; row < 4; ++row) {
    MakeLabel(this, labels[row], 10, 15 + 35 * row, 90, 25);
    fields_[row] = MakeTextField(this, QString::number(values[row]), 110, 10 + 35 * row, 160, 25);
  }
  QPushButton* ok = AddButtons(this, 280, 220);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace vorlane

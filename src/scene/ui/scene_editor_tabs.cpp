// The scene editor's Settings, Objects and Background tabs.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "code/ui/event_icons.h"
#include "code/ui/scene_code_dialog.h"
#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/image_view.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/qt_text.h"
#include "scene/instance_edits.h"
#include "scene/ui/scene_editor.h"
#include "scene/ui/scene_icons.h"

namespace vorlane {
namespace {

constexpr int kLabelWidth = 130;
constexpr int kFieldLeft = 145;

// Every object resource with its sprite's first frame, after an empty entry.
std::vector<PictureList::Entry> ObjectEntries(const Project& project, bool empty_first) {
  const auto first_frames = FirstFrameImages(project);
  std::vector<PictureList::Entry> entries;
  if (empty_first) entries.push_back({});
  for (const GameObject& object : project.objects) {
    if (object.prototype != 1) continue;
    const auto found = first_frames.find(object.sprite);
    entries.push_back(
        {ObjectIcon(found == first_frames.end() ? nullptr : found->second.get()), Q(object.name)});
  }
  return entries;
}

QLineEdit* Named(QLineEdit* field, const char* name) {
  field->setObjectName(name);
  return field;
}

}  // namespace

QWidget* SceneEditor::BuildSettingsTab() {
  auto* page = new QWidget;
  const Scene& s = scene();
  const auto row = [page](const char* text, int y) {
    MakeLabel(page, text, 10, y + 5, kLabelWidth, 25);
  };
  // A digits-only field named after the scene field it edits, in the first
  // or second column of a row.
  const auto number = [page](int value, const char* name, int y, int column) {
    return Named(MakeDigitsField(page, QString::number(value), kFieldLeft + 65 * column, y, 60, 25),
                 name);
  };
  row("Scene size (W/H)", 10);
  width_ = number(s.width, "width", 10, 0);
  height_ = number(s.height, "height", 10, 1);
  row("Viewport size (W/H)", 45);
  view_width_ = number(s.viewportwidth, "viewportwidth", 45, 0);
  view_height_ = number(s.viewportheight, "viewportheight", 45, 1);
  row("Object to follow", 80);
  follow_ = new PictureList(page);
  follow_->setGeometry(kFieldLeft, 80, 125, 25);
  follow_->Fill(ObjectEntries(project_, true), Q(s.viewportobject), GenericObjectIcon());
  row("Follow margin (X/Y)", 115);
  margin_x_ = number(s.viewportxborder, "viewportxborder", 115, 0);
  margin_y_ = number(s.viewportyborder, "viewportyborder", 115, 1);
  row("Speed", 150);
  speed_ = number(s.speed, "speed", 150, 0);
  QPushButton* code = MakeButton(page, "Scene code...", 10, 195, 125, 25);

  // The scene's size reaches it as it is typed: the canvas follows.
  for (QLineEdit* field : {width_, height_}) {
    connect(field, &QLineEdit::textChanged, this, [this] {
      const int w = LeadingInt(width_->text().toStdString());
      const int h = LeadingInt(height_->text().toStdString());
      ChangeScene("Scene size", [w, h](Scene& scene) {
        scene.width = w;
        scene.height = h;
      });
      ResizeCanvas();
    });
  }
  connect(code, &QPushButton::clicked, this,
          [this] { EditSceneCode(this, project_, prefs_, keywords_, index_); });
  return page;
}

QWidget* SceneEditor::BuildObjectsTab() {
  auto* page = new QWidget;
  MakeLabel(page, "Action", 10, 15, 60, 25);
  instance_action_ = MakeActionList(page, "objects", 80, 10, 190);
  MakeLabel(page, "Object to place", 10, 50, 260, 25);
  place_ = new PictureList(page);
  place_->setGeometry(10, 75, 260, 25);
  const auto entries = ObjectEntries(project_, false);
  place_->Fill(entries, entries.empty() ? QString() : entries.front().text);
  if (entries.empty()) place_->clear();
  auto* frame = new QFrame(page);
  frame->setFrameShape(QFrame::Box);
  frame->setGeometry(9, 109, 102, 102);
  place_preview_ = MakePicture(page, 10, 110, 100, 100);
  edit_instance_ = MakeButton(page, "Edit selected instance...", 10, 225, 180, 25);

  connect(instance_action_, &QComboBox::currentIndexChanged, this, [this](int action) {
    view_.instance_action = static_cast<InstanceAction>(std::max(action, 0));
    canvas_->update();
  });
  connect(place_, &QComboBox::currentTextChanged, this, [this] {
    instance_action_->setCurrentIndex(0);
    ShowPlacePreview();
  });
  connect(edit_instance_, &QPushButton::clicked, this, &SceneEditor::EditSelectedInstance);
  return page;
}

QWidget* SceneEditor::BuildBackgroundTab() {
  auto* page = new QWidget;
  MakeLabel(page, "Background color", 10, 15, kLabelWidth, 25);
  colour_box_ = new QLabel(page);
  colour_box_->setGeometry(kFieldLeft, 10, 60, 25);
  colour_box_->setAutoFillBackground(true);
  QPushButton* choose = MakeButton(page, "...", kFieldLeft + 65, 10, 30, 25);
  MakeLabel(page, "Background image", 10, 50, kLabelWidth, 25);
  background_list_ = new PictureList(page);
  background_list_->setGeometry(kFieldLeft, 45, 125, 25);
  background_list_->addItem("");
  for (const Background& background : project_.backgrounds)
    background_list_->addItem(Q(background.name));
  tile_x_ = MakeCheckBox(page, "Tile horizontally", 10, 85, 200, 25);
  tile_y_ = MakeCheckBox(page, "Tile vertically", 10, 115, 200, 25);
  stretch_ = MakeCheckBox(page, "Stretch", 10, 145, 200, 25);

  connect(choose, &QPushButton::clicked, this, &SceneEditor::ChooseColour);
  connect(background_list_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    ChangeScene("Background image",
                [name = name.toStdString()](Scene& scene) { scene.background = name; });
    LoadBackgroundPicture();
    canvas_->update();
  });
  const auto flag = [this](QCheckBox* box, const char* text, int Scene::*field) {
    connect(box, &QCheckBox::clicked, this, [this, text, field](bool on) {
      ChangeScene(text, [field, on](Scene& scene) { scene.*field = on ? 1 : 0; });
    });
  };
  flag(tile_x_, "Tile horizontally", &Scene::backgroundtilex);
  flag(tile_y_, "Tile vertically", &Scene::backgroundtiley);
  flag(stretch_, "Stretch", &Scene::backgroundstretch);
  return page;
}

void SceneEditor::ShowSceneValues() {
  showing_values_ = true;
  const Scene& s = scene();
  const auto show = [](QLineEdit* field, int value) {
    if (LeadingInt(field->text().toStdString()) != value || field->text().isEmpty())
      field->setText(QString::number(value));
  };
  show(width_, s.width);
  show(height_, s.height);
  QPalette colours = colour_box_->palette();
  colours.setColor(QPalette::Window, QColor(s.red & 255, s.green & 255, s.blue & 255));
  colour_box_->setPalette(colours);
  if (background_list_->findText(Q(s.background)) < 0) background_list_->addItem(Q(s.background));
  background_list_->setCurrentText(Q(s.background));
  tile_x_->setChecked(s.backgroundtilex != 0);
  tile_y_->setChecked(s.backgroundtiley != 0);
  stretch_->setChecked(s.backgroundstretch != 0);
  showing_values_ = false;
}

void SceneEditor::ShowPlacePreview() {
  view_.place_object = place_->currentText().toStdString();
  const GameObject* object = FindObject(project_, view_.place_object);
  const ImageRef first = object ? FirstFrameImage(project_, object->sprite) : nullptr;
  Image preview = Image::Transparent(100, 100);
  if (first && !first->is_null()) {
    const int w = first->width(), h = first->height();
    const int fit_w = w >= h ? 100 : std::max(1, Round(100.0 * w / h, Rounding::Nearest));
    const int fit_h = w >= h ? std::max(1, Round(100.0 * h / w, Rounding::Nearest)) : 100;
    preview.DrawScaled(*first, 0, 0, fit_w, fit_h, DrawMode::Blend, Scaling::Nearest);
    place_preview_->SetPicture(ToPixmap(preview));
  } else {
    place_preview_->SetPicture(QPixmap(":/artwork/no_preview.png").scaled(100, 100));
  }
  canvas_->update();
}

void SceneEditor::ChooseColour() {
  const Scene& s = scene();
  Color chosen;
  const Color initial{static_cast<std::uint8_t>(s.red), static_cast<std::uint8_t>(s.green),
                      static_cast<std::uint8_t>(s.blue), 255};
  if (!Dialogs().ChooseColor(this, initial, &chosen)) return;
  ChangeScene("Background colour", [chosen](Scene& scene) {
    scene.red = chosen.r;
    scene.green = chosen.g;
    scene.blue = chosen.b;
  });
}

QComboBox* SceneEditor::place_list() const { return place_; }
QComboBox* SceneEditor::follow_list() const { return follow_; }

QLineEdit* SceneEditor::field(const QString& name) const { return findChild<QLineEdit*>(name); }

QCheckBox* SceneEditor::check(const QString& text) const {
  for (QCheckBox* box : findChildren<QCheckBox*>())
    if (box->text() == text) return box;
  return nullptr;
}

}  // namespace vorlane

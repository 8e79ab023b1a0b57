#include "editors/ui/sprite_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

#include "code/ui/code_window.h"
#include "editors/sprite_edits.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/qt_text.h"
#include "image/ui/image_editor.h"
#include "project/rename.h"
#include "project/thumbnails.h"

namespace vorlane {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

}  // namespace

SpriteDialog::SpriteDialog(QWidget* parent, EditStack& history, int index)
    : ResourceDialog(parent, history.project(), ResourceKind::Sprite, index, "Sprite properties - ",
                     kWidth, kHeight, 100, " Done "),
      history_(history) {
  QPushButton* load = MakeButton(this, "Load...", 10, 40, 100, 25);
  QPushButton* save = MakeButton(this, "Save as PNG...", 10, 70, 100, 25);
  QPushButton* edit = MakeButton(this, "Edit", 10, 100, 100, 25);
  size_label_ = MakeLabel(this, "", 10, 135, 100, 25);

  scroll_ = new QScrollArea(this);
  scroll_->setGeometry(120, 10, 550, 400);
  scroll_->horizontalScrollBar()->setSingleStep(32);
  scroll_->verticalScrollBar()->setSingleStep(32);
  canvas_ = new Canvas;
  scroll_->setWidget(canvas_);

  const SpritePreviewSettings& settings = SpritePreview();
  show_shape_ = MakeCheckBox(this, "Show collision shape", 125, 420, 150, 25);
  show_shape_->setChecked(settings.show_shape);
  PlaceCaption(MakeLabel(this, "Preview speed", 530, 425, 80, 25), 530, 425, 80);
  speed_ = MakeDigitsField(this, QString::number(settings.speed), 610, 420, 50, 25);
  PlaceCaption(MakeLabel(this, "Zoom", 120, 455, 35, 25), 120, 455, 35);
  zoom_ = new QSlider(Qt::Horizontal, this);
  zoom_->setGeometry(165, 450, 515, 25);
  zoom_->setRange(1, kMaxSpriteZoom);
  zoom_->setValue(settings.zoom);

  PlaceCaption(MakeLabel(this, "Origin X", 680, 15, 55, 25), 680, 15, 50);
  PlaceCaption(MakeLabel(this, "Origin Y", 680, 45, 55, 25), 680, 45, 50);
  origin_x_ = MakeTextField(this, "", 730, 10, 50, 25);
  origin_y_ = MakeTextField(this, "", 730, 40, 50, 25);
  QPushButton* centre = MakeButton(this, "Center", 680, 70, 100, 25);
  MakeLabel(this, "Collision shape", 680, 145, 100, 25);
  shape_ = new QComboBox(this);
  shape_->setGeometry(680, 170, 100, 25);
  shape_->addItems({"Circle", "Box"});
  MakeLabel(this, "Circle:", 680, 205, 50, 25);
  MakeLabel(this, "Box:", 680, 265, 50, 25);
  const char* captions[5] = {"Radius", "Left", "Right", "Top", "Bottom"};
  const int rows[5] = {235, 295, 325, 355, 385};
  for (int i = 0; i < 5; ++i) {
    PlaceCaption(MakeLabel(this, captions[i], 680, rows[i], 50, 25), 680, rows[i], 48);
    shape_fields_[i] = i == 0 ? MakeDigitsField(this, "", 730, rows[i] - 5, 50, 25)
                              : MakeTextField(this, "", 730, rows[i] - 5, 50, 25);
  }

  ShowFields();
  RebuildPreview();
  RestartTimer();

  connect(&timer_, &QTimer::timeout, this, &SpriteDialog::Step);
  connect(load, &QPushButton::clicked, this, [this] {
    if (!ImportImageStrip(this, project_, index_)) return;
    ShowFields();
    RebuildPreview();
  });
  connect(save, &QPushButton::clicked, this,
          [this] { SaveSpriteStrip(this, project_, sprite().name); });
  connect(edit, &QPushButton::clicked, this, [this] {
    OpenFrameEditor(this, history_, sprite().name);
    RebuildPreview();
  });
  connect(show_shape_, &QCheckBox::toggled, this, [this](bool on) {
    SpritePreview().show_shape = on;
    canvas_->update();
  });
  connect(speed_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const int speed = LeadingInt(text.toStdString());
    if (speed <= 0) return;  // 0 or nothing: the old speed stays
    SpritePreview().speed = speed;
    RestartTimer();
  });
  connect(zoom_, &QSlider::valueChanged, this, [this](int zoom) {
    SpritePreview().zoom = zoom;
    RebuildPreview();
  });
  const auto origin = [this](QLineEdit* field, bool x_axis) {
    connect(field, &QLineEdit::textChanged, this, [this, x_axis](const QString& text) {
      if (showing_ || pictures_.empty()) return;
      const Image& frame = *pictures_.back();
      SetOrigin(x_axis ? sprite().centerx : sprite().centery, text.toStdString(),
                x_axis ? frame.width() : frame.height());
      canvas_->update();
    });
  };
  origin(origin_x_, true);
  origin(origin_y_, false);
  connect(centre, &QPushButton::clicked, this, [this] {
    if (pictures_.empty()) return;
    if (CenterOrigin(sprite(), pictures_.back()->width(), pictures_.back()->height())) ShowFields();
    canvas_->update();
  });
  connect(shape_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    if (showing_) return;
    sprite().collisionshape = text.toStdString();
    canvas_->update();
  });
  int Sprite::*const fields[5] = {&Sprite::collisionradius, &Sprite::collisionleft,
                                  &Sprite::collisionright, &Sprite::collisiontop,
                                  &Sprite::collisionbottom};
  for (int i = 0; i < 5; ++i) {
    connect(shape_fields_[i], &QLineEdit::textChanged, this,
            [this, field = fields[i]](const QString& text) {
              if (showing_) return;
              sprite().*field = LeadingInt(text.toStdString());
              canvas_->update();
            });
  }
}

Sprite& SpriteDialog::sprite() { return project_.sprites[static_cast<size_t>(index_)]; }

void SpriteDialog::ShowFields() {
  showing_ = true;
  const Sprite& s = sprite();
  origin_x_->setText(QString::number(s.centerx));
  origin_y_->setText(QString::number(s.centery));
  shape_->setCurrentText(Q(s.collisionshape));
  const int values[5] = {s.collisionradius, s.collisionleft, s.collisionright, s.collisiontop,
                         s.collisionbottom};
  for (int i = 0; i < 5; ++i) shape_fields_[i]->setText(QString::number(values[i]));
  showing_ = false;
}

void SpriteDialog::RebuildPreview() {
  pictures_ = SpritePictures(project_, sprite().name);
  size_label_->setText(Q(SpriteSizeLabel(project_, sprite().name)));
  current_ = 0;
  const int zoom = SpritePreview().zoom;
  // The canvas is as large as the last frame zoomed; the frame is scaled as
  // it is painted, never stored zoomed.
  const Image* last = pictures_.empty() ? nullptr : pictures_.back().get();
  const long long w = last ? 1LL * last->width() * zoom : 0;
  const long long h = last ? 1LL * last->height() * zoom : 0;
  canvas_->SetPicture(static_cast<int>(std::min<long long>(w, Canvas::kMaxSide)),
                      static_cast<int>(std::min<long long>(h, Canvas::kMaxSide)),
                      [this](Image& target, int left, int top) {
                        if (pictures_.empty()) return;
                        PaintSpritePreview(target, left, top, *pictures_[current_], sprite(),
                                           shape_->currentText().toStdString(),
                                           SpritePreview().zoom, SpritePreview().show_shape);
                      });
  RestartTimer();
}

void SpriteDialog::RestartTimer() {
  // One frame never changes: the animation runs only for two or more.
  timer_.stop();
  if (pictures_.size() < 2) return;
  timer_.start(1000 / std::max(1, SpritePreview().speed));
}

void SpriteDialog::Step() {
  if (pictures_.empty()) return;
  current_ = (current_ + 1) % static_cast<int>(pictures_.size());
  canvas_->update();
}

std::vector<std::string> SpriteDialog::Done() {
  std::string refusal = StoreSpriteName(project_, index_, name_text());
  if (refusal.empty()) return {};
  return {std::move(refusal)};
}

void EditSprite(QWidget* parent, EditStack& history, const std::string& name) {
  EditEveryNamed(history.project(), ResourceKind::Sprite, name,
                 [&](int index) { return std::make_unique<SpriteDialog>(parent, history, index); });
}

}  // namespace vorlane

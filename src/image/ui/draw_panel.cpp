#include "image/ui/draw_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "image/ui/frame_icons.h"

namespace vorlane {

// The sprite's colours as small squares, a row of kColumns at a time.
class PaletteView : public QWidget {
 public:
  static constexpr int kCell = 10, kColumns = 12;
  using Pick = std::function<void(Color, bool primary)>;

  PaletteView(QWidget* parent, Pick pick) : QWidget(parent), pick_(std::move(pick)) {}
  void SetColors(std::vector<Color> colors) {
    colors_ = std::move(colors);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int shown = std::min<int>(static_cast<int>(colors_.size()), Capacity());
    for (int i = 0; i < shown; ++i) {
      const QRect cell(i % kColumns * kCell, i / kColumns * kCell, kCell - 1, kCell - 1);
      const Color c = colors_[static_cast<size_t>(i)];
      painter.fillRect(cell, Qt::white);
      painter.fillRect(cell.adjusted(0, 0, -cell.width() / 2, -cell.height() / 2), Qt::lightGray);
      painter.fillRect(cell, QColor(c.r, c.g, c.b, c.a));
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    const int i = at.y() / kCell * kColumns + at.x() / kCell;
    if (at.x() < kColumns * kCell && i < static_cast<int>(colors_.size()) && i < Capacity())
      pick_(colors_[static_cast<size_t>(i)], event->button() != Qt::RightButton);
  }

 private:
  int Capacity() const { return height() / kCell * kColumns; }
  Pick pick_;
  std::vector<Color> colors_;
};

namespace {

// A swatch: the colour over a checkerboard, so see-through colours show.
QIcon SwatchIcon(Color c, int side) {
  QPixmap pixmap(side, side);
  QPainter p(&pixmap);
  const int half = side / 2;
  p.fillRect(0, 0, side, side, Qt::white);
  p.fillRect(0, 0, half, half, Qt::lightGray);
  p.fillRect(half, half, side - half, side - half, Qt::lightGray);
  p.fillRect(0, 0, side, side, QColor(c.r, c.g, c.b, c.a));
  p.setPen(Qt::black);
  p.drawRect(0, 0, side - 1, side - 1);
  return QIcon(pixmap);
}

// The tools' icons follow the tool table's order.
QIcon ToolIcon(DrawToolKind kind, const QColor& ink) {
  return MakeFrameIcon(
      static_cast<FrameIcon>(static_cast<int>(FrameIcon::Pencil) + static_cast<int>(kind)), ink);
}

}  // namespace

DrawPanel::DrawPanel(QWidget* parent, DrawState& state) : QWidget(parent), state_(state) {
  const QColor ink = palette().color(QPalette::WindowText);
  for (const DrawToolInfo& info : DrawToolTable()) {
    const int i = static_cast<int>(info.kind);
    auto* button = new QToolButton(this);
    button->setGeometry(i % 4 * 32, i / 4 * 32, 30, 30);
    button->setIcon(ToolIcon(info.kind, ink));
    button->setIconSize(QSize(20, 20));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolTip(QString("%1 (%2)").arg(info.name, QKeySequence(info.key).toString()));
    connect(button, &QToolButton::clicked, this, [this, kind = info.kind] {
      ShowTool(kind);
      if (chosen_) chosen_(kind);
    });
    tool_buttons_[static_cast<size_t>(i)] = button;
  }

  // The secondary swatch lies behind the primary one, down and to the right.
  secondary_ = new QToolButton(this);
  secondary_->setGeometry(22, 90, 36, 36);
  primary_ = new QToolButton(this);
  primary_->setGeometry(0, 72, 36, 36);
  for (QToolButton* swatch : {primary_, secondary_}) {
    swatch->setIconSize(QSize(28, 28));
    swatch->setAutoRaise(true);
    connect(swatch, &QToolButton::clicked, this, [this, swatch] { ChooseColor(swatch == primary_); });
  }
  primary_->setToolTip("Primary color (left button)");
  secondary_->setToolTip("Secondary color (right button)");

  MakeLabel(this, "Size:", 0, 136, 60, 20);
  brush_ = new QSpinBox(this);
  brush_->setGeometry(66, 134, 60, 24);
  brush_->setRange(kMinBrush, kMaxBrush);
  brush_->setValue(state_.brush);
  connect(brush_, &QSpinBox::valueChanged, this, [this](int size) { state_.brush = size; });

  QCheckBox* filled = MakeCheckBox(this, "Filled", 0, 164, 126, 20);
  connect(filled, &QCheckBox::toggled, this, [this](bool on) { state_.filled = on; });

  MakeLabel(this, "Tolerance:", 0, 192, 66, 20);
  auto* tolerance = new QSpinBox(this);
  tolerance->setGeometry(66, 190, 60, 24);
  tolerance->setRange(0, 255);
  connect(tolerance, &QSpinBox::valueChanged, this, [this](int value) { state_.tolerance = value; });
  QCheckBox* contiguous = MakeCheckBox(this, "Contiguous", 0, 220, 126, 20);
  contiguous->setChecked(state_.contiguous);
  connect(contiguous, &QCheckBox::toggled, this, [this](bool on) { state_.contiguous = on; });

  onion_ = MakeCheckBox(this, "Onion skin", 0, 248, 126, 20);
  onion_->setChecked(true);
  connect(onion_, &QCheckBox::toggled, this, [this] {
    if (onion_changed_) onion_changed_();
  });

  MakeLabel(this, "Sprite colors:", 0, 278, 126, 18);
  palette_ = new PaletteView(this, [this](Color c, bool primary) {
    (primary ? state_.primary : state_.secondary) = c;
    ShowColors();
  });
  palette_->setGeometry(0, 298, PaletteView::kCell * PaletteView::kColumns, 16 * PaletteView::kCell);
  ShowColors();
}

void DrawPanel::ShowTool(DrawToolKind kind) {
  for (QToolButton* button : tool_buttons_) button->setChecked(button == tool_button(kind));
}

void DrawPanel::ShowColors() {
  primary_->setIcon(SwatchIcon(state_.primary, 28));
  secondary_->setIcon(SwatchIcon(state_.secondary, 28));
}

void DrawPanel::SetPalette(std::vector<Color> colors) { palette_->SetColors(std::move(colors)); }

bool DrawPanel::onion() const { return onion_->isChecked(); }

void DrawPanel::ChooseColor(bool primary) {
  Color& color = primary ? state_.primary : state_.secondary;
  Color chosen;
  if (!Dialogs().ChooseColor(this, color, &chosen)) return;
  color = chosen;
  ShowColors();
}

}  // namespace vorlane

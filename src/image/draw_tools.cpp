#include "image/draw_tools.h"

#include <algorithm>

namespace vorlane {
namespace {

QPoint At(const PointerEvent& event) { return QPoint(event.x, event.y); }

bool DrawingButton(Qt::MouseButton button) {
  return button == Qt::LeftButton || button == Qt::RightButton;
}

// The base of the tools that draw with the button's colour.
class PaintTool : public CanvasTool {
 public:
  explicit PaintTool(DrawState& state) : state_(state) {}

 protected:
  Color ColorFor(Qt::MouseButton button) const {
    return button == Qt::RightButton ? state_.secondary : state_.primary;
  }
  DrawState& state_;
};

// Pencil and eraser: a dot on press, then a line from the last point on
// each move, drawn straight into the frame.
class StrokeTool : public PaintTool {
 public:
  StrokeTool(DrawState& state, bool erase) : PaintTool(state), erase_(erase) {}

  void Press(const PointerEvent& event) override {
    if (button_ != Qt::NoButton || !DrawingButton(event.button)) return;
    button_ = event.button;
    color_ = erase_ ? EraseColor(state_.image, state_.secondary) : ColorFor(event.button);
    last_ = At(event);
    state_.Changed(DrawDot(state_.image, event.x, event.y, state_.brush, color_));
  }
  void Move(const PointerEvent& event) override {
    if (button_ == Qt::NoButton || At(event) == last_) return;
    state_.Changed(DrawLine(state_.image, last_, At(event), state_.brush, color_));
    last_ = At(event);
  }
  void Release(const PointerEvent& event) override {
    if (event.button != button_) return;
    Move(event);
    button_ = Qt::NoButton;
    state_.Finished(erase_ ? "Eraser" : "Pencil");
  }

 private:
  const bool erase_;
  Qt::MouseButton button_ = Qt::NoButton;
  Color color_;
  QPoint last_;
};

// Line, rectangle and ellipse: a preview while dragging, drawn on release.
// With Shift alone, lines keep to eight directions, rectangles and ellipses
// are square and round.
class ShapeTool : public PaintTool {
 public:
  enum class Kind { Line, Rectangle, Ellipse };
  ShapeTool(DrawState& state, Kind kind) : PaintTool(state), kind_(kind) {}

  void Press(const PointerEvent& event) override {
    if (button_ != Qt::NoButton || !DrawingButton(event.button)) return;
    button_ = event.button;
    from_ = to_ = At(event);
    state_.Changed(Area());
  }
  void Move(const PointerEvent& event) override {
    if (button_ == Qt::NoButton) return;
    const QRect before = Area();
    to_ = At(event);
    if (event.shift_alone())
      to_ = kind_ == Kind::Line ? ConstrainLine(from_, to_) : ConstrainSquare(from_, to_);
    state_.Changed(before | Area());
  }
  void Release(const PointerEvent& event) override {
    if (event.button != button_) return;
    Move(event);
    const Color color = ColorFor(button_);
    button_ = Qt::NoButton;
    state_.Changed(Draw(state_.image, QPoint(0, 0), color));
    state_.Finished(kind_ == Kind::Line ? "Line" : kind_ == Kind::Rectangle ? "Rectangle" : "Ellipse");
  }
  void PaintOverlay(Image& target, int left, int top) override {
    if (button_ != Qt::NoButton) Draw(target, QPoint(left, top), ColorFor(button_));
  }

 private:
  // The shape drawn into `target`, whose top-left pixel is the frame's `origin`.
  QRect Draw(Image& target, QPoint origin, Color color) const {
    const QPoint a = from_ - origin, b = to_ - origin;
    if (kind_ == Kind::Line) return DrawLine(target, a, b, state_.brush, color);
    return DrawShape(target, kind_ == Kind::Rectangle ? Shape::Rectangle : Shape::Ellipse, a, b,
                     state_.filled, state_.brush, color);
  }
  // Every pixel the preview may cover.
  QRect Area() const {
    const int reach = kind_ == Kind::Line ? state_.brush : 0;
    return CornerRect(from_, to_).adjusted(-reach, -reach, reach, reach);
  }

  const Kind kind_;
  Qt::MouseButton button_ = Qt::NoButton;
  QPoint from_, to_;
};

class FillTool : public PaintTool {
 public:
  using PaintTool::PaintTool;
  void Press(const PointerEvent& event) override {
    if (!DrawingButton(event.button)) return;
    const QRect changed = FloodFill(state_.image, event.x, event.y, ColorFor(event.button),
                                    state_.tolerance, state_.contiguous);
    if (changed.isEmpty()) return;
    state_.Changed(changed);
    state_.Finished("Fill");
  }
};

// Takes the colour under the pointer: the left button's into the primary
// colour, the right one's into the secondary.
class PickerTool : public PaintTool {
 public:
  using PaintTool::PaintTool;
  void Press(const PointerEvent& event) override {
    if (DrawingButton(event.button)) Pick(event, event.button);
  }
  void Move(const PointerEvent& event) override {
    if (event.buttons.testFlag(Qt::LeftButton)) Pick(event, Qt::LeftButton);
    else if (event.buttons.testFlag(Qt::RightButton)) Pick(event, Qt::RightButton);
  }

 private:
  void Pick(const PointerEvent& event, Qt::MouseButton button) {
    if (!QRect(0, 0, state_.image.width(), state_.image.height()).contains(At(event))) return;
    (button == Qt::RightButton ? state_.secondary : state_.primary) =
        state_.image.Pixel(event.x, event.y);
    if (state_.colors_changed) state_.colors_changed();
  }
};

}  // namespace

const std::array<DrawToolInfo, kDrawToolCount>& DrawToolTable() {
  static const std::array<DrawToolInfo, kDrawToolCount> table = {{
      {DrawToolKind::Pencil, "Pencil", Qt::Key_B},
      {DrawToolKind::Eraser, "Eraser", Qt::Key_E},
      {DrawToolKind::Line, "Line", Qt::Key_L},
      {DrawToolKind::Rectangle, "Rectangle", Qt::Key_R},
      {DrawToolKind::Ellipse, "Ellipse", Qt::Key_O},
      {DrawToolKind::Fill, "Fill", Qt::Key_G},
      {DrawToolKind::Picker, "Color picker", Qt::Key_I},
      {DrawToolKind::Select, "Select", Qt::Key_M},
  }};
  return table;
}

void SelectTool::Press(const PointerEvent& event) {
  if (event.button != Qt::LeftButton || drag_ != Drag::None) return;
  start_ = At(event);
  if (selection_.contains(start_)) {
    if (!lifted_) Lift();
    grab_ = start_ - selection_.topLeft();
    drag_ = Drag::Move;
    return;
  }
  Drop();
  drag_ = Drag::Select;
}

void SelectTool::Move(const PointerEvent& event) {
  if (drag_ == Drag::Move) PlaceAt(At(event) - grab_);
  if (drag_ == Drag::Select) {
    const QRect frame(0, 0, state_.image.width(), state_.image.height());
    SetSelection(CornerRect(start_, At(event)).intersected(frame));
  }
}

void SelectTool::Release(const PointerEvent& event) {
  if (event.button != Qt::LeftButton || drag_ == Drag::None) return;
  Move(event);
  const Drag drag = drag_;
  drag_ = Drag::None;
  if (drag == Drag::Select && At(event) == start_) SetSelection({});  // a click drops it
  if (drag == Drag::Move && At(event) != start_) state_.Finished("Move selection");
}

bool SelectTool::Key(const KeyEvent& event) {
  if (!has_selection() || drag_ != Drag::None) return false;
  if (event.key == Qt::Key_Delete || event.key == Qt::Key_Backspace) {
    Clear("Delete selection");
    return true;
  }
  if (event.key == Qt::Key_Escape) {
    Drop();
    return true;
  }
  return false;
}

void SelectTool::Drop() {
  lifted_ = false;
  picture_ = under_ = Image();
  drag_ = Drag::None;
  SetSelection({});
}

Image SelectTool::Copy() const {
  // Lifted pixels partly moved off the frame are copied whole.
  return lifted_ ? picture_ : CopyArea(state_.image, selection_);
}

void SelectTool::Clear(const std::string& text) {
  if (!has_selection()) return;
  const QRect area = selection_;
  Drop();
  state_.Changed(ClearArea(state_.image, area, EraseColor(state_.image, state_.secondary)));
  state_.Finished(text);
}

void SelectTool::Paste(const Image& picture, QPoint at) {
  if (picture.is_null()) return;
  Drop();
  picture_ = picture;
  lifted_ = true;
  const QRect placed(at, QSize(picture.width(), picture.height()));
  const QRect frame(0, 0, state_.image.width(), state_.image.height());
  under_at_ = placed.intersected(frame).topLeft();
  under_ = CopyArea(state_.image, placed);
  state_.Changed(PasteImage(state_.image, picture_, at));
  SetSelection(placed);
  state_.Finished("Paste");
}

void SelectTool::Lift() {
  picture_ = CopyArea(state_.image, selection_);
  ClearArea(state_.image, selection_, EraseColor(state_.image, state_.secondary));
  under_at_ = selection_.topLeft();
  under_ = CopyArea(state_.image, selection_);
  PasteImage(state_.image, picture_, under_at_);
  lifted_ = true;
}

void SelectTool::PlaceAt(QPoint at) {
  if (at == selection_.topLeft()) return;
  // What the lifted pixels covered comes back; then they cover the new place.
  QRect changed = PasteImage(state_.image, under_, under_at_);
  const QRect frame(0, 0, state_.image.width(), state_.image.height());
  const QRect placed = QRect(at, QSize(picture_.width(), picture_.height()));
  const QRect covered = placed.intersected(frame);
  under_at_ = covered.topLeft();
  under_ = CopyArea(state_.image, covered);
  changed |= PasteImage(state_.image, picture_, at);
  state_.Changed(changed);
  SetSelection(placed);
}

void SelectTool::SetSelection(const QRect& area) {
  // The outline is drawn just around the selection: one pixel more on each side.
  const QRect touched = selection_ | area;
  selection_ = area;
  if (!touched.isEmpty()) state_.Changed(touched.adjusted(-1, -1, 1, 1));
}

DrawTools::DrawTools(DrawState& state) {
  using Kind = DrawToolKind;
  const auto at = [this](Kind kind) -> std::unique_ptr<CanvasTool>& {
    return tools_[static_cast<size_t>(kind)];
  };
  at(Kind::Pencil) = std::make_unique<StrokeTool>(state, false);
  at(Kind::Eraser) = std::make_unique<StrokeTool>(state, true);
  at(Kind::Line) = std::make_unique<ShapeTool>(state, ShapeTool::Kind::Line);
  at(Kind::Rectangle) = std::make_unique<ShapeTool>(state, ShapeTool::Kind::Rectangle);
  at(Kind::Ellipse) = std::make_unique<ShapeTool>(state, ShapeTool::Kind::Ellipse);
  at(Kind::Fill) = std::make_unique<FillTool>(state);
  at(Kind::Picker) = std::make_unique<PickerTool>(state);
  at(Kind::Select) = std::make_unique<SelectTool>(state);
}

DrawTools::~DrawTools() = default;

}  // namespace vorlane

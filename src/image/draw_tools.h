// The frame editor's drawing tools, each a CanvasTool working on one shared
// DrawState: the frame being drawn, changed in place so that a pointer event
// costs only the pixels it touches, and the choices of the tool panel. The
// left button draws with the primary colour, the right one with the
// secondary. A finished stroke, shape, fill or selection change is reported
// once, so the editor makes it one step of its history.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "gui/canvas_tool.h"
#include "image/drawing.h"

namespace vorlane {

struct DrawState {
  Image image;  // the frame being drawn
  Color primary{0, 0, 0, 255};
  Color secondary{255, 255, 255, 255};
  int brush = 1;  // kMinBrush..kMaxBrush
  bool filled = false;
  int tolerance = 0;  // 0..255
  bool contiguous = true;

  // The pixels or the preview of this area changed (picture pixels).
  std::function<void(const QRect& area)> changed;
  // The image holds a finished change called `text`.
  std::function<void(const std::string& text)> finished;
  // The picker chose a colour.
  std::function<void()> colors_changed;

  void Changed(const QRect& area) const {
    if (changed && !area.isEmpty()) changed(area);
  }
  void Finished(const std::string& text) const {
    if (finished) finished(text);
  }
};

enum class DrawToolKind { Pencil, Eraser, Line, Rectangle, Ellipse, Fill, Picker, Select };
inline constexpr int kDrawToolCount = 8;

struct DrawToolInfo {
  DrawToolKind kind;
  const char* name;  // the tool bar's tooltip and the menu item
  int key;           // the one-key shortcut, a Qt::Key
};
// Every tool in tool bar order.
const std::array<DrawToolInfo, kDrawToolCount>& DrawToolTable();

// Drags out a rectangle; a drag starting inside the selection moves its
// pixels (cut and paste, leaving the erase colour), and they stay lifted
// until the selection is dropped, so a move off the frame and back loses
// nothing. Delete clears the selection, Escape drops it.
class SelectTool : public CanvasTool {
 public:
  explicit SelectTool(DrawState& state) : state_(state) {}
  void Press(const PointerEvent& event) override;
  void Move(const PointerEvent& event) override;
  void Release(const PointerEvent& event) override;
  bool Key(const KeyEvent& event) override;

  const QRect& selection() const { return selection_; }
  bool has_selection() const { return !selection_.isEmpty(); }
  // Forgets the selection (the image is not touched).
  void Drop();
  // The selected pixels; null without a selection.
  Image Copy() const;
  // Clears the selected pixels to the erase colour, as a step called `text`.
  void Clear(const std::string& text);
  // Writes `picture` at `at` as a lifted selection, one step.
  void Paste(const Image& picture, QPoint at);

 private:
  void Lift();
  void PlaceAt(QPoint at);
  void SetSelection(const QRect& area);

  DrawState& state_;
  QRect selection_;
  enum class Drag { None, Select, Move } drag_ = Drag::None;
  QPoint start_;    // where the drag began
  QPoint grab_;     // the pointer's place in the lifted pixels
  bool lifted_ = false;
  Image picture_;   // the lifted pixels
  Image under_;     // what they cover, from under_at_
  QPoint under_at_;
};

// All the tools over one state.
class DrawTools {
 public:
  explicit DrawTools(DrawState& state);
  ~DrawTools();
  CanvasTool& tool(DrawToolKind kind) { return *tools_[static_cast<size_t>(kind)]; }
  SelectTool& select() { return static_cast<SelectTool&>(tool(DrawToolKind::Select)); }

 private:
  std::array<std::unique_ptr<CanvasTool>, kDrawToolCount> tools_;
};

}  // namespace vorlane

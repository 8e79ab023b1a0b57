// The frame editor's drawing: the canvas, the tool panel, the selection's
// clipboard operations and the zoom.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/image_view.h"
#include "image/frame_edits.h"
#include "image/ui/draw_panel.h"
#include "image/ui/drawing_canvas.h"
#include "image/ui/frame_editor.h"

namespace vorlane {
namespace {

constexpr int kViewLeft = 20 + DrawPanel::kWidth, kViewTop = 45;
constexpr int kPaletteCap = 192;  // what the panel's palette shows

// The clipboard's picture as a frame, null when it holds none or one too
// large for a frame.
Image ClipboardPicture() {
  QImage q = QGuiApplication::clipboard()->image();
  if (q.isNull() || q.width() > kMaxFrameSide || q.height() > kMaxFrameSide) return Image();
  const bool alpha = q.hasAlphaChannel();
  q.convertTo(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  Image picture =
      alpha ? Image::Transparent(q.width(), q.height()) : Image::Opaque(q.width(), q.height());
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(picture.row(y), q.constScanLine(y), static_cast<size_t>(picture.width()) * 4);
  return picture;
}

// The next zoom in the doubling series 1, 2, 4 ... 64, `steps` up or down.
int StepZoom(int zoom, int steps) {
  for (; steps > 0; --steps) zoom = std::min(zoom * 2, Canvas::kMaxZoom);
  for (; steps < 0; ++steps) zoom = std::max(zoom / 2, 1);
  return zoom;
}

}  // namespace

void FrameEditor::BuildDrawing(QWidget* body) {
  draw_tools_ = std::make_unique<DrawTools>(draw_);
  panel_ = new DrawPanel(body, draw_);
  panel_->setGeometry(10, kViewTop, DrawPanel::kWidth, kStripTop - kViewTop - 10);
  view_ = new QScrollArea(body);
  view_->setGeometry(kViewLeft, kViewTop, width() - kViewLeft - 10, kStripTop - kViewTop - 10);
  view_->setAlignment(Qt::AlignCenter);
  view_->setBackgroundRole(QPalette::Dark);
  canvas_ = new DrawingCanvas(nullptr, draw_, draw_tools_->select());
  view_->setWidget(canvas_);
  zoom_label_ = MakeLabel(this, "", 10, height() - 33, 200, 20);

  draw_.changed = [this](const QRect& area) {
    canvas_->UpdatePicture(area);
    const bool selected = draw_tools_->select().has_selection();
    if (delete_selection_->isEnabled() == selected) return;
    // The Delete key clears the selection while there is one.
    delete_selection_->setEnabled(selected);
    delete_selection_->setShortcut(selected ? QKeySequence(Qt::Key_Delete) : QKeySequence());
    delete_frame_->setShortcut(selected ? QKeySequence() : QKeySequence(Qt::Key_Delete));
  };
  draw_.finished = [this](const std::string& text) { StoreDrawing(text); };
  draw_.colors_changed = [this] { panel_->ShowColors(); };
  panel_->SetToolChosen([this](DrawToolKind kind) { ChooseTool(kind); });
  panel_->SetOnionChanged([this] { ShowOnion(); });
  canvas_->SetWheel([this](int steps, QPoint at) { ZoomAt(StepZoom(canvas_->zoom(), steps), at); });
  ChooseTool(DrawToolKind::Pencil);
}

void FrameEditor::BuildDrawMenus(QMenu* edit) {
  using K = QKeySequence;
  edit->addSeparator();
  AddAction(edit, "Cut\tCtrl + X",
            [this] {
              CopySelection();
              draw_tools_->select().Clear("Cut");
            },
            {K("Ctrl+X")});
  AddAction(edit, "Copy\tCtrl + C", [this] { CopySelection(); }, {K("Ctrl+C")});
  AddAction(edit, "Paste\tCtrl + V", [this] { PasteSelection(); }, {K("Ctrl+V")});
  delete_selection_ = AddAction(edit, "Delete selection\tDelete",
                                [this] { draw_tools_->select().Clear("Delete selection"); });
  delete_selection_->setEnabled(false);
  AddAction(edit, "Paste as new frame\tCtrl + Shift + V", [this] { PasteAsFrame(); },
            {K("Ctrl+Shift+V")});

  QMenu* view = menu_bar_->addMenu("View");
  AddAction(view, "Zoom in\tCtrl + +",
            [this] { ZoomAt(StepZoom(canvas_->zoom(), 1), QPoint(-1, -1)); },
            {K("Ctrl++"), K("Ctrl+=")});
  AddAction(view, "Zoom out\tCtrl + -",
            [this] { ZoomAt(StepZoom(canvas_->zoom(), -1), QPoint(-1, -1)); }, {K("Ctrl+-")});
  AddAction(view, "Fit in window\tCtrl + 0", [this] { FitZoom(); }, {K("Ctrl+0")});

  QMenu* tools = menu_bar_->addMenu("Tools");
  for (const DrawToolInfo& info : DrawToolTable())
    AddAction(tools, QString("%1\t%2").arg(info.name, K(info.key).toString()),
              [this, kind = info.kind] { ChooseTool(kind); }, {K(info.key)});
}

void FrameEditor::ChooseTool(DrawToolKind kind) {
  if (kind != DrawToolKind::Select) draw_tools_->select().Drop();
  tool_kind_ = kind;
  canvas_->SetTool(&draw_tools_->tool(kind));
  panel_->ShowTool(kind);
}

void FrameEditor::LoadFrame() {
  const bool shown = layout_.Position(current_) >= 0;
  const ImageRef frame = shown ? project_.frames[static_cast<size_t>(current_)].image : nullptr;
  if (frame != drawn_ || current_ != drawn_frame_) {
    // Another frame, or the history changed this one: what was lifted
    // belongs to the old picture.
    draw_tools_->select().Drop();
    drawn_ = frame;
    drawn_frame_ = current_;
    const QSize size_before(draw_.image.width(), draw_.image.height());
    draw_.image = frame ? *frame : Image();
    canvas_->Reload();
    if (size_before != QSize(draw_.image.width(), draw_.image.height())) FitZoom();
  }
  ShowOnion();
}

void FrameEditor::ShowOnion() {
  const int k = layout_.Position(current_);
  const auto near = [&](int position) -> ImageRef {
    if (!panel_->onion() || k < 0 || position < 0 || position >= layout_.count()) return nullptr;
    return project_.frames[static_cast<size_t>(layout_.frame_index(position))].image;
  };
  canvas_->SetOnion(near(k - 1), near(k + 1));
}

void FrameEditor::RefreshPalette() {
  std::vector<const Image*> pictures;
  for (int index : SpriteFrames(project_, sprite_))
    pictures.push_back(project_.frames[static_cast<size_t>(index)].image.get());
  panel_->SetPalette(PictureColors(pictures, kPaletteCap));
}

void FrameEditor::StoreDrawing(const std::string& text) {
  if (layout_.Position(current_) < 0) return;
  stack_.Apply(text, [this](Project& project) {
    project.frames[static_cast<size_t>(current_)].image = ShareImage(draw_.image);
  });
  drawn_ = project_.frames[static_cast<size_t>(current_)].image;
  strip_->update();
  RefreshPalette();
}

void FrameEditor::ZoomAt(int zoom, QPoint at) {
  if (zoom == canvas_->zoom()) return;
  QWidget* port = view_->viewport();
  // Without a pointer, the middle of what is shown stays in place.
  if (at.x() < 0) at = canvas_->mapFrom(port, port->rect().center());
  const QPoint on_screen = canvas_->mapTo(port, at);
  const QPointF picture = QPointF(at) / canvas_->zoom();
  canvas_->SetZoom(zoom);
  view_->horizontalScrollBar()->setValue(static_cast<int>(picture.x() * zoom) - on_screen.x());
  view_->verticalScrollBar()->setValue(static_cast<int>(picture.y() * zoom) - on_screen.y());
  zoom_label_->setText(QString("Zoom: %1%").arg(zoom * 100));
}

void FrameEditor::FitZoom() {
  const QSize room = view_->size() - QSize(4, 4);  // inside the frame
  const int w = std::max(draw_.image.width(), 1), h = std::max(draw_.image.height(), 1);
  ZoomAt(std::clamp(std::min(room.width() / w, room.height() / h), 1, Canvas::kMaxZoom),
         QPoint(-1, -1));
  zoom_label_->setText(QString("Zoom: %1%").arg(canvas_->zoom() * 100));
}

void FrameEditor::CopySelection() {
  const Image picture = draw_tools_->select().Copy();
  if (!picture.is_null()) QGuiApplication::clipboard()->setImage(ToQImage(picture));
}

void FrameEditor::PasteSelection() {
  const Image picture = ClipboardPicture();
  if (picture.is_null() || layout_.Position(current_) < 0) return;
  ChooseTool(DrawToolKind::Select);
  // At the top-left pixel on screen, so the pasted picture is in sight.
  const QPoint corner = canvas_->ToPicture(canvas_->mapFrom(view_->viewport(), QPoint(0, 0)));
  draw_tools_->select().Paste(picture, QPoint(std::max(corner.x(), 0), std::max(corner.y(), 0)));
}

void FrameEditor::PasteAsFrame() {
  const Image picture = ClipboardPicture();
  if (picture.is_null()) {
    Dialogs().Message(this, "Paste as new frame", "The clipboard holds no picture.");
    return;
  }
  AddPicture(picture);
}

}  // namespace vorlane

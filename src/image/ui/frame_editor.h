// "Edit sprite frames": the current frame large on a zoomable canvas with
// the drawing tools beside it, the frames of the sprite in a strip below,
// and the file, frame, selection, transform and effect operations in the
// menus and the button row. Every operation, stroke and shape is one undo
// step while the window is open; "Done" closes it, marking the project
// modified and rebuilding the sprite's thumbnail.
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/draw_tools.h"
#include "image/ui/effect_dialog.h"
#include "image/ui/frame_strip.h"
#include "project/edit_stack.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace vorlane {

class Canvas;
class DrawingCanvas;
class DrawPanel;

class FrameEditor : public QDialog {
  Q_OBJECT
 public:
  // Where the strip starts: the drawing canvas and its tools lie above.
  static constexpr int kStripTop = 520;

  FrameEditor(QWidget* parent, EditStack& history, const std::string& sprite);
  ~FrameEditor() override;

  // The current frame, an index into the project's frame list (-1: none).
  int current() const { return current_; }
  void SetCurrent(int frame_index);

  // For tests: a menu item by its text (with or without the shortcut part),
  // a button of the row by its tooltip.
  QAction* action(const QString& text) const;
  QToolButton* button(const QString& tip) const;
  QMenuBar* menu_bar() const { return menu_bar_; }
  QPushButton* done_button() const { return done_; }
  Canvas* strip() const { return strip_; }
  DrawingCanvas* canvas() const { return canvas_; }
  DrawPanel* panel() const { return panel_; }
  DrawTools& draw_tools() { return *draw_tools_; }
  DrawState& draw_state() { return draw_; }
  DrawToolKind tool() const { return tool_kind_; }
  void ChooseTool(DrawToolKind kind);
  const FrameStripLayout& layout() const { return layout_; }
  EditStack& stack() { return stack_; }

  // Escape and the window's close button do not end the editor: "Done" does.
  void reject() override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  using Operation = std::function<void()>;
  void BuildMenus();
  void BuildButtons(QWidget* body);
  QAction* AddAction(QMenu* menu, const QString& text, const Operation& run,
                     const QList<QKeySequence>& keys = {});

  void BuildDrawing(QWidget* body);
  void BuildDrawMenus(QMenu* edit);

  // The frame being drawn follows the current frame as the project holds it.
  void LoadFrame();
  void ShowOnion();
  void RefreshPalette();
  // The drawn frame into the project, as one step.
  void StoreDrawing(const std::string& text);
  // Zoom keeping the canvas point `at` under the pointer.
  void ZoomAt(int zoom, QPoint at);
  void FitZoom();
  void CopySelection();
  void PasteSelection();
  void PasteAsFrame();

  void NewFrames();
  void AddFromFile();
  void AddPicture(const Image& picture);
  void SaveStrip();
  // A frame operation returning the new current frame, as one step.
  void FrameStep(const std::string& text, const std::function<int(Project&)>& change);
  void ChangeSize(bool stretch);
  void RunEffect(EffectKind kind);
  void Undo();
  void Redo();
  void OnHistoryChanged();
  void OnDone();
  // Shows the frames as the project holds them now.
  void Refresh();

  Project& project_;
  const std::string sprite_;
  EditStack& stack_;
  const EditStack::Mark opened_;  // undo and redo reach the steps made since
  int current_ = -1;
  FrameStripLayout layout_;
  std::unique_ptr<FrameStripTool> tool_;
  QMenuBar* menu_bar_;
  std::vector<QAction*> actions_;
  std::vector<QToolButton*> buttons_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QScrollArea* scroll_;
  Canvas* strip_;
  // Drawing: the tools work on draw_.image, a copy of the frame `drawn_`
  // that the history put there; a finished change stores a new copy.
  DrawState draw_;
  std::unique_ptr<DrawTools> draw_tools_;
  DrawToolKind tool_kind_ = DrawToolKind::Pencil;
  ImageRef drawn_;
  int drawn_frame_ = -1;
  QScrollArea* view_;  // holds canvas_
  DrawingCanvas* canvas_;
  DrawPanel* panel_;
  QLabel* zoom_label_;
  // The one of these two holding the Delete key: the selection's while there is one.
  QAction* delete_frame_ = nullptr;
  QAction* delete_selection_ = nullptr;
  QPushButton* done_;
};

}  // namespace vorlane

// "Edit sprite frames": the frames of one sprite in a strip, with the file,
// frame, transform and effect operations in the menus and the button row.
// Every operation is one undo step while the window is open; "Done" closes
// it, marking the project modified and rebuilding the sprite's thumbnail.
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "image/ui/effect_dialog.h"
#include "image/ui/frame_strip.h"
#include "project/edit_stack.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace vorlane {

class Canvas;

class FrameEditor : public QDialog {
  Q_OBJECT
 public:
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

  void NewFrames();
  void AddFromFile();
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
  QPushButton* done_;
};

}  // namespace vorlane

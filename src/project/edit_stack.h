// The undo history of an open editor. Every user action is one step (a
// Shift-drag that places twenty instances is one step); a step remembers
// what the action changed in the project's lists, so undoing a deletion
// brings back everything the deletion took with it: instances, scripts,
// tiles, layers.
//
// Changes made to the project past the stack (a code dialog writing a
// script) become steps of their own before the next step, undo or redo, so
// the history always describes the project as it is. Changes only to what
// is never stored (selection, display images, thumbnails) make no step.
//
// While a stack is open the project's "modified" flag follows it: modified
// when the project was modified before, or when the history is not at the
// state it had when opened (or last saved).
#pragma once

#include <QUndoStack>
#include <functional>
#include <string>

#include "project/model.h"

namespace vorlane {

class EditStack {
 public:
  // `limit` caps the steps kept, so a long session cannot fill memory.
  explicit EditStack(Project& project, int limit = 200);
  ~EditStack();  // ends a step still open
  EditStack(const EditStack&) = delete;
  EditStack& operator=(const EditStack&) = delete;

  // Runs `change` on the project as one step called `text`.
  void Apply(const std::string& text, const std::function<void(Project&)>& change);

  // A step made of several events (press, moves, release). Begin and End
  // nest: only the outermost pair makes a step.
  void Begin(const std::string& text);
  void End();
  bool in_step() const { return depth_ > 0; }

  bool Undo();  // false when there is nothing to undo (or a step is open)
  bool Redo();
  bool can_undo() const { return stack_.canUndo(); }
  bool can_redo() const { return stack_.canRedo(); }
  std::string undo_text() const { return stack_.undoText().toStdString(); }
  std::string redo_text() const { return stack_.redoText().toStdString(); }
  int count() const { return stack_.count(); }

  // The project was saved: its present state is the unmodified one.
  void MarkSaved();

  // To hear of every change (indexChanged, cleanChanged). Undo and redo go
  // through this class, never straight to the QUndoStack.
  const QUndoStack& undo_stack() const { return stack_; }

 private:
  bool Move(bool back);  // one step back (undo) or forward (redo)
  // Records what changed since the last step as a step named `text`.
  void Record(const std::string& text);
  void PublishModified();

  Project& project_;
  // The project as the history last left it: the "before" of the next step.
  Project known_;
  QUndoStack stack_;
  bool modified_before_;
  int depth_ = 0;
  std::string step_text_;
};

}  // namespace vorlane

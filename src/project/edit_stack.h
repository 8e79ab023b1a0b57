// The undo history of the open project. Every user action is one step,
// wherever it is made (a Shift-drag that places twenty instances, a
// property dialog's "Done", a deletion in the main window); a step
// remembers what the action changed in the project's lists, so undoing a
// deletion brings back everything the deletion took with it: instances,
// scripts, tiles, layers. Closing an editor keeps its steps.
//
// Changes made to the project past the stack (a dialog writing a script)
// become a step of their own before the next step, undo or redo, so the
// history always describes the project as it is. Records hold only what the
// project file stores, so selecting or redrawing makes no step.
//
// The project's "modified" flag follows the history: modified when the
// history is not where it was at the last save (or at the start, for a
// project that was unmodified then), or when something the history cannot
// take back changed since.
#pragma once

#include <QUndoStack>
#include <cstdint>
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

  Project& project() { return project_; }

  // A fresh, empty history for the project as it is now (New, Open, a
  // restored recovery file).
  void Reset();

  // Runs `change` on the project as one step called `text`.
  void Apply(const std::string& text, const std::function<void(Project&)>& change);
  // Makes what changed since the last step one step called `text` (what a
  // dialog stored on "Done"). Nothing changed, no step.
  void Commit(const std::string& text);
  // What a step of changes made past the stack is called, while a window
  // that changes the project directly is open (kChanges otherwise).
  static constexpr char kChanges[] = "Changes";
  void SetLooseText(std::string text) { loose_text_ = std::move(text); }

  // A step made of several events (press, moves, release). Begin and End
  // nest: only the outermost pair makes a step.
  void Begin(const std::string& text);
  void End();
  bool in_step() const { return depth_ > 0; }

  // A point in the history. An editor takes one when it opens and undoes
  // and redoes only the steps made after it, so it never takes back the
  // step that made what it shows. 0 reaches every step. Changes made past
  // the stack so far become a step before the point.
  using Mark = std::uint64_t;
  Mark MarkHere();

  // One step back or forward; false when there is none after `since` (or a
  // step is open).
  bool Undo(Mark since = 0);
  bool Redo(Mark since = 0);
  bool can_undo(Mark since = 0) const;
  bool can_redo(Mark since = 0) const;
  std::string undo_text() const { return stack_.undoText().toStdString(); }
  std::string redo_text() const { return stack_.redoText().toStdString(); }
  int count() const { return stack_.count(); }

  // The project was saved: its present state is the unmodified one.
  void MarkSaved();
  // Something the history cannot take back changed (a media file replaced
  // in the working folder): the project stays modified until it is saved.
  void MarkChangedOutside();

  // To hear of every change (indexChanged, cleanChanged). Undo and redo go
  // through this class, never straight to the QUndoStack.
  const QUndoStack& undo_stack() const { return stack_; }

 private:
  bool Move(bool back, Mark since);  // one step back (undo) or forward (redo)
  // The serial of the step at `index` of the stack, or none (-1).
  std::int64_t SerialAt(int index) const;
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
  std::string loose_text_ = kChanges;
  Mark next_serial_ = 1;
};

}  // namespace vorlane

#include "project/edit_stack.h"

#include <QUndoCommand>

#include "project/project_diff.h"

namespace vorlane {
namespace {

// One step, applied to the project and to the stack's copy of it alike.
// The change is already made when the step is pushed, so the first redo()
// (which QUndoStack::push calls) does nothing.
class ProjectEdit : public QUndoCommand {
 public:
  ProjectEdit(Project& project, Project& known, const std::string& text, ProjectDiff diff,
              EditStack::Mark serial)
      : QUndoCommand(QString::fromStdString(text)),
        serial_(serial),
        project_(project),
        known_(known),
        diff_(std::move(diff)) {}

  void undo() override {
    RevertDiff(project_, diff_);
    RevertDiff(known_, diff_);
  }
  void redo() override {
    if (pushed_) {
      ReapplyDiff(project_, diff_);
      ReapplyDiff(known_, diff_);
    }
    pushed_ = true;
  }

  const EditStack::Mark serial_;

 private:
  Project& project_;
  Project& known_;
  ProjectDiff diff_;
  bool pushed_ = false;
};

}  // namespace

EditStack::EditStack(Project& project, int limit)
    : project_(project), known_(project), modified_before_(project.modified != 0) {
  stack_.setUndoLimit(limit);
}

EditStack::~EditStack() {
  if (depth_ > 0) {
    depth_ = 1;
    End();
  }
}

void EditStack::Reset() {
  depth_ = 0;
  stack_.clear();
  known_ = project_;
  modified_before_ = project_.modified != 0;
}

void EditStack::Apply(const std::string& text, const std::function<void(Project&)>& change) {
  Begin(text);
  change(project_);
  End();
}

void EditStack::Commit(const std::string& text) {
  if (depth_ > 0) return;  // the open step takes the changes
  Record(text);
  PublishModified();
}

void EditStack::Begin(const std::string& text) {
  if (depth_++ > 0) return;
  Record(loose_text_);
  step_text_ = text;
}

void EditStack::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  Record(step_text_);
  PublishModified();
}

EditStack::Mark EditStack::MarkHere() {
  if (depth_ == 0) Record(loose_text_);
  return next_serial_;
}

bool EditStack::Undo(Mark since) { return Move(true, since); }
bool EditStack::Redo(Mark since) { return Move(false, since); }

std::int64_t EditStack::SerialAt(int index) const {
  if (index < 0 || index >= stack_.count()) return -1;
  return static_cast<std::int64_t>(static_cast<const ProjectEdit*>(stack_.command(index))->serial_);
}

bool EditStack::can_undo(Mark since) const {
  return depth_ == 0 && SerialAt(stack_.index() - 1) >= static_cast<std::int64_t>(since);
}

bool EditStack::can_redo(Mark since) const {
  return depth_ == 0 && SerialAt(stack_.index()) >= static_cast<std::int64_t>(since);
}

bool EditStack::Move(bool back, Mark since) {
  if (depth_ > 0) return false;
  Record(loose_text_);
  if (back ? !can_undo(since) : !can_redo(since)) return false;
  back ? stack_.undo() : stack_.redo();
  PublishModified();
  return true;
}

void EditStack::MarkSaved() {
  Record(loose_text_);
  modified_before_ = false;
  stack_.setClean();
  PublishModified();
}

void EditStack::MarkChangedOutside() {
  modified_before_ = true;
  PublishModified();
}

void EditStack::Record(const std::string& text) {
  ProjectDiff diff = DiffProjects(known_, project_);
  if (diff.empty()) return;
  ReapplyDiff(known_, diff);
  stack_.push(new ProjectEdit(project_, known_, text, std::move(diff), next_serial_++));
}

void EditStack::PublishModified() {
  SetModified(project_, modified_before_ || !stack_.isClean() ? 1 : 0);
}

}  // namespace vorlane

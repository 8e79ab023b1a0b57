#include "project/edit_stack.h"

#include <QUndoCommand>

#include "project/project_diff.h"

namespace vorlane {
namespace {

constexpr char kOutsideStep[] = "Changes";

// One step, applied to the project and to the stack's copy of it alike.
// The change is already made when the step is pushed, so the first redo()
// (which QUndoStack::push calls) does nothing.
class ProjectEdit : public QUndoCommand {
 public:
  ProjectEdit(Project& project, Project& known, const std::string& text, ProjectDiff diff)
      : QUndoCommand(QString::fromStdString(text)),
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

void EditStack::Apply(const std::string& text, const std::function<void(Project&)>& change) {
  Begin(text);
  change(project_);
  End();
}

void EditStack::Begin(const std::string& text) {
  if (depth_++ > 0) return;
  Record(kOutsideStep);
  step_text_ = text;
}

void EditStack::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  Record(step_text_);
  PublishModified();
}

bool EditStack::Undo() { return Move(true); }
bool EditStack::Redo() { return Move(false); }

bool EditStack::Move(bool back) {
  if (depth_ > 0) return false;
  Record(kOutsideStep);
  if (back ? !stack_.canUndo() : !stack_.canRedo()) return false;
  back ? stack_.undo() : stack_.redo();
  PublishModified();
  return true;
}

void EditStack::MarkSaved() {
  Record(kOutsideStep);
  modified_before_ = false;
  stack_.setClean();
  PublishModified();
}

void EditStack::Record(const std::string& text) {
  ProjectDiff diff = DiffProjects(known_, project_);
  if (diff.empty()) return;
  ReapplyDiff(known_, diff);
  stack_.push(new ProjectEdit(project_, known_, text, std::move(diff)));
}

void EditStack::PublishModified() {
  SetModified(project_, modified_before_ || !stack_.isClean() ? 1 : 0);
}

}  // namespace vorlane

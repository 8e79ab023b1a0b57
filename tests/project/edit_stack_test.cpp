// Undo exactness is proven here, once, over random edits of every kind; the
// editors' tests only check that their keys and buttons reach the stack.
#include "project/edit_stack.h"

#include <gtest/gtest.h>

#include <random>

#include "project/project_diff.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

// Random edits of every kind, deletions of objects with their instances and
// scripts among them, and changes made past the stack: undoing them all gives
// back the first project and redoing them all the last, record for record.
TEST(EditStack, RandomEditsUndoAndRedoExactly) {
  std::mt19937 random(7);
  Project p = test::SampleProject();
  const auto stored = [](Project q) { return q.uid = 0, ProjectXml(q); };  // uid is no edit
  const std::string start = stored(p);
  EditStack stack(p, 1000);
  const auto pick = [&](size_t n) { return random() % n; };
  for (int step = 0; step < 400; ++step) {
    const std::string name = "i" + std::to_string(step);
    const auto edit = [&](Project& q) {
      unsigned kind = random() % 7;
      if (q.objects.empty()) kind = 0;  // something to edit first
      if (q.scripts.empty() && kind == 4) kind = 3;
      const size_t o = q.objects.empty() ? 0 : pick(q.objects.size());
      switch (kind) {
        case 0: q.objects.push_back({.prototype = 0, .name = name}); break;
        case 1: q.objects.erase(q.objects.begin() + o); break;
        case 2: q.objects[o].x = step; break;
        case 3: NewScript(q, q.objects[o].name, "Step", ""); break;
        case 4: DeleteObject(q, q.scripts[pick(q.scripts.size())].object); break;
        case 5: q.settings.title = name; break;
        case 6: q.scenes[0].code = name, NewSprite(q); break;
      }
    };
    if (step % 10 == 9)
      edit(p);  // a dialog writing straight into the project
    else
      stack.Apply("edit", edit);
  }
  stack.Apply("last", [](Project& q) { q.settings.comments = "last"; });
  const std::string end = stored(p);
  while (stack.Undo()) {
  }
  EXPECT_EQ(stored(p), start);
  EXPECT_EQ(p.modified, 0);
  while (stack.Redo()) {
  }
  EXPECT_EQ(stored(p), end);
}

// The modified flag follows the history, a save included; a project
// modified before stays modified; the limit holds. A drag is one step, even
// with nested steps inside, and cannot be undone half-way; a change of
// nothing stored (selection, pictures) makes no step.
TEST(EditStack, ModifiedFlagLimitAndSteps) {
  Project p = test::SampleProject();
  EditStack stack(p);
  stack.Apply("Move", [](Project& q) { q.objects[2].x += 5; });
  EXPECT_EQ(p.modified, 1);
  EXPECT_EQ(stack.undo_text(), "Move");
  ASSERT_TRUE(stack.Undo());
  EXPECT_EQ(p.modified, 0);
  ASSERT_TRUE(stack.Redo());
  stack.MarkSaved();
  EXPECT_EQ(p.modified, 0);
  stack.Undo();
  EXPECT_EQ(p.modified, 1);
  Project r = test::SampleProject();
  r.modified = 1;  // modified before the history began: undoing all of it keeps it so
  EditStack from_modified(r);
  from_modified.Apply("Move", [](Project& s) { s.objects[2].x += 5; });
  from_modified.Undo();
  EXPECT_EQ(r.modified, 1);
  Project q = test::SampleProject();
  q.modified = 1;
  EditStack limited(q, 3);
  for (int i = 0; i < 5; ++i) limited.Apply("Move", [](Project& r) { r.objects[3].y += 1; });
  while (limited.Undo()) {
  }
  EXPECT_EQ(q.objects[3].y, 50);
  EXPECT_EQ(q.modified, 1);

  stack.Begin("Paint");
  for (int i = 0; i < 2; ++i) {
    stack.Begin("Place");
    p.objects.push_back({.prototype = 0, .name = "SceneObject" + std::to_string(NextUID(p))});
    stack.End();
    EXPECT_FALSE(stack.Undo());
  }
  stack.End();
  EXPECT_EQ(stack.undo_text(), "Paint");
  stack.Undo();
  EXPECT_EQ(p.objects.size(), 4u);
}

// A step keeps only the stretch of a list that changed, so a long history
// of small edits to a large project stays small.
TEST(EditStack, DiffKeepsOnlyTheChangedStretch) {
  Project before;
  for (int i = 0; i < 1000; ++i) before.objects.push_back({.name = "o" + std::to_string(i)});
  Project after = before;
  after.objects.insert(after.objects.begin() + 500, GameObject{.name = "new"});
  after.objects[700].x = 3;
  const ProjectDiff diff = DiffProjects(before, after);
  EXPECT_EQ(diff.objects.at, 500u);
  EXPECT_EQ(diff.objects.before.size(), 200u);
  EXPECT_EQ(diff.objects.after.size(), 201u);
  EXPECT_TRUE(diff.scripts.empty());
}

}  // namespace
}  // namespace vorlane

#include "project/edit_stack.h"

#include <gtest/gtest.h>

#include <random>

#include "project/project_diff.h"
#include "project/rename.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

TEST(EditStack, StepsUndoAndRedoAndTheModifiedFlagFollows) {
  Project p = test::SampleProject();
  const Project start = p;
  EditStack stack(p);
  stack.Apply("Move", [](Project& q) { q.objects[2].x += 5; });
  EXPECT_EQ(p.modified, 1);
  EXPECT_EQ(stack.undo_text(), "Move");
  const Project moved = p;

  ASSERT_TRUE(stack.Undo());
  EXPECT_EQ(p.objects, start.objects);
  EXPECT_EQ(p.modified, 0);
  EXPECT_FALSE(stack.Undo());
  ASSERT_TRUE(stack.Redo());
  EXPECT_EQ(p.objects, moved.objects);
  EXPECT_EQ(p.modified, 1);

  stack.MarkSaved();
  EXPECT_EQ(p.modified, 0);
  stack.Undo();
  EXPECT_EQ(p.modified, 1);  // before the save is modified too
}

TEST(EditStack, OneStepPerActionAndNoneForNothingStored) {
  Project p = test::SampleProject();
  EditStack stack(p);
  // A drag: press, moves, release, with a nested step inside.
  stack.Begin("Paint");
  for (int i = 0; i < 3; ++i) {
    stack.Begin("Place");
    p.objects.push_back({.prototype = 0, .name = "SceneObject" + std::to_string(NextUID(p))});
    stack.End();
    EXPECT_TRUE(stack.in_step());
    EXPECT_FALSE(stack.Undo());  // not in the middle of a drag
  }
  stack.End();
  EXPECT_EQ(stack.count(), 1);
  EXPECT_EQ(stack.undo_text(), "Paint");

  stack.Apply("Nothing", [](Project&) {});
  stack.Apply("Select", [](Project& q) {
    q.objects[2].selected = 1;
    q.objects[2].displayimage = ShareImage(Image::Opaque(1, 1));
  });
  EXPECT_EQ(stack.count(), 1);
  stack.Undo();
  EXPECT_EQ(p.objects.size(), 4u);
  EXPECT_EQ(p.objects[2].selected, 1);  // selection is not part of the history
  EXPECT_EQ(p.modified, 0);
}

TEST(EditStack, ChangesMadePastTheStackBecomeStepsOfTheirOwn) {
  Project p = test::SampleProject();
  const Project start = p;
  EditStack stack(p);
  stack.Apply("Delete", [&](Project& q) { DeleteObject(q, "obj_wall"); });  // and its last script
  // A code dialog removes a script straight from the project: the position
  // the deletion step remembers must still fit when it is undone.
  p.scripts.erase(p.scripts.begin());
  p.scenes[0].code = "other();";
  ASSERT_TRUE(stack.Undo());  // undoes the outside change first
  ASSERT_TRUE(stack.Undo());
  EXPECT_EQ(p.scripts, start.scripts);
  EXPECT_EQ(p.objects, start.objects);
  EXPECT_EQ(p.scenes, start.scenes);
  EXPECT_EQ(p.modified, 0);
}

TEST(EditStack, AProjectModifiedBeforeStaysModifiedAndTheLimitHolds) {
  Project p = test::SampleProject();
  p.modified = 1;
  EditStack stack(p, 3);
  for (int i = 0; i < 5; ++i) stack.Apply("Move", [](Project& q) { q.objects[3].y += 1; });
  EXPECT_EQ(stack.count(), 3);
  while (stack.Undo()) {
  }
  EXPECT_EQ(p.objects[3].y, 50);
  EXPECT_EQ(p.modified, 1);
}

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
  Project undone = after;
  RevertDiff(undone, diff);
  EXPECT_EQ(undone.objects, before.objects);
}

// Random edits of every kind, deletions of objects with their instances and
// scripts among them: undoing them all gives back the first project and
// redoing them all the last, record for record.
TEST(EditStack, RandomEditsUndoAndRedoExactly) {
  std::mt19937 random(7);
  Project p = test::SampleProject();
  const Project start = p;
  EditStack stack(p, 1000);
  for (int step = 0; step < 300; ++step) {
    const int what = static_cast<int>(random() % 5);
    stack.Apply("edit", [&](Project& q) {
      const auto pick = [&](size_t n) { return n ? random() % n : 0; };
      switch (what) {
        case 0: q.objects.push_back({.prototype = 0, .name = "i" + std::to_string(step)}); break;
        case 1:
          if (!q.objects.empty()) q.objects.erase(q.objects.begin() + pick(q.objects.size()));
          break;
        case 2: if (!q.objects.empty()) q.objects[pick(q.objects.size())].x = step; break;
        case 3:  // a script of an object, so that deletions take from two lists
          NewScript(q, q.objects.empty() ? "o" : q.objects[pick(q.objects.size())].name, "Step",
                    "");
          break;
        case 4:
          if (!q.scripts.empty()) DeleteObject(q, q.scripts[pick(q.scripts.size())].object);
          break;
      }
    });
  }
  const Project end = p;
  while (stack.Undo()) {
  }
  EXPECT_EQ(p.objects, start.objects);
  EXPECT_EQ(p.scripts, start.scripts);
  while (stack.Redo()) {
  }
  EXPECT_EQ(p.objects, end.objects);
  EXPECT_EQ(p.scripts, end.scripts);
}

}  // namespace
}  // namespace vorlane

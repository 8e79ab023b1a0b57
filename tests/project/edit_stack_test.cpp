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
  const auto stored = [](const Project& q) { return ProjectXml(q); };
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

// An editor's undo and redo reach only the steps made since it opened;
// changes made before, past the stack, are a step before its mark. A
// commit without a change makes no step; a change the history cannot take
// back keeps the project modified; a reset starts an empty history.
TEST(EditStack, MarksCommitsAndReset) {
  Project p = test::SampleProject();
  EditStack stack(p);
  p.objects[2].x = 2;  // a dialog writing straight into the project
  const EditStack::Mark mark = stack.MarkHere();
  stack.Apply("Move", [](Project& q) { q.objects[2].y = 9; });
  EXPECT_TRUE(stack.Undo(mark));
  EXPECT_FALSE(stack.Undo(mark));
  EXPECT_EQ(p.objects[2].x, 2);
  EXPECT_TRUE(stack.Undo());
  EXPECT_EQ(p.objects[2].x, 0);
  EXPECT_FALSE(stack.can_redo(mark));
  EXPECT_TRUE(stack.Redo());
  EXPECT_TRUE(stack.can_redo(mark));

  stack.Commit("Done");
  EXPECT_EQ(stack.undo_text(), "Changes");
  p.fonts[0].size = 30;
  stack.Commit("Edit font fnt_score");
  EXPECT_EQ(stack.undo_text(), "Edit font fnt_score");
  stack.MarkSaved();
  stack.MarkChangedOutside();
  stack.Undo(), stack.Redo();
  EXPECT_EQ(p.modified, 1);
  stack.Reset();
  EXPECT_EQ(stack.count() + stack.can_undo(), 0);
}

// A step keeps only the records that changed (in place, removed or added,
// wherever they are in the list), or the stretch between the unchanged ends
// for a mixed change, so a long history of edits to a large project stays
// small; either way it turns one project into the other and back.
TEST(EditStack, DiffKeepsOnlyWhatChanged) {
  Project before;
  for (int i = 0; i < 1000; ++i) before.objects.push_back({.name = "o" + std::to_string(i)});
  const auto changed = [&](const std::function<void(std::vector<GameObject>&)>& change) {
    Project after = before;
    change(after.objects);
    return after;
  };
  const auto erase = [](std::vector<GameObject>& l, int at) { l.erase(l.begin() + at); };
  const auto insert = [](std::vector<GameObject>& l, int at) {
    l.insert(l.begin() + at, GameObject{.name = "new"});
  };
  const struct {
    Project after;
    size_t hunks, records;  // records kept, before and after together
  } cases[] = {
      {changed([](auto& l) { l[10].x = 1, l[11].x = 1, l[900].x = 1; }), 2, 6},
      {changed([&](auto& l) { erase(l, 900), erase(l, 11), erase(l, 10); }), 2, 3},
      {changed([&](auto& l) { insert(l, 900), insert(l, 10), insert(l, 10); }), 2, 3},
      {changed([&](auto& l) { insert(l, 500), l[700].x = 3; }), 1, 200 + 201},
      {changed([&](auto& l) {  // many hunks: the list is rebuilt in one pass
         for (int at = 990; at >= 10; at -= 20) erase(l, at);
       }),
       50, 50},
      {changed([&](auto& l) {
         for (int at = 990; at >= 10; at -= 20) insert(l, at);
       }),
       50, 50},
  };
  for (const auto& c : cases) {
    const ProjectDiff diff = DiffProjects(before, c.after);
    size_t records = 0;
    for (const auto& hunk : diff.objects.hunks) records += hunk.before.size() + hunk.after.size();
    EXPECT_EQ(diff.objects.hunks.size(), c.hunks);
    EXPECT_EQ(records, c.records);
    EXPECT_TRUE(diff.scripts.empty());
    Project p = before;
    ReapplyDiff(p, diff);
    EXPECT_EQ(p.objects, c.after.objects);
    RevertDiff(p, diff);
    EXPECT_EQ(p.objects, before.objects);
  }
}

}  // namespace
}  // namespace vorlane

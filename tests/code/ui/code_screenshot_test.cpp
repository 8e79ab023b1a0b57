// Not a check: draws an event code dialog with coloured code and the
// completion list open into /tmp/code_dialog.png for a person to look at.
// Run with --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*'.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>

#include "code/ui/code_dialogs.h"
#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "code/ui/typing.h"

namespace vorlane {
namespace {

TEST(CodeScreenshot, DISABLED_EventDialogWithCompletion) {
  test::QtApp();
  Project project;
  project.sprites.resize(1);
  project.sprites[0].name = "spr_gem";
  project.objects.resize(2);
  project.objects[0].name = "obj_hero";
  project.objects[1].name = "obj_gem";
  KeywordList keywords;
  AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, text)", "Draws a text.");
  AddKeywordRecord(keywords, "draw_sprite", "Fn", "draw_sprite(sprite, frame, x, y)", "Draws.");
  AddKeywordRecord(keywords, "room_speed", "Var", "room_speed", "Steps per second.");
  AddKeyConstants(keywords);
  Script script{"scr_1", "obj_hero", "Collision", "obj_gem",
                "/* Pick up a gem.\n   Worth more later. */\nvar points = 10;\n"
                "if (keyboard_check(vk_space) && room_speed > 30) {\n\tpoints = points * 1.5;\n"
                "\tshow_message(\"Gem: \" + points); // in the corner\n\tdra"};
  Preferences prefs;
  EventCodeDialog dialog(nullptr, script, project, prefs, keywords);
  dialog.show();
  CodeEditor* editor = dialog.editor();
  editor->setFocus();
  // Help for a name, then type at the end to open the list.
  editor->Send(sci::GOTOPOS, editor->GetEditorText().find("room_speed") + 3);
  dialog.RefreshHelpLines();
  editor->Send(sci::GOTOPOS, editor->Send(sci::GETLENGTH));
  test::Type(editor, "w");
  QApplication::processEvents();
  ASSERT_TRUE(editor->Send(sci::AUTOCACTIVE));

  QPixmap shot = dialog.grab();
  QPainter painter(&shot);
  // The list is a window of its own: paint it where it stands.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == &dialog || !top->isVisible()) continue;
    painter.drawPixmap(top->pos() - dialog.pos(), top->grab());
  }
  painter.end();
  ASSERT_TRUE(shot.save("/tmp/code_dialog.png"));
}

}  // namespace
}  // namespace vorlane

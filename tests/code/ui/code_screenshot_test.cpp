// Not a check: draws an event code dialog with coloured code and the
// completion list open into /tmp/code_dialog.png for a person to look at.
// Run with --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*'.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>

#include "code/ui/code_dialogs.h"
#include "code/ui/code_editor.h"
#include "code/ui/typing.h"
#include "code/ui/scintilla_messages.h"

namespace vorlane {
namespace {

TEST(CodeScreenshot, DISABLED_EventDialogWithCompletion) {
  test::QtApp();
  Project project;
  for (const char* name : {"spr_hero", "spr_gem"}) {
    project.sprites.push_back({});
    project.sprites.back().name = name;
  }
  for (const char* name : {"obj_hero", "obj_gem", "obj_wall"}) {
    GameObject object;
    object.name = name;
    project.objects.push_back(object);
  }
  project.scenes.push_back({});
  project.scenes.back().name = "scene_level1";
  KeywordList keywords;
  AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, text)",
                   "Draws the text at (x, y) in the current font and colour.");
  AddKeywordRecord(keywords, "draw_sprite", "Fn", "draw_sprite(sprite, frame, x, y)", "Draws a sprite frame.");
  AddKeywordRecord(keywords, "draw_rectangle", "Fn", "draw_rectangle(x1, y1, x2, y2)", "Draws a rectangle.");
  AddKeywordRecord(keywords, "keyboard_check", "Fn", "keyboard_check(key)", "True while the key is held.");
  AddKeywordRecord(keywords, "instance_destroy", "Fn", "instance_destroy()", "Destroys this instance.");
  AddKeywordRecord(keywords, "room_speed", "Var", "room_speed", "Steps per second of the scene.");
  AddKeywordRecord(keywords, "x", "Var", "x", "Horizontal position.");
  AddKeyConstants(keywords);
  Script script{"scr_1", "obj_hero", "Collision", "obj_gem",
                "/* Pick up a gem and count it.\n   Gems are worth more in later levels. */\n"
                "var points = 10;\n"
                "if (score >= 100 && room_speed > 30) {\n"
                "\tpoints = points * 1.5;\n"
                "}\n"
                "score += points; // shown in the corner\n"
                "show_message(\"Gem collected: \" + points);\n"
                "if (keyboard_check(vk_space)) {\n"
                "\tdraw_sprite(spr_gem, 0, x, y);\n"
                "\tdra"};
  Preferences prefs;
  EventCodeDialog dialog(nullptr, script, project, prefs, keywords);
  dialog.show();
  CodeEditor* editor = dialog.editor();
  editor->setFocus();
  // Help for the name under the caret, then type at the end.
  const std::string text = editor->GetEditorText();
  editor->Send(sci::GOTOPOS, static_cast<unsigned long>(text.find("draw_sprite") + 3));
  dialog.RefreshHelpLines();
  editor->Send(sci::GOTOPOS, static_cast<unsigned long>(editor->Send(sci::GETLENGTH)));
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
  dialog.reject();
}

}  // namespace
}  // namespace vorlane

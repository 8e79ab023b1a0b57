// The code editor on a 50,000-line script: loading and styling it, one
// keystroke in the middle, and opening then closing a block comment at the
// top, which re-styles every following line.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <cstdio>
#include <string>
#include <vector>

#include "code/script_styler.h"
#include "code/ui/code_editor.h"
#include "code/ui/script_setup.h"
#include "large_project.h"

using namespace vorlane;

namespace {

constexpr int kLines = 50000;
constexpr unsigned kGetEndStyled = 2028;

std::string MakeScript(const Project& project) {
  const char* engine[] = {"draw_text", "draw_sprite", "instance_create", "keyboard_check", "room_goto"};
  std::string text;
  text.reserve(kLines * 40);
  int line = 0;
  auto add = [&](const std::string& s) {
    text += s;
    text += '\n';
    ++line;
  };
  for (int block = 0; line < kLines - 12; ++block) {
    const std::string n = std::to_string(block);
    const std::string& sprite = project.sprites[static_cast<size_t>(block) % project.sprites.size()].name;
    add("// block " + n + ": move and draw");
    add("function step_" + n + "(self, dt) {");
    add("\tvar speed = 2.5 * dt; // pixels per step");
    add("\tif (keyboard_check(vk_left) || self.x < 0) {");
    add("\t\tself.x -= speed;");
    add("\t} else {");
    add("\t\tself.x += speed + 0.5;");
    add("\t}");
    add(std::string("\t") + engine[block % 5] + "(self.x, self.y, '" + sprite + "');");
    add("\tdraw_text(10, 20, \"score: \" + score);");
    add("\treturn " + sprite + ";");
    add("}");
  }
  while (line < kLines - 1) add("x = 1;");
  text += "// end";
  return text;
}

void PressKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

// A keystroke followed by the paint that asks for the styles it invalidated.
// Returns the time of the key alone; `paint_ms` gets the paint's.
double KeyAndPaint(CodeEditor& editor, int key, const QString& text, double* paint_ms = nullptr) {
  QElapsedTimer timer;
  timer.start();
  PressKey(&editor, key, text);
  const double key_ms = timer.nsecsElapsed() / 1e6;
  timer.restart();
  editor.grab();
  if (paint_ms) *paint_ms = timer.nsecsElapsed() / 1e6;
  return key_ms;
}

std::string AllStyles(CodeEditor& editor) {
  const long length = editor.Send(2006);
  std::string styles(static_cast<size_t>(length), '\0');
  for (long i = 0; i < length; ++i) styles[static_cast<size_t>(i)] = static_cast<char>(editor.Send(2010, static_cast<unsigned long>(i)));
  return styles;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const Project project = bench::MakeLargeProject(1);
  KeywordList keywords;
  for (int i = 0; i < 400; ++i) {
    AddKeywordRecord(keywords, "engine_fn_" + std::to_string(i), i % 3 == 0 ? "Var" : "Fn", "help", "more help");
  }
  for (const char* name : {"draw_text", "draw_sprite", "instance_create", "keyboard_check", "room_goto"}) {
    AddKeywordRecord(keywords, name, "Fn", "help", "");
  }
  AddKeyConstants(keywords);
  const std::string script = MakeScript(project);

  Preferences prefs;
  CodeEditor editor;
  editor.resize(780, 445);
  QElapsedTimer timer;
  timer.start();
  SetupScriptStyling(editor, prefs, project, keywords);
  const double setup_ms = timer.nsecsElapsed() / 1e6;
  {
    CodeEditor second;
    timer.restart();
    SetupScriptStyling(second, prefs, project, keywords);
    std::printf("word table: %zu words; setup %.1f ms (first editor, fonts loading), %.1f ms (next)\n",
                editor.styling().words.size(), setup_ms, timer.nsecsElapsed() / 1e6);
  }
  editor.show();

  timer.restart();
  editor.SetEditorText(script, false);
  const double load_ms = timer.nsecsElapsed() / 1e6;
  editor.grab();
  const double load_paint_ms = timer.nsecsElapsed() / 1e6;
  std::printf("load %d lines (%zu bytes) and style: %.1f ms (with first paint %.1f ms), %d lines styled\n",
              kLines, script.size(), load_ms, load_paint_ms, editor.lines_styled_last_time());
  const std::string reference = AllStyles(editor);

  // One character in the middle.
  editor.Send(2025, static_cast<unsigned long>(editor.Send(2167, kLines / 2) + 1));
  editor.grab();
  double worst_key = 0, worst_restyle = 0, worst_paint = 0;
  int restyled_lines = 0;
  for (int i = 0; i < 20; ++i) {
    double paint = 0;
    worst_key = std::max(worst_key, KeyAndPaint(editor, i % 2 ? Qt::Key_Q : Qt::Key_Space, i % 2 ? "q" : " ", &paint));
    worst_paint = std::max(worst_paint, paint);
    worst_restyle = std::max(worst_restyle, editor.restyle_milliseconds_last_time());
    restyled_lines = std::max(restyled_lines, editor.lines_styled_last_time());
  }
  std::printf("keystroke in the middle (worst of 20): restyle %.3f ms for %d lines; key %.2f ms; paint %.1f ms\n",
              worst_restyle, restyled_lines, worst_key, worst_paint);
  for (int i = 0; i < 20; ++i) KeyAndPaint(editor, Qt::Key_Backspace, QString());

  // "/*" typed at the top, then deleted again: each step re-styles while
  // line states change, so the whole rest of the script.
  editor.Send(2025, 0);
  editor.grab();
  struct Step {
    double ms = 0;         // key and paint
    double restyle_ms = 0;  // the largest re-styling pass
    int lines = 0;
  };
  auto keys = [&](std::initializer_list<std::pair<int, QString>> presses) {
    Step step;
    for (const auto& [key, text] : presses) {
      double paint = 0;
      step.ms += KeyAndPaint(editor, key, text, &paint) + paint;
      if (editor.lines_styled_last_time() > step.lines) {
        step.lines = editor.lines_styled_last_time();
        step.restyle_ms = editor.restyle_milliseconds_last_time();
      }
    }
    return step;
  };
  const Step open = keys({{Qt::Key_Slash, "/"}, {Qt::Key_Asterisk, "*"}});
  const long last_line_start = editor.Send(2167, kLines - 1);
  const bool all_comment = editor.Send(2010, static_cast<unsigned long>(last_line_start)) == kStyleComment &&
                          editor.Send(2093, kLines - 2) == 1;
  std::printf("type \"/*\" at the top: re-styled %d lines in %.1f ms (two keys with paints %.1f ms); "
              "the rest is comment: %s\n",
              open.lines, open.restyle_ms, open.ms, all_comment ? "yes" : "NO");
  const Step close = keys({{Qt::Key_Backspace, QString()}, {Qt::Key_Backspace, QString()}});
  editor.Send(4003, static_cast<unsigned long>(editor.Send(kGetEndStyled)), -1);  // style any rest
  const bool restored = AllStyles(editor) == reference;
  std::printf("delete \"/*\" again: re-styled %d lines in %.1f ms (two keys with paints %.1f ms); "
              "styles as loaded: %s\n",
              close.lines, close.restyle_ms, close.ms, restored ? "yes" : "NO");
  return all_comment && restored ? 0 : 1;
}

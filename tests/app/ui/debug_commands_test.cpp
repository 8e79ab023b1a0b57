// Seeing why a game breaks: the scripts checked before a game is written,
// the Output panel, and a browser that ends at once with an error.
#include <sys/stat.h>

#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include "app/ui/browser_starts.h"
#include "app/ui/output_panel.h"
#include "app/ui/script_problems_dialog.h"
#include "project/resource_kind.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using DebugCommandsTest = test::MainWindowFixture;

// The check comes before anything is written: the old game stays, and
// "Open code" opens the broken script at its line.
TEST_F(DebugCommandsTest, ABrokenScriptStopsRunAndExportAndOpensAtItsLine) {
  Start();
  NewScene(project());
  dialogs_.Drive(test::TypeName("demo"));
  window().RunCommand(Command::Save);
  const std::string object = NewResource(project(), ResourceKind::Object);
  project().scripts.push_back({"scr_1", object, "Step", "", "x = 1;\nimage_speed = ;"});
  const std::string old_game = test::ReadAll("Projects/demo/game.js");
  std::vector<std::pair<ScriptPlace, int>> opened;
  window().SetScriptOpener([&](const ScriptPlace& place, CodeSpot spot) {
    opened.push_back({place, spot.line});
  });

  std::vector<std::string> listed;
  const auto answer = [&](bool open) {
    return [&listed, open](QDialog& dialog) {
      auto& problems = dynamic_cast<ScriptProblemsDialog&>(dialog);
      listed.push_back(problems.list()->item(0)->text().toStdString());
      if (open) problems.open_button()->click();
    };
  };
  dialogs_.Drive(answer(true)).Drive(answer(false)).Drive(answer(false));
  for (Command command : {Command::RunGame, Command::ExportGame, Command::DebugGame})
    window().RunCommand(command);
  EXPECT_EQ(listed, std::vector<std::string>(3, object + ", Step event, line 2: Expected a value"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].first.resource, object);
  EXPECT_EQ(opened[0].second, 2);
  EXPECT_EQ(test::ReadAll("Projects/demo/game.js"), old_game);
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(project().modified, 1) << "nothing was saved";
}

// Equal lines in a row are one line with a count; a double click opens the
// line's script.
TEST_F(DebugCommandsTest, TheOutputPanelMergesRepeatsAndOpensTheScript) {
  Start();
  OutputPanel& panel = *window().output_panel();
  DebugEntry error;
  error.kind = DebugEntry::Kind::Error;
  error.text = "not_a_function is not defined";
  error.place = ScriptPlace{ScriptKind::Event, "obj_wall", "Step", "", 0};
  error.line = 3;
  DebugEntry log;
  log.text = "hi";
  panel.Add({log, log, error});
  QAbstractItemModel& rows = *panel.lines()->model();
  ASSERT_EQ(rows.rowCount(), 2);
  EXPECT_EQ(rows.index(0, 3).data().toString().toStdString(), "hi  (\u00d72)");
  EXPECT_EQ(rows.index(1, 2).data().toString().toStdString(), "obj_wall, Step event, line 3");
  std::vector<int> opened;
  QObject::connect(&panel, &OutputPanel::OpenScript,
                   [&](const ScriptPlace&, int line) { opened.push_back(line); });
  emit panel.lines()->doubleClicked(rows.index(1, 3));
  EXPECT_EQ(opened, std::vector<int>{3});
}

// A browser that refuses to run is named with the first line it wrote.
TEST_F(DebugCommandsTest, ABrowserEndingWithAnErrorIsSaid) {
  // It speaks only when given the address as one argument, blanks and all.
  test::WriteAll("browser",
                 "#!/bin/sh\n[ \"$#:$1\" = \"1:/a page/index.html\" ] && "
                 "echo \"Running as root is not supported\" >&2\necho more >&2\nexit 1\n");
  ::chmod("browser", 0755);
  BrowserStarts starts(nullptr);
  std::string said;
  QObject::connect(&starts, &BrowserStarts::Failed,
                   [&](const std::string& program, const std::string& first_line) {
                     said = BrowserFailedMessage(program, first_line);
                   });
  ASSERT_TRUE(starts.Start(WorkingDirectory() + "browser", "/a page/index.html", "errors.txt"));
  ASSERT_TRUE(test::WaitFor([&] { return !said.empty(); }));
  EXPECT_EQ(said, "The web browser \"" + WorkingDirectory() +
                      "browser\" stopped with an error: Running as root is not supported");
}

}  // namespace
}  // namespace vorlane

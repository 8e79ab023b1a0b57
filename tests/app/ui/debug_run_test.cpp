// A debug run end to end: the game in headless Chromium reports an error in
// a Step event to the Output panel, named as the user knows it, and a save
// reloads the page.
#include <QProcess>
#include <QTableView>
#include <filesystem>

#include "app/ui/output_panel.h"
#include "generate/debug_server.h"
#include "scene/instance_edits.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

constexpr char kChromium[] = "/usr/bin/chromium";

class DebugRunTest : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    for (const char* file : {"export.js", "debug.js"})
      std::filesystem::copy_file(std::string(VORLANE_RUNTIME_DIR) + "/" + file, file);
  }
  void TearDown() override {
    if (browser_.state() != QProcess::NotRunning) {
      browser_.kill();
      browser_.waitForFinished();
    }
  }

  // The rows of the Output panel, "<where>: <message>".
  std::vector<std::string> Rows() {
    QAbstractItemModel& rows = *window().output_panel()->lines()->model();
    std::vector<std::string> list;
    for (int r = 0; r < rows.rowCount(); ++r)
      list.push_back(rows.index(r, 2).data().toString().toStdString() + ": " +
                     rows.index(r, 3).data().toString().toStdString());
    return list;
  }

  QProcess browser_;
};

TEST_F(DebugRunTest, AnErrorInAStepEventReachesTheOutputPanelAtItsLine) {
  if (!std::filesystem::exists(kChromium)) GTEST_SKIP() << "no " << kChromium;
  Start();
  const std::string scene = NewScene(project());
  const std::string object = NewObject(project());
  PlaceInstance(project(), scene, object, 10, 10);
  project().scripts.push_back(
      {"scr_1", object, "Step", "", "x = 1;\ndebug_message('step ' + x);\nnot_a_function();"});
  InstallBrowser();  // found on the search path, then started as Chromium
  window().SetLauncher([this](const std::string&, const std::string& address) {
    const QString profile = QString::fromStdString(WorkingDirectory() + "profile");
    browser_.start(kChromium, {"--headless=new", "--no-sandbox", "--disable-gpu",
                               "--user-data-dir=" + profile, QString::fromStdString(address)});
    return browser_.waitForStarted();
  });
  dialogs_.Drive(test::TypeName("demo"));
  window().RunCommand(Command::DebugGame);
  ASSERT_TRUE(window().debug_server() && window().debug_server()->running());
  const std::string error =
      object + ", Step event, line 3: Uncaught ReferenceError: not_a_function is not defined";
  ASSERT_TRUE(test::WaitFor([&] { return Rows().size() >= 2; }, 60000))
      << browser_.readAllStandardError().toStdString() << "\nrows: " << Rows().size() << "\n"
      << window().debug_server()->PageAddress();
  const std::vector<std::string> rows = Rows();
  EXPECT_EQ(rows[0], object + ", Step event, line 2: step 1");
  EXPECT_EQ(rows[1].substr(0, rows[1].find(" (")), error);

  // A save while the run is open loads the page again: the first step's
  // message comes again.
  project().scripts.back().code = "debug_message('saved');";
  window().RunCommand(Command::Save);
  EXPECT_TRUE(
      test::WaitFor([&] { return Rows().back().find("saved") != std::string::npos; }, 60000));
  window().RunCommand(Command::New);
  EXPECT_FALSE(window().debug_server()->running()) << "a new project ends the run";
}

}  // namespace
}  // namespace vorlane

// A game logging 2,000 lines a second into a debug run: how long the
// interface thread is ever kept from its event loop while the Output panel
// takes them (goal: under 50 ms). Plays the game in headless Chromium; run
// from the source folder (it reads runtime/export.js and runtime/debug.js).
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/ui/output_panel.h"
#include "generate/debug_server.h"
#include "generate/game_page.h"
#include "gui/file_util.h"
#include "project/model.h"
#include "scene/instance_edits.h"

using namespace vorlane;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const fs::path runtime = fs::absolute("runtime");
  std::string engine, script;
  if (!ReadFile((runtime / "export.js").string(), &engine, 1 << 24) ||
      !ReadFile((runtime / "debug.js").string(), &script, 1 << 20)) {
    std::fprintf(stderr, "run from the source folder: runtime/export.js and debug.js\n");
    return 1;
  }
  const fs::path folder = fs::temp_directory_path() / "vorlane-bench-debug";
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::current_path(folder);

  // 200 lines a step, each different, so none merge: headless Chromium runs
  // about ten steps a second.
  Project project;
  project.projectname = "chatty";
  const std::string scene = NewScene(project);
  const std::string object = NewObject(project);
  PlaceInstance(project, scene, object, 0, 0);
  project.scripts.push_back({"scr_1", object, "Step", "",
                             "for (var i = 0; i < 200; i++) console.log('line ' + (window.n = "
                             "(window.n || 0) + 1));"});
  GenerateReport report;
  if (!GenerateGame(project, engine, 1, &report, true)) {
    std::fprintf(stderr, "%s\n", report.error.c_str());
    return 1;
  }
  DebugServer server;
  std::string error;
  if (!server.Start("Projects/chatty/", script, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  OutputPanel panel(nullptr);
  panel.resize(800, 300);
  panel.show();
  size_t received = 0;
  QObject::connect(&server, &DebugServer::Reported, [&](const std::vector<DebugEntry>& entries) {
    received += entries.size();
    panel.Add(entries);
  });

  QProcess browser;
  browser.start("/usr/bin/chromium",
                {"--headless=new", "--no-sandbox", "--disable-gpu",
                 "--user-data-dir=" + QString::fromStdString((folder / "profile").string()),
                 QString::fromStdString(server.PageAddress())});
  // A timer asking to run every 5 ms: the largest gap between its runs is
  // the longest the event loop was kept busy.
  QElapsedTimer clock;
  qint64 last = -1, worst = 0, started = -1;
  size_t at_start = 0;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    if (received > 0 && started < 0) {
      started = now;
      at_start = received;
    }
    if (started >= 0 && last >= 0) worst = std::max(worst, now - last);
    last = now;
    if (started >= 0 && now - started > 10000) app.quit();
    if (started < 0 && now > 30000) app.quit();
  });
  clock.start();
  tick.start(5);
  app.exec();
  browser.kill();
  browser.waitForFinished();
  const double seconds = (clock.elapsed() - started) / 1000.0;
  std::printf("lines received: %.0f a second over %.1f s; panel holds %zu lines\n",
              (received - at_start) / seconds, seconds, panel.log().size());
  std::printf("longest event-loop stall: %lld ms\n", static_cast<long long>(worst));
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder);
}

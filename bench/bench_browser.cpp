// Times RefreshBrowser on a project with 1,000 sprites (with frames, so with
// thumbnails) and 1,000 objects using them, and the first paint of the
// sprite tab afterwards.
#include <QApplication>
#include <QScrollArea>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/ui/main_window.h"
#include "app/ui/stock_images.h"
#include "gui/ui/card_grid.h"
#include "large_project.h"
#include "timing.h"
#include "project/thumbnails.h"

using namespace vorlane;
using Clock = std::chrono::steady_clock;

namespace {

double Best(int runs, const std::function<void()>& work) { return bench::BestOf(runs, work); }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const auto folder = std::filesystem::temp_directory_path() / "vorlane-bench-browser";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  LoadStockImages();

  Session session;
  session.project = bench::MakeLargeProject(1);
  Project& project = session.project;
  // 1,000 objects, each showing its sprite's thumbnail.
  std::vector<GameObject> objects;
  for (const auto& object : project.objects)
    if (object.prototype == 1 && objects.size() < 1000) objects.push_back(object);
  project.objects = std::move(objects);
  const double thumbnails = Best(1, [&] { BuildThumbnails(project); });

  MainWindow window(session);
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();
  const double first = Best(1, [&] { window.RefreshBrowser(); });
  const double refresh = Best(10, [&] { window.RefreshBrowser(); });
  const double paint = Best(5, [&] {
    window.RefreshBrowser();
    window.scroll_area(ResourceKind::Sprite)->viewport()->repaint();
  });
  std::printf("project: %zu sprites, %zu objects (cards per refresh: %d)\n", project.sprites.size(),
              project.objects.size(), window.browser_items().size());
  std::printf("BuildThumbnails:              %8.1f ms\n", thumbnails);
  std::printf("RefreshBrowser, first:        %8.1f ms\n", first);
  std::printf("RefreshBrowser, best of 10:   %8.1f ms   (goal < 150 ms)\n", refresh);
  std::printf("refresh + paint of the tab:   %8.1f ms\n", paint);
  return 0;
}

// Times the sprite image editor: an effect window's preview recomputed on a
// 1024 x 1024 frame (a slider moved), an effect applied to 100 frames of
// 64 x 64 as one undo step, and the sprite preview at zoom 64 of a
// 1024 x 1024 frame painting one screenful, with the memory it takes.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <fstream>
#include <string>

#include "editors/sprite_edits.h"
#include "image/effects.h"
#include "image/frame_edits.h"
#include "image/ui/effect_dialog.h"
#include "project/edit_stack.h"
#include "timing.h"

using namespace vorlane;

namespace {

// Resident memory in MB, from /proc.
double ResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  return 0;
}

Image Noisy(int w, int h) {
  Image image = Image::Transparent(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.Plot(x, y, Color{std::uint8_t(x * 7), std::uint8_t(y * 3), std::uint8_t(x ^ y), 200});
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const ImageRef large = ShareImage(Noisy(1024, 1024));

  struct Slider {
    EffectKind kind;
    const char* label;
    const char* value;
  };
  double worst = 0;
  const char* worst_name = "";
  for (const Slider& s :
       {Slider{EffectKind::Brightness, "Level", "40"}, Slider{EffectKind::Colorize, "Hue", "200"},
        Slider{EffectKind::Posterize, "Level", "9"}, Slider{EffectKind::Noise, "Level", "30"},
        Slider{EffectKind::Opacity, "Percent", "40"},
        Slider{EffectKind::Scale, "Horizontal", "150"},
        Slider{EffectKind::Shift, "Horizontal", "100"}}) {
    EffectDialog dialog(nullptr, s.kind, large);
    int turn = 0;
    const double ms = bench::BestOf(
        5, [&] { dialog.field(s.label)->setText(QString(s.value) + QString::number(turn++ % 2)); });
    std::printf("preview of %-12s on 1024 x 1024, best of 5: %6.1f ms\n", EffectTitle(s.kind), ms);
    if (ms > worst) {
      worst = ms;
      worst_name = EffectTitle(s.kind);
    }
  }

  Project project;
  project.sprites.push_back(Sprite{.name = "spr"});
  for (int i = 0; i < 100; ++i) AppendFrame(project, "spr", Noisy(64, 64));
  EditStack stack(project);
  const double apply = bench::BestOf(5, [&] {
    stack.Apply("Colorize", [](Project& p) {
      ApplyToFrames(p, "spr", 0, true, [](const Image& frame) { return Colorize(frame, 120); });
    });
  });

  const Sprite sprite{
      .collisionshape = "Circle", .collisionradius = 300, .centerx = 512, .centery = 512};
  Image screen = Image::Opaque(550, 400);
  const double rss_before = ResidentMb();
  int step = 0;
  const double paint = bench::BestOf(20, [&] {
    const int left = 20000 + 997 * (step % 7), top = 15000 + 613 * (step++ % 5);
    PaintSpritePreview(screen, left, top, *large, sprite, "Circle", 64, true);
  });
  const double rss_after = ResidentMb();

  std::printf("slowest preview (%s):                       %6.1f ms   (goal < 30 ms)\n", worst_name,
              worst);
  std::printf("an effect on 100 frames of 64 x 64, one step:  %6.1f ms   (goal < 100 ms)\n", apply);
  std::printf("zoom 64 preview of 1024 x 1024, 550 x 400:     %6.2f ms   (goal < 16 ms)\n", paint);
  std::printf("memory while painting: %.1f MB before, %.1f MB after\n", rss_before, rss_after);
  return 0;
}

#include "scene/scene_view.h"

#include <gtest/gtest.h>

#include "image/test_pictures.h"
#include "scene/instance_edits.h"

namespace vorlane {
namespace {

using namespace test;
constexpr Color kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGrey{50, 50, 50, 255};

// A 100 x 80 grey scene with a red 10 x 10 instance (origin (0, 0)) at
// (20, 20) and a blue 10 x 10 tile at (25, 25), both at depth 7.
struct Fixture {
  Project project;
  SceneViewState state;
  Fixture() {
    project.scenes.push_back(
        Scene{.name = "hall", .width = 100, .height = 80, .red = 50, .green = 50, .blue = 50});
    project.sprites.push_back(Sprite{.name = "spr"});
    project.frames.push_back(Frame{"0", "spr", ShareImage(Solid(10, 10, kRed))});
    project.objects.push_back(GameObject{.name = "obj", .sprite = "spr", .depth = 7});
    PlaceInstance(project, "hall", "obj", 20, 20);
    project.tiles.push_back(Tile{.width = 10,
                                 .height = 10,
                                 .x = 25,
                                 .y = 25,
                                 .depth = 7,
                                 .scene = "hall",
                                 .image = ShareImage(Solid(10, 10, kBlue))});
    state.grid.show_grid = false;
  }
  Image Paint(int left = 0, int top = 0, int w = 100, int h = 80, std::string* status = nullptr) {
    Image target = Image::Opaque(w, h);
    const std::string line = PaintScene(target, left, top, project, project.scenes[0], state);
    if (status) *status = line;
    return target;
  }
};

// Higher depths are drawn first; at equal depth tiles cover instances.
// Hidden instances show on the Objects tab all the same.
TEST(SceneView, DepthOrderAndWhatIsShown) {
  Fixture f;
  EXPECT_EQ(f.Paint().Pixel(27, 27), kBlue);
  f.project.objects[1].depth = 6;
  EXPECT_EQ(f.Paint().Pixel(27, 27), kRed);
  f.state.grid.show_objects = false;
  EXPECT_EQ(f.Paint().Pixel(22, 22), kGrey);
  f.state.tab = SceneTab::Objects;
  EXPECT_EQ(f.Paint().Pixel(22, 22), kRed);
}

// Selection boxes and the grid are drawn in XOR (crossing lines cancel),
// any part paints as the whole does, and the status names the selected.
TEST(SceneView, SelectionGridAndPartsPaintAsTheWhole) {
  Fixture f;
  f.project.objects[1].selected = 1;
  f.state.grid.show_grid = true;
  const Image grid = f.Paint();
  EXPECT_EQ(grid.Pixel(20, 20), (Color{255 ^ 200, 64, 64, 255}));
  for (auto [x, y] : {std::pair(40, 5), std::pair(40, 45), std::pair(5, 40)})
    EXPECT_EQ(grid.Pixel(x, y), (Color{205, 205, 205, 255})) << x << "," << y;
  EXPECT_EQ(grid.Pixel(41, 5), kGrey);
  EXPECT_EQ(grid.Pixel(60, 60), kGrey);
  f.state.grid.size = 8;
  f.project.tiles[0].selected = 1;
  std::string status;
  EXPECT_EQ(f.Paint(23, 17, 30, 40, &status), f.Paint().Copy(23, 17, 30, 40));
  EXPECT_EQ(status, "[obj] x:20 y:20");
}

// The background picture is drawn once, tiled across or down to the
// scene's last row and column, or stretched over it (winning over tiling).
TEST(SceneView, BackgroundIsStretchedOrTiledInsideTheScene) {
  Fixture f;
  f.project.objects.pop_back();
  f.project.tiles.clear();
  Image picture = Solid(30, 30, kBlue);
  f.state.background = &picture;
  Scene& scene = f.project.scenes[0];
  scene.background = "bg";
  EXPECT_EQ(f.Paint().Pixel(29, 29), kBlue);
  EXPECT_EQ(f.Paint().Pixel(30, 29), kGrey);
  scene.backgroundtilex = 1;
  EXPECT_EQ(f.Paint().Pixel(95, 5), kBlue);
  EXPECT_EQ(f.Paint().Pixel(95, 35), kGrey);
  scene.backgroundtiley = 1;
  EXPECT_EQ(f.Paint(60, 40, 40, 40).Pixel(35, 35), kBlue);  // (95, 75)
  picture.FillRect(0, 0, 15, 30, kRed);
  scene.backgroundstretch = 1;
  const Image stretched = f.Paint();
  EXPECT_EQ(stretched.Pixel(40, 70), kRed);
  EXPECT_EQ(stretched.Pixel(99, 79), kBlue);
}

// The ghost of the object to place follows the snapped pointer, faint, and
// only inside the scene; the grid takes sizes above 4.
TEST(SceneView, GhostFollowsTheSnappedPointerInsideTheScene) {
  Fixture f;
  f.project.objects.pop_back();
  f.state.tab = SceneTab::Objects;
  f.state.place_object = "obj";
  f.state.pointer_inside = true;
  f.state.pointer_x = 47;
  f.state.pointer_y = 5;
  const Image ghost = f.Paint();
  EXPECT_NEAR(ghost.Pixel(45, 5).r, 50 + (255 - 50) * 150 / 255.0, 1);  // snapped to (40, 0)
  EXPECT_EQ(ghost.Pixel(55, 5).r, 50);
  f.state.pointer_x = 0;  // on the scene's edge
  EXPECT_EQ(f.Paint().Pixel(5, 5).r, 50);
  EXPECT_FALSE(SetGridSize(f.state.grid, "4"));
  EXPECT_TRUE(SetGridSize(f.state.grid, "5"));
  EXPECT_EQ(SnapPosition(f.state.grid, -1), -5);
}

}  // namespace
}  // namespace vorlane

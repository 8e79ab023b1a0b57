#include "scene/scene_view.h"

#include <gtest/gtest.h>

#include "scene/instance_edits.h"

namespace vorlane {
namespace {

Image Solid(int w, int h, Color color) {
  Image image = Image::Transparent(w, h);
  image.Fill(color);
  return image;
}

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kBlue{0, 0, 255, 255};

// A 100 x 80 scene, grey, with a red 10 x 10 instance (origin (0, 0)) at
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
    project.tiles.push_back(Tile{.name = "tile_1",
                                 .width = 10,
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

TEST(SceneView, LowerDepthsDrawOnTopAndTilesCoverInstancesOfTheirDepth) {
  Fixture f;
  EXPECT_EQ(f.Paint().Pixel(27, 27), kBlue);
  EXPECT_EQ(f.Paint().Pixel(0, 0), (Color{50, 50, 50, 255}));
  f.project.objects[1].depth = 6;
  const auto list = SceneDrawList(f.project, "hall");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].tile, 0);  // the higher depth first
  EXPECT_EQ(f.Paint().Pixel(27, 27), kRed);
  f.state.grid.show_objects = false;
  EXPECT_EQ(f.Paint().Pixel(22, 22), (Color{50, 50, 50, 255}));
  f.state.tab = SceneTab::Objects;  // the Objects tab always shows them
  EXPECT_EQ(f.Paint().Pixel(22, 22), kRed);
}

TEST(SceneView, AnyPartPaintsAsTheWholeDoes) {
  Fixture f;
  f.state.grid.show_grid = true;
  f.state.grid.size = 8;
  f.project.objects[1].selected = 1;
  f.project.tiles[0].selected = 1;
  const Image whole = f.Paint();
  std::string status;
  const Image part = f.Paint(23, 17, 30, 40, &status);
  EXPECT_EQ(part, whole.Copy(23, 17, 30, 40));
  EXPECT_EQ(status, "[obj] x:20 y:20");
  f.project.objects[1].selected = 0;
  f.Paint(0, 0, 100, 80, &status);
  EXPECT_EQ(status, "");
}

TEST(SceneView, SelectionAndGridAreDrawnInXor) {
  Fixture f;
  f.project.objects[1].selected = 1;
  EXPECT_EQ(f.Paint().Pixel(20, 20), (Color{255 ^ 200, 64, 64, 255}));
  f.state.grid.show_grid = true;
  const Image grid = f.Paint();
  EXPECT_EQ(grid.Pixel(40, 5), (Color{205, 205, 205, 255}));  // a line at 2 x 20
  EXPECT_EQ(grid.Pixel(40, 45), (Color{205, 205, 205, 255}));
  EXPECT_EQ(grid.Pixel(41, 5), (Color{50, 50, 50, 255}));
  EXPECT_EQ(grid.Pixel(5, 40), (Color{205, 205, 205, 255}));
  // Where two lines cross they cancel out.
  EXPECT_EQ(grid.Pixel(60, 60), (Color{50, 50, 50, 255}));
}

TEST(SceneView, BackgroundIsStretchedOrTiledInsideTheScene) {
  Fixture f;
  f.project.objects.pop_back();
  f.project.tiles.clear();
  const Image picture = Solid(30, 30, kBlue);
  f.state.background = &picture;
  Scene& scene = f.project.scenes[0];
  scene.background = "bg";
  EXPECT_EQ(f.Paint().Pixel(29, 29), kBlue);
  EXPECT_EQ(f.Paint().Pixel(30, 29), (Color{50, 50, 50, 255}));
  scene.backgroundtilex = 1;
  EXPECT_EQ(f.Paint().Pixel(95, 5), kBlue);
  EXPECT_EQ(f.Paint().Pixel(95, 35), (Color{50, 50, 50, 255}));
  scene.backgroundtiley = 1;
  EXPECT_EQ(f.Paint(60, 40, 40, 40).Pixel(35, 35), kBlue);  // (95, 75)
  // Stretching wins over both tiling flags: one picture over the scene.
  Image halves = Solid(30, 30, kBlue);
  halves.FillRect(0, 0, 15, 30, kRed);
  f.state.background = &halves;
  scene.backgroundstretch = 1;
  const Image stretched = f.Paint();
  EXPECT_EQ(stretched.Pixel(40, 70), kRed);
  EXPECT_EQ(stretched.Pixel(60, 5), kBlue);
  EXPECT_EQ(stretched.Pixel(99, 79), kBlue);
}

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
  f.state.pointer_x = 0;  // on the scene's edge: no ghost
  EXPECT_EQ(f.Paint().Pixel(5, 5).r, 50);
  EXPECT_TRUE(SetGridSize(f.state.grid, "5"));
  EXPECT_FALSE(SetGridSize(f.state.grid, "4"));
  EXPECT_EQ(f.state.grid.size, 5);
  EXPECT_EQ(SnapPosition(f.state.grid, -1), -5);
}

}  // namespace
}  // namespace vorlane

#include "scene/scene_view.h"

#include <gtest/gtest.h>

#include "image/test_pictures.h"
#include "project/edit_stack.h"
#include "project/thumbnails.h"
#include "scene/instance_edits.h"
#include "scene/scene_cards.h"
#include "scene/scene_settings.h"
#include "support/golden.h"

namespace vorlane {
namespace {

using namespace test;
constexpr Color kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGrey{50, 50, 50, 255};

// A 100 x 80 grey scene with a red 10 x 10 instance (origin (0, 0)) at
// (20, 20) and a blue 10 x 10 tile at (25, 25), both at depth 7.
struct Fixture {
  Project project;
  SceneViewState state;
  ScenePictures pictures{[](const Background&) { return Solid(10, 10, kBlue); }};
  Fixture() {
    project.scenes.push_back(
        Scene{.name = "hall", .width = 100, .height = 80, .red = 50, .green = 50, .blue = 50});
    project.sprites.push_back(Sprite{.name = "spr"});
    project.frames.push_back(Frame{"0", "spr", ShareImage(Solid(10, 10, kRed))});
    project.objects.push_back(GameObject{.name = "obj", .sprite = "spr", .depth = 7});
    PlaceInstance(project, "hall", "obj", 20, 20);
    project.backgrounds.push_back(Background{.name = "set", .file = "set.png"});
    project.tiles.push_back(Tile{.name = "tile_1",
                                 .background = "set",
                                 .width = 10,
                                 .height = 10,
                                 .x = 25,
                                 .y = 25,
                                 .depth = 7,
                                 .scene = "hall"});
    state.grid.show_grid = false;
  }
  Image Paint(int left = 0, int top = 0, int w = 100, int h = 80, std::string* status = nullptr,
              int shrink = 1) {
    Image target = Image::Opaque(w, h);
    const std::string line =
        PaintScene(target, left, top, project, project.scenes[0], state, pictures, shrink);
    if (status) *status = line;
    return target;
  }
};

// Each state of the view, painted whole, against its picture in golden/:
// higher depths first and tiles over instances at equal depth; hidden
// instances shown on the Objects tab; selection boxes and the grid in XOR
// (crossing lines cancel); the background once, tiled to the scene's last
// row and column, or stretched (winning over tiling); the faint ghost of
// the object to place at the snapped pointer, inside the scene only. Any
// part paints as the whole does.
TEST(SceneView, EachStatePaintsAsItsGoldenPicture) {
  Image background = Solid(30, 30, kBlue);
  background.FillRect(0, 0, 15, 30, kRed);
  const auto tiled = [&background](int x, int y, int stretch) {
    return [=, &background](Fixture& f) {
      Scene& scene = f.project.scenes[0];
      f.state.background = &background;
      scene.background = "bg";
      std::tie(scene.backgroundtilex, scene.backgroundtiley, scene.backgroundstretch) =
          std::tuple(x, y, stretch);
    };
  };
  const auto ghost = [](int x) {
    return [x](Fixture& f) {
      f.state = SceneViewState{.tab = SceneTab::Objects,
                               .pointer_inside = true,
                               .pointer_x = x,
                               .pointer_y = 5,
                               .place_object = "obj"};
    };
  };
  const std::pair<const char*, std::function<void(Fixture&)>> cases[] = {
      {"tile_over_instance", [](Fixture&) {}},
      {"instance_in_front", [](Fixture& f) { f.project.objects[1].depth = 6; }},
      {"objects_hidden", [](Fixture& f) { f.state.grid.show_objects = false; }},
      {"hidden_on_objects_tab",
       [](Fixture& f) { f.state.grid.show_objects = false, f.state.tab = SceneTab::Objects; }},
      {"selection_and_grid",
       [](Fixture& f) {
         f.state.selected_instances = {f.project.objects[1].name};
         f.state.selected_tiles = {"tile_1"};
         f.state.grid.show_grid = true;
       }},
      {"background_once", tiled(0, 0, 0)},
      {"background_across", tiled(1, 0, 0)},
      {"background_tiled", tiled(1, 1, 0)},
      {"background_stretched", tiled(1, 1, 1)},
      {"ghost", ghost(47)},
      {"ghost_on_the_edge", ghost(0)},
  };
  for (const auto& [name, setup] : cases) {
    Fixture f;
    setup(f);
    const Image whole = f.Paint();
    test::ExpectGolden(std::string("scene_") + name, whole);
    EXPECT_EQ(f.Paint(23, 17, 30, 40), whole.Copy(23, 17, 30, 40)) << name;
  }
}

// Zoomed out, every picture is drawn that much smaller where its place
// lands, from the view's corner on.
TEST(SceneView, AZoomedOutViewDrawsEverythingSmaller) {
  Fixture f;
  const Image half = f.Paint(0, 0, 50, 40, nullptr, 2);
  const Image quarter_from_corner = f.Paint(20, 20, 10, 10, nullptr, 4);
  for (const auto& [image, x, y, color] : {std::tuple{&half, 10, 10, kRed},
                                           {&half, 11, 14, kRed},
                                           {&half, 12, 12, kBlue},
                                           {&half, 16, 16, kBlue},
                                           {&half, 17, 17, kGrey},
                                           {&half, 9, 10, kGrey},
                                           {&quarter_from_corner, 0, 0, kRed},
                                           {&quarter_from_corner, 2, 2, kBlue},
                                           {&quarter_from_corner, 4, 4, kGrey}})
    EXPECT_EQ(image->Pixel(x, y), color) << x << "," << y;
}

// The status names the selected instance; the grid takes sizes above 4.
TEST(SceneView, StatusAndGridSize) {
  Fixture f;
  std::string status;
  f.Paint(0, 0, 100, 80, &status);
  EXPECT_EQ(status, "");
  f.state.selected_instances = {f.project.objects[1].name};
  f.Paint(0, 0, 100, 80, &status);
  EXPECT_EQ(status, "[obj] x:20 y:20");
  EXPECT_FALSE(SetGridSize(f.state.grid, "4"));
  EXPECT_TRUE(SetGridSize(f.state.grid, "5"));
  EXPECT_EQ(SnapPosition(f.state.grid, -1), -5);
}

// Selecting and painting change no record, so they make no undo step; an
// undone edit paints the instance with the sprite and angle it restored.
TEST(SceneView, SelectingMakesNoStepAndUndoShowsTheRestoredPicture) {
  Fixture f;
  EditStack stack(f.project);
  const Image before = f.Paint();
  f.state.selected_instances = {f.project.objects[1].name};
  f.state.selected_tiles = {"tile_1"};
  f.Paint();
  EXPECT_FALSE(stack.Undo());
  f.project.sprites.push_back(Sprite{.name = "wide"});
  f.project.frames.push_back(Frame{"0", "wide", ShareImage(Solid(30, 4, kBlue))});
  stack.Apply("Turn", [](Project& p) {
    p.objects[1].sprite = "wide";
    p.objects[1].image_angle = 45;
  });
  f.state.selected_instances.clear();
  f.state.selected_tiles.clear();
  EXPECT_NE(f.Paint(), before);
  ASSERT_TRUE(stack.Undo());
  EXPECT_EQ(f.Paint(), before);
}

using Errors = std::vector<std::string>;

// Scenes "hall" (with an instance, a layer and a tile) and "yard".
Project TwoScenes() {
  Project project;
  project.scenes = {Scene{.name = "hall"}, Scene{.name = "yard"}};
  project.objects = {GameObject{.prototype = 0, .name = "SceneObject1", .scene = "hall"},
                     GameObject{.prototype = 0, .name = "SceneObject2", .scene = "yard"}};
  project.layers.push_back(Layer{"layer_3", 1000000, "hall"});
  project.tiles.push_back(Tile{.name = "tile_4", .scene = "hall"});
  return project;
}

SceneFields Fields(const std::string& name, const std::string& speed) {
  return SceneFields{name, "800", "600", "320", "240", "obj_player", "16", "8", speed, "bg_sky"};
}

// "Done" checks the name and the speed (above 1) together; a good one of
// them is stored at once (the scene's records following a new name), the
// other fields only when both are good.
TEST(SceneSettings, NameAndSpeedAreCheckedTogetherAndTheRestWaits) {
  Project project = TwoScenes();
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("", "")),
            (Errors{"The scene name is missing", "Invalid scene speed value"}));
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("yard", "30")),
            (Errors{"The scene name 'yard' already exists"}));
  EXPECT_EQ(project.scenes[0].speed, 30);
  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("cellar", "1")),
            (Errors{"Invalid scene speed value"}));
  EXPECT_EQ((Errors{project.scenes[0].name, project.objects[0].scene, project.objects[1].scene,
                    project.layers[0].scene, project.tiles[0].scene}),
            (Errors{"cellar", "cellar", "yard", "cellar", "cellar"}));
  EXPECT_EQ(project.scenes[0].width, 640);  // nothing else yet

  EXPECT_EQ(StoreSceneSettings(project, 0, Fields("cellar", "2")), Errors{});  // its own name
  const Scene& s = project.scenes[0];
  EXPECT_EQ((std::vector{s.speed, s.width, s.height, s.viewportwidth, s.viewportheight,
                         s.viewportxborder, s.viewportyborder}),
            (std::vector{2, 800, 600, 320, 240, 16, 8}));
  EXPECT_EQ((Errors{s.viewportobject, s.background}), (Errors{"obj_player", "bg_sky"}));
}

// The scene's pictures fit it into their box, shape kept, top left; a huge
// scene is sampled instead of drawn whole.
TEST(SceneSettings, PicturesFitTheSceneAndSampleHugeOnes) {
  Project project;
  project.scenes.push_back(Scene{.name = "wide", .width = 400, .height = 100, .red = 9});
  const SceneViewState state;
  ScenePictures pictures;
  const Image small = ScenePicture(project, project.scenes[0], state, pictures, 80, 80);
  EXPECT_EQ(small.Pixel(79, 19), (Color{9, 0, 0, 255}));
  EXPECT_EQ(small.Pixel(79, 20).a, 0);
  EXPECT_EQ(SceneCard(project, project.scenes[0], state, pictures).Pixel(35 + 79, 10 + 19),
            (Color{9, 0, 0, 255}));
  EXPECT_EQ(ProjectPicture(project, project.scenes[0], state, pictures).Pixel(10, 200),
            (Color{0, 0, 0, 255}));
  // 30000 x 30000 would need 3.6 GB drawn whole.
  project.scenes[0] = Scene{.name = "huge", .width = 30000, .height = 30000, .green = 7};
  const Image huge = ScenePicture(project, project.scenes[0], state, pictures, 80, 80);
  EXPECT_EQ(huge.Pixel(0, 0), (Color{0, 7, 0, 255}));
  EXPECT_EQ(huge.Pixel(79, 79), (Color{0, 7, 0, 255}));
}

// A drawn scene card is drawn again when an instance, tile or layer of its
// scene or the scene itself changed (as an undo in the main window does),
// and only then; the stock card of a scene never edited stays.
TEST(SceneCards, OnlyStaleDrawnCardsAreDrawnAgain) {
  Project project;
  project.scenes = {Scene{.name = "drawn"}, Scene{.name = "stock"}};
  project.objects.push_back({.prototype = 0, .name = "i", .scene = "drawn"});
  project.cards.scenes["stock"] = {StockCardPicture()};
  KeepSceneCard(project, "drawn", ShareImage(Image::Opaque(1, 1)));
  const auto card = [&](const char* scene) { return project.cards.scenes[scene].card.get(); };
  const Image* first = card("drawn");
  RedrawStaleSceneCards(project);
  EXPECT_EQ(card("drawn"), first);
  for (const auto& change : std::vector<std::function<void()>>{
           [&] { project.objects[0].x = 5; },
           [&] { project.tiles.push_back({.name = "t", .scene = "drawn"}); },
           [&] { project.scenes[0].red = 9; }}) {
    const Image* before = card("drawn");
    change();
    RedrawStaleSceneCards(project);
    EXPECT_NE(card("drawn"), before);
    EXPECT_EQ(card("stock"), StockCardPicture().get());
  }
}

}  // namespace
}  // namespace vorlane

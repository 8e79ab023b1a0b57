#include "scene/tile_edits.h"

#include <gtest/gtest.h>

#include <limits>

namespace vorlane {
namespace {

constexpr int kLayer = 1000000;
constexpr int kFront = 10;

Tile MakeTile(const std::string& name, const std::string& scene, int depth, int x, int y,
              int w = 16, int h = 16) {
  Tile t;
  t.name = name;
  t.scene = scene;
  t.depth = depth;
  t.x = x;
  t.y = y;
  t.width = w;
  t.height = h;
  return t;
}

// Two scenes; "a" has tiles on two layers, "b" one tile where a's are.
Project TwoScenes() {
  Project p;
  p.uid = 50;
  p.tiles = {MakeTile("t1", "a", kLayer, 0, 0), MakeTile("t2", "a", kLayer, 8, 8),
             MakeTile("t3", "a", kFront, 0, 0), MakeTile("t4", "b", kLayer, 0, 0)};
  return p;
}

std::vector<std::string> Names(const Project& p) {
  std::vector<std::string> names;
  for (const auto& t : p.tiles) names.push_back(t.name);
  return names;
}

std::vector<int> Selected(const Project& p) {
  std::vector<int> flags;
  for (const auto& t : p.tiles) flags.push_back(t.selected);
  return flags;
}

TEST(PlaceTile, AppendsATileCutFromTheSelection) {
  Project p = TwoScenes();
  const ImageRef image = ShareImage(Image::Opaque(3, 4));
  EXPECT_EQ(PlaceTile(p, "a", kFront, "bg_ground", {16, 32, 3, 4}, image, 40, -8), 4);
  ASSERT_EQ(p.tiles.size(), 5u);
  const Tile& t = p.tiles[4];
  EXPECT_EQ(t.name, "tile_51");
  EXPECT_EQ(t.background, "bg_ground");
  EXPECT_EQ(t.depth, kFront);
  EXPECT_EQ(t.scene, "a");
  EXPECT_EQ((std::vector{t.left, t.top, t.width, t.height, t.x, t.y}),
            (std::vector{16, 32, 3, 4, 40, -8}));
  EXPECT_EQ(t.image, image);  // shared, not copied
  EXPECT_EQ(t.selected, 0);
  EXPECT_EQ(PlaceTile(p, "a", kFront, "bg_ground", {16, 32, 3, 4}, image, 40, -8), 5);
  EXPECT_EQ(p.tiles[5].name, "tile_52");
}

TEST(TilesAtAPoint, SelectTogglesOnlyTilesOfTheSceneAndLayerStrictlyUnderIt) {
  Project p = TwoScenes();
  // (10, 10) is inside t1 and t2; t3 is on another layer, t4 in another scene.
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, 10, 10), 2);
  EXPECT_EQ(Selected(p), (std::vector{1, 1, 0, 0}));
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, 4, 4), 1);  // toggles t1 back
  EXPECT_EQ(Selected(p), (std::vector{0, 1, 0, 0}));
  // Edges do not count: t1 spans 0 < x < 16.
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, 0, 5), 0);
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, 16, 10), 1);  // t2 only, unselected again
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, 5, 16), 0);
  EXPECT_EQ(SelectTilesAt(p, "a", kFront, 5, 5), 1);
  EXPECT_EQ(Selected(p), (std::vector{0, 0, 1, 0}));
}

TEST(TilesAtAPoint, RemoveDeletesOnlyTilesOfTheSceneAndLayerStrictlyUnderIt) {
  Project p = TwoScenes();
  EXPECT_EQ(RemoveTilesAt(p, "a", kLayer, 8, 8), 1);  // on t2's corner: only t1
  EXPECT_EQ(Names(p), (std::vector<std::string>{"t2", "t3", "t4"}));
  EXPECT_EQ(RemoveTilesAt(p, "a", kLayer, 100, 100), 0);
  EXPECT_EQ(RemoveTilesAt(p, "a", kFront, 1, 1), 1);
  EXPECT_EQ(Names(p), (std::vector<std::string>{"t2", "t4"}));
}

TEST(TilesAtAPoint, TilesReachingTheEndOfTheIntRangeAreHitWithoutOverflow) {
  Project p;
  const int far = std::numeric_limits<int>::max() - 4;
  p.tiles = {MakeTile("t", "a", kLayer, far, far, 16, 16)};
  EXPECT_EQ(SelectTilesAt(p, "a", kLayer, far + 2, far + 2), 1);
  EXPECT_EQ(RemoveTilesAt(p, "a", kLayer, far + 2, far + 2), 1);
}

TEST(SelectedTiles, ClearMoveCountAndDelete) {
  Project p = TwoScenes();
  for (auto& t : p.tiles) t.selected = 1;
  p.tiles[1].selected = 0;
  ClearTileSelection(p);  // every scene
  EXPECT_EQ(Selected(p), (std::vector{0, 0, 0, 0}));

  p.tiles[0].selected = p.tiles[2].selected = p.tiles[3].selected = 1;
  EXPECT_EQ(CountSelectedTiles(p, "a"), 2);
  // Moving takes the selected tiles of every layer of the scene.
  MoveSelectedTiles(p, "a", 5, -3);
  EXPECT_EQ(p.tiles[0].x, 5);
  EXPECT_EQ(p.tiles[0].y, -3);
  EXPECT_EQ(p.tiles[1].x, 8);  // not selected
  EXPECT_EQ(p.tiles[2].x, 5);  // another layer
  EXPECT_EQ(p.tiles[3].x, 0);  // another scene

  EXPECT_EQ(DeleteSelectedTilesQuestion(2), "Delete 2 tiles?");
  EXPECT_EQ(DeleteSelectedTiles(p, "a"), 2);
  EXPECT_EQ(Names(p), (std::vector<std::string>{"t2", "t4"}));
  EXPECT_EQ(CountSelectedTiles(p, "a"), 0);
  EXPECT_EQ(CountSelectedTiles(p, "b"), 1);
}

TEST(SceneTiles, DeleteAllTakesEveryLayerOfTheSceneOnly) {
  Project p = TwoScenes();
  EXPECT_EQ(kDeleteAllTilesQuestion, std::string("Delete all tiles in this scene?"));
  EXPECT_EQ(DeleteAllTiles(p, "a"), 3);
  EXPECT_EQ(Names(p), (std::vector<std::string>{"t4"}));
  EXPECT_EQ(DeleteAllTiles(p, "a"), 0);
}

TEST(SceneTiles, ShiftMovesTheLayerOrTheWholeScene) {
  Project p = TwoScenes();
  ShiftTiles(p, "a", kLayer, false, 32, 16);
  EXPECT_EQ((std::vector{p.tiles[0].x, p.tiles[1].x, p.tiles[2].x, p.tiles[3].x}),
            (std::vector{32, 40, 0, 0}));
  EXPECT_EQ(p.tiles[1].y, 24);
  ShiftTiles(p, "a", kLayer, true, -32, -16);
  EXPECT_EQ((std::vector{p.tiles[0].x, p.tiles[1].x, p.tiles[2].x, p.tiles[3].x}),
            (std::vector{0, 8, -32, 0}));
  EXPECT_EQ(p.tiles[2].y, -16);
  // Positions stop at the ends of the int range.
  ShiftTiles(p, "b", kLayer, true, std::numeric_limits<int>::min(), 0);
  ShiftTiles(p, "b", kLayer, true, -1, 0);
  EXPECT_EQ(p.tiles[3].x, std::numeric_limits<int>::min());
}

TEST(TileOpacity, OtherLayersFadeWhileSelectingOrRemovingTiles) {
  const Tile mine = MakeTile("m", "a", kLayer, 0, 0);
  const Tile other = MakeTile("o", "a", kFront, 0, 0);
  for (TileAction action : {TileAction::Select, TileAction::Remove}) {
    EXPECT_EQ(TileOpacity(true, action, kLayer, other), kFaintTileOpacity);
    EXPECT_EQ(TileOpacity(true, action, kLayer, mine), 255);
    EXPECT_EQ(TileOpacity(false, action, kLayer, other), 255);
  }
  EXPECT_EQ(TileOpacity(true, TileAction::Place, kLayer, other), 255);
  EXPECT_EQ(kFaintTileOpacity, 100);
}

TEST(CutTile, BlendsTheBackgroundAtMinusTheSourceCorner) {
  Image set = Image::Opaque(20, 10);
  set.Plot(5, 3, Color{10, 20, 30, 255});
  const Image tile = CutTile(&set, 4, 2, 3, 3);
  ASSERT_EQ(tile.width(), 3);
  EXPECT_TRUE(tile.has_alpha());
  EXPECT_EQ(tile.Pixel(1, 1), (Color{10, 20, 30, 255}));
  EXPECT_EQ(tile.Pixel(0, 0), (Color{0, 0, 0, 255}));
  // Partly outside: see-through there.
  const Image edge = CutTile(&set, -1, 9, 2, 2);
  EXPECT_EQ(edge.Pixel(0, 0), (Color{0, 0, 0, 0}));
  EXPECT_EQ(edge.Pixel(1, 0), (Color{0, 0, 0, 255}));
  EXPECT_EQ(edge.Pixel(1, 1), (Color{0, 0, 0, 0}));
  // Wholly outside, however far: all see-through.
  EXPECT_EQ(CutTile(&set, std::numeric_limits<int>::min(), 0, 2, 2), Image::Transparent(2, 2));
  EXPECT_EQ(CutTile(&set, 0, std::numeric_limits<int>::max(), 2, 2), Image::Transparent(2, 2));
}

TEST(CutTile, RedWithoutAPictureAndNothingForBadSizes) {
  Image red = Image::Transparent(4, 2);
  red.Fill(Color{255, 0, 0, 255});
  EXPECT_EQ(CutTile(nullptr, 7, 7, 4, 2), red);
  const Image none;
  EXPECT_EQ(CutTile(&none, 0, 0, 4, 2), red);
  const Image set = Image::Opaque(8, 8);
  EXPECT_TRUE(CutTile(&set, 0, 0, 0, 2).is_null());
  EXPECT_TRUE(CutTile(&set, 0, 0, 2, -2).is_null());
  EXPECT_TRUE(CutTile(nullptr, 0, 0, kMaxTileSide + 1, 1).is_null());
  EXPECT_TRUE(CutTile(nullptr, 0, 0, 8192, 8192).is_null());
}

}  // namespace
}  // namespace vorlane

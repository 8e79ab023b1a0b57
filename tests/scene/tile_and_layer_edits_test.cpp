#include <gtest/gtest.h>

#include <climits>

#include "image/test_pictures.h"
#include "scene/layer_edits.h"
#include "scene/tile_edits.h"

namespace vorlane {
namespace {

using namespace test;
constexpr int kLayer = 1000000, kFront = 10;
using Names = std::vector<std::string>;

Tile At(const std::string& name, const std::string& scene, int depth, int x, int y) {
  return Tile{
      .name = name, .width = 16, .height = 16, .x = x, .y = y, .depth = depth, .scene = scene};
}

// Scene "a" has t1 and t2 on the back layer and t3 in front; "b" has t4
// where a's are, and the same layers. Every tile is 16 x 16.
Project TwoScenes() {
  Project p;
  p.uid = 50;
  p.layers = {{"layer_1", kLayer, "a"},
              {"layer_2", kLayer, "b"},
              {"layer_3", kFront, "a"},
              {"layer_4", kFront, "b"}};
  p.tiles = {At("t1", "a", kLayer, 0, 0), At("t2", "a", kLayer, 8, 8), At("t3", "a", kFront, 0, 0),
             At("t4", "b", kLayer, 0, 0)};
  return p;
}

// The scene's layers as "name:value" and its tiles as "name:depth", in list order.
std::string Layers(const Project& p, const std::string& scene) {
  std::string out;
  for (const auto& l : p.layers)
    if (l.scene == scene) out += l.name + ":" + std::to_string(l.value) + " ";
  out += "|";
  for (const auto& t : p.tiles)
    if (t.scene == scene) out += " " + t.name + ":" + std::to_string(t.depth);
  return out;
}
const std::string kSceneA = "layer_1:1000000 layer_3:10 | t1:1000000 t2:1000000 t3:10";
const std::string kSceneB = "layer_2:1000000 layer_4:10 | t4:1000000";

Names NamesOf(const Project& p) {
  Names names;
  for (const auto& t : p.tiles) names.push_back(t.name);
  return names;
}

// Placing appends a tile named after the next uid, cut from the selection.
TEST(PlaceTile, AppendsANewTileCutFromTheSelection) {
  Project p = TwoScenes();
  EXPECT_EQ(PlaceTile(p, "a", kFront, "bg_ground", {16, 32, 3, 4}, 40, -8), 4);
  EXPECT_EQ(p.tiles[4], (Tile{"tile_51", "bg_ground", 16, 32, 3, 4, 40, -8, kFront, "a"}));
}

// Clicks select or remove the tiles of the scene and layer strictly under
// the point: a tile's left and top edges, and the points just past it, miss.
TEST(TilesAtAPoint, SelectAndRemoveTakeTheTilesStrictlyUnderThePoint) {
  const struct {
    int x, y, layer;
    std::vector<int> hit;
  } cases[] = {
      {10, 10, kLayer, {1, 1, 0, 0}}, {4, 4, kLayer, {1, 0, 0, 0}},   {0, 5, kLayer, {0, 0, 0, 0}},
      {16, 10, kLayer, {0, 1, 0, 0}}, {5, 16, kLayer, {0, 0, 0, 0}},  {8, 8, kLayer, {1, 0, 0, 0}},
      {5, 5, kFront, {0, 0, 1, 0}},   {100, 9, kLayer, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Project p = TwoScenes();
    Names left;
    for (size_t i = 0; i < 4; ++i)
      if (!c.hit[i]) left.push_back(p.tiles[i].name);
    const int hits = 4 - static_cast<int>(left.size());
    TileNames selected;
    EXPECT_EQ(SelectTilesAt(p, "a", c.layer, c.x, c.y, selected), hits) << c.x << "," << c.y;
    for (size_t i = 0; i < 4; ++i)
      EXPECT_EQ(selected.count(p.tiles[i].name), c.hit[i]) << c.x << "," << c.y;
    EXPECT_EQ(SelectTilesAt(p, "a", c.layer, c.x, c.y, selected), hits);  // and back
    EXPECT_EQ(CountSelectedTiles(p, "a", selected), 0);
    EXPECT_EQ(RemoveTilesAt(p, "a", c.layer, c.x, c.y), hits);
    EXPECT_EQ(NamesOf(p), left);
  }
  Project far;
  far.tiles = {At("t", "a", kLayer, INT_MAX - 4, INT_MAX - 4)};
  TileNames selected;
  EXPECT_EQ(SelectTilesAt(far, "a", kLayer, INT_MAX - 2, INT_MAX - 2, selected), 1);  // no overflow
  EXPECT_EQ(RemoveTilesAt(far, "a", kLayer, INT_MAX - 2, INT_MAX - 2), 1);
}

// The selection: moved, counted and deleted on every layer of its scene
// only; positions stop at the ends of the int range.
TEST(SelectedTiles, MoveCountDeleteAndShift) {
  Project p = TwoScenes();
  const TileNames selected{p.tiles[0].name, p.tiles[2].name, p.tiles[3].name};
  EXPECT_EQ(CountSelectedTiles(p, "a", selected), 2);
  MoveSelectedTiles(p, "a", selected, 5, -3);
  EXPECT_EQ((std::vector{p.tiles[0].x, p.tiles[0].y, p.tiles[1].x, p.tiles[2].x, p.tiles[3].x}),
            (std::vector{5, -3, 8, 5, 0}));
  EXPECT_EQ(DeleteSelectedTilesQuestion(2), "Delete 2 tiles?");
  EXPECT_EQ(DeleteSelectedTiles(p, "a", selected), 2);
  EXPECT_EQ(NamesOf(p), (Names{"t2", "t4"}));

  p = TwoScenes();
  ShiftTiles(p, "a", kLayer, false, 32, 16);
  ShiftTiles(p, "a", kLayer, true, -32, -16);
  EXPECT_EQ((std::vector{p.tiles[0].x, p.tiles[1].y, p.tiles[2].x, p.tiles[2].y, p.tiles[3].x}),
            (std::vector{0, 8, -32, -16, 0}));
  ShiftTiles(p, "b", kLayer, true, INT_MIN, 0);
  ShiftTiles(p, "b", kLayer, true, -1, 0);
  EXPECT_EQ(p.tiles[3].x, INT_MIN);
  EXPECT_EQ(DeleteAllTiles(p, "a"), 3);
  EXPECT_EQ(NamesOf(p), Names{"t4"});
}

// While the Tiles tab selects or removes, other layers' tiles are faint.
TEST(TileOpacity, OtherLayersFadeWhileSelectingOrRemovingTiles) {
  const Tile mine = At("m", "a", kLayer, 0, 0), other = At("o", "a", kFront, 0, 0);
  for (auto [tab, action, tile, opacity] :
       std::initializer_list<std::tuple<bool, TileAction, Tile, int>>{
           {true, TileAction::Select, other, 100},
           {true, TileAction::Remove, other, 100},
           {true, TileAction::Select, mine, 255},
           {false, TileAction::Remove, other, 255},
           {true, TileAction::Place, other, 255}})
    EXPECT_EQ(TileOpacity(tab, action, kLayer, tile), opacity) << tab << tile.name;
}

// A tile's picture: the background blended at minus the corner, see-through
// outside it however far; red without a picture; null for bad sizes.
TEST(CutTile, BlendsTheBackgroundOrShowsRed) {
  const Image set = Numbered(20, 10, false);
  for (auto [x, y] : {std::pair(4, 2), std::pair(-1, 9)}) {  // inside, partly outside
    Image expected = Image::Transparent(3, 3);
    expected.Draw(set, -x, -y);
    EXPECT_EQ(CutTile(&set, x, y, 3, 3), expected);
  }
  for (auto [x, y] : {std::pair(INT_MIN, 0), std::pair(0, INT_MAX)})
    EXPECT_EQ(CutTile(&set, x, y, 2, 2), Image::Transparent(2, 2));
  const Image none;
  EXPECT_EQ(CutTile(nullptr, 7, 7, 4, 2), CutTile(&none, 0, 0, 4, 2));
  EXPECT_EQ(CutTile(nullptr, 7, 7, 4, 2), Solid(4, 2, Rgba(255, 0, 0)));
  for (auto [w, h] : std::initializer_list<std::pair<int, int>>{
           {0, 2}, {2, -2}, {kMaxTileSide + 1, 1}, {8192, 8192}})
    EXPECT_TRUE(CutTile(&set, 0, 0, w, h).is_null());
}

// A new value (its leading number) is appended under a fresh name; one the
// scene has is refused with nothing added; other scenes' values do not count.
TEST(AddSceneLayer, AppendsANewValueAndRefusesOneTheSceneHas) {
  Project p = TwoScenes();
  EXPECT_EQ(LayerValues(p, "nowhere"), std::vector<int>{});
  EXPECT_EQ(AddSceneLayer(p, "a", "  -12 deep"), "");
  EXPECT_EQ(p.layers.back(), (Layer{"layer_51", -12, "a"}));
  EXPECT_EQ(AddSceneLayer(p, "a", "10 "), "Depth already exists");
  EXPECT_EQ(AddSceneLayer(p, "a", "-12"), kDepthExists);
  EXPECT_EQ(AddSceneLayer(p, "b", "top"), "");
  EXPECT_EQ(AddSceneLayer(p, "b", "0"), kDepthExists);
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{kLayer, kFront, -12}));
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{kLayer, kFront, 0}));
}

// Deleting takes every layer of the value in the scene with its tiles (stray
// ones too); the last layer gives way to a fresh default one.
TEST(DeleteSceneLayer, TakesTheLayerAndItsTilesOfThatSceneOnly) {
  Project p = TwoScenes();
  p.tiles.push_back(At("stray", "a", 77, 0, 0));
  DeleteSceneLayer(p, "a", kFront);
  DeleteSceneLayer(p, "a", 77);
  EXPECT_EQ(Layers(p, "a"), "layer_1:1000000 | t1:1000000 t2:1000000");
  p.layers.push_back({"layer_dup", kLayer, "a"});
  DeleteSceneLayer(p, "a", kLayer);
  EXPECT_EQ(Layers(p, "a"), "layer_51:1000000 |");
  EXPECT_EQ(Layers(p, "b"), kSceneB);
}

// Changing a layer's value carries its tiles; onto another layer's value
// the two merge, the later in the list going and both sets of tiles staying.
TEST(ChangeSceneLayer, MovesTheLayerAndItsTilesAndMergesOntoATakenValue) {
  for (auto [current, text, changed, after] :
       std::initializer_list<std::tuple<int, const char*, bool, std::string>>{
           {kFront, "-3", true, "layer_1:1000000 layer_3:-3 | t1:1000000 t2:1000000 t3:-3"},
           {9, "7", false, kSceneA},
           {kFront, "10", true, kSceneA},
           {kLayer, "10", true, "layer_1:10 | t1:10 t2:10 t3:10"},
           {kFront, "1000000", true, "layer_1:1000000 | t1:1000000 t2:1000000 t3:1000000"}}) {
    Project p = TwoScenes();
    EXPECT_EQ(ChangeSceneLayer(p, "a", current, text), changed) << text;
    EXPECT_EQ(Layers(p, "a"), after) << current << " -> " << text;
    EXPECT_EQ(Layers(p, "b"), kSceneB);
  }
}

}  // namespace
}  // namespace vorlane

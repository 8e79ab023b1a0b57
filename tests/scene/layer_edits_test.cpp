#include "scene/layer_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Scene "a" has layers 1000000 and 5 with a tile each; scene "b" has the
// same values with its own tiles.
Project TwoScenes() {
  Project p;
  p.uid = 20;
  p.layers = {{"layer_1", 1000000, "a"},
              {"layer_2", 1000000, "b"},
              {"layer_3", 5, "a"},
              {"layer_4", 5, "b"}};
  p.tiles = {Tile{.name = "ta_back", .depth = 1000000, .scene = "a"},
             Tile{.name = "ta_5", .depth = 5, .scene = "a"},
             Tile{.name = "tb_back", .depth = 1000000, .scene = "b"},
             Tile{.name = "tb_5", .depth = 5, .scene = "b"}};
  return p;
}

// The scene's layers as "name:value" and its tiles as "name:depth", in list
// order.
std::string Layers(const Project& p, const std::string& scene) {
  std::string out;
  for (const auto& l : p.layers)
    if (l.scene == scene) out += l.name + ":" + std::to_string(l.value) + " ";
  return out;
}
std::string Tiles(const Project& p, const std::string& scene) {
  std::string out;
  for (const auto& t : p.tiles)
    if (t.scene == scene) out += t.name + ":" + std::to_string(t.depth) + " ";
  return out;
}

TEST(LayerValues, TheSceneLayersInListOrder) {
  const Project p = TwoScenes();
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{1000000, 5}));
  EXPECT_EQ(LayerValues(p, "nowhere"), std::vector<int>{});
  EXPECT_EQ(LayerValue("  -12 deep"), -12);
  EXPECT_EQ(LayerValue("front"), 0);
}

// A new value is appended under a fresh name; one the scene has is refused
// with nothing added; other scenes' values do not count.
TEST(AddSceneLayer, AppendsANewValueAndRefusesOneTheSceneHas) {
  Project p = TwoScenes();
  EXPECT_EQ(AddSceneLayer(p, "a", "7"), "");
  EXPECT_EQ(p.layers.back(), (Layer{"layer_21", 7, "a"}));
  EXPECT_EQ(AddSceneLayer(p, "a", "5 "), "Depth already exists");
  EXPECT_EQ(AddSceneLayer(p, "a", "7"), kDepthExists);
  EXPECT_EQ(p.layers.size(), 5u);
  EXPECT_EQ(p.uid, 21);
  EXPECT_EQ(AddSceneLayer(p, "b", "7"), "");
  EXPECT_EQ(AddSceneLayer(p, "b", "top"), "");
  EXPECT_EQ(AddSceneLayer(p, "b", "0"), kDepthExists);
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{1000000, 5, 7, 0}));
}

// Deleting takes every layer of the value in the scene with its tiles (stray
// ones too); the last layer gives way to a fresh default one.
TEST(DeleteSceneLayer, TakesTheLayerAndItsTilesOfThatSceneOnly) {
  Project p = TwoScenes();
  p.tiles.push_back(Tile{.name = "stray", .depth = 77, .scene = "a"});
  DeleteSceneLayer(p, "a", 5);
  DeleteSceneLayer(p, "a", 77);
  EXPECT_EQ(Layers(p, "a") + "| " + Tiles(p, "a"), "layer_1:1000000 | ta_back:1000000 ");
  p.layers.push_back({"layer_dup", 1000000, "a"});
  DeleteSceneLayer(p, "a", 1000000);
  EXPECT_EQ(Layers(p, "a") + "| " + Tiles(p, "a"), "layer_21:1000000 | ");
  EXPECT_EQ(Layers(p, "b") + "| " + Tiles(p, "b"),
            "layer_2:1000000 layer_4:5 | tb_back:1000000 tb_5:5 ");
}

// Changing a layer's value carries its tiles; onto another layer's value
// the two merge, the later in the list going and both sets of tiles staying.
TEST(ChangeSceneLayer, MovesTheLayerAndItsTilesAndMergesOntoATakenValue) {
  const struct {
    int current;
    const char* text;
    bool changed;
    std::string after;
  } cases[] = {
      // clang-format off
      {5, "-3", true, "layer_1:1000000 layer_3:-3 | ta_back:1000000 ta_5:-3 "},
      {9, "7", false, "layer_1:1000000 layer_3:5 | ta_back:1000000 ta_5:5 "},
      {5, "5", true, "layer_1:1000000 layer_3:5 | ta_back:1000000 ta_5:5 "},
      {1000000, "5", true, "layer_1:5 | ta_back:5 ta_5:5 "},
      {5, "1000000", true, "layer_1:1000000 | ta_back:1000000 ta_5:1000000 "},
      // clang-format on
  };
  for (const auto& c : cases) {
    Project p = TwoScenes();
    EXPECT_EQ(ChangeSceneLayer(p, "a", c.current, c.text), c.changed) << c.text;
    EXPECT_EQ(Layers(p, "a") + "| " + Tiles(p, "a"), c.after) << c.current << " -> " << c.text;
    EXPECT_EQ(Layers(p, "b") + "| " + Tiles(p, "b"),
              "layer_2:1000000 layer_4:5 | tb_back:1000000 tb_5:5 ");
  }
}

}  // namespace
}  // namespace vorlane

#include "scene/layer_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Scene "a" has layers 1000000 and 5 with a tile each; scene "b" the same
// values with its own tiles.
Project TwoScenes() {
  Project p;
  p.uid = 20;
  p.layers = {{"layer_1", 1000000, "a"},
              {"layer_2", 1000000, "b"},
              {"layer_3", 5, "a"},
              {"layer_4", 5, "b"}};
  for (auto [name, depth, scene] :
       {std::tuple("ta_back", 1000000, "a"), std::tuple("ta_5", 5, "a"),
        std::tuple("tb_back", 1000000, "b"), std::tuple("tb_5", 5, "b")})
    p.tiles.push_back(Tile{.name = name, .depth = depth, .scene = scene});
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
const std::string kSceneB = "layer_2:1000000 layer_4:5 | tb_back:1000000 tb_5:5";

// A new value (its leading number) is appended under a fresh name; one the
// scene has is refused with nothing added; other scenes' values do not count.
TEST(AddSceneLayer, AppendsANewValueAndRefusesOneTheSceneHas) {
  Project p = TwoScenes();
  EXPECT_EQ(LayerValues(p, "nowhere"), std::vector<int>{});
  EXPECT_EQ(AddSceneLayer(p, "a", "  -12 deep"), "");
  EXPECT_EQ(p.layers.back(), (Layer{"layer_21", -12, "a"}));
  EXPECT_EQ(AddSceneLayer(p, "a", "5 "), "Depth already exists");
  EXPECT_EQ(AddSceneLayer(p, "a", "-12"), kDepthExists);
  EXPECT_EQ(AddSceneLayer(p, "b", "top"), "");
  EXPECT_EQ(AddSceneLayer(p, "b", "0"), kDepthExists);
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{1000000, 5, -12}));
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{1000000, 5, 0}));
  EXPECT_EQ(p.uid, 22);
}

// Deleting takes every layer of the value in the scene with its tiles (stray
// ones too); the last layer gives way to a fresh default one.
TEST(DeleteSceneLayer, TakesTheLayerAndItsTilesOfThatSceneOnly) {
  Project p = TwoScenes();
  p.tiles.push_back(Tile{.name = "stray", .depth = 77, .scene = "a"});
  DeleteSceneLayer(p, "a", 5);
  DeleteSceneLayer(p, "a", 77);
  EXPECT_EQ(Layers(p, "a"), "layer_1:1000000 | ta_back:1000000");
  p.layers.push_back({"layer_dup", 1000000, "a"});
  DeleteSceneLayer(p, "a", 1000000);
  EXPECT_EQ(Layers(p, "a"), "layer_21:1000000 |");
  EXPECT_EQ(Layers(p, "b"), kSceneB);
}

// Changing a layer's value carries its tiles; onto another layer's value
// the two merge, the later in the list going and both sets of tiles staying.
TEST(ChangeSceneLayer, MovesTheLayerAndItsTilesAndMergesOntoATakenValue) {
  for (auto [current, text, changed, after] :
       std::initializer_list<std::tuple<int, const char*, bool, std::string>>{
           {5, "-3", true, "layer_1:1000000 layer_3:-3 | ta_back:1000000 ta_5:-3"},
           {9, "7", false, "layer_1:1000000 layer_3:5 | ta_back:1000000 ta_5:5"},
           {5, "5", true, "layer_1:1000000 layer_3:5 | ta_back:1000000 ta_5:5"},
           {1000000, "5", true, "layer_1:5 | ta_back:5 ta_5:5"},
           {5, "1000000", true, "layer_1:1000000 | ta_back:1000000 ta_5:1000000"}}) {
    Project p = TwoScenes();
    EXPECT_EQ(ChangeSceneLayer(p, "a", current, text), changed) << text;
    EXPECT_EQ(Layers(p, "a"), after) << current << " -> " << text;
    EXPECT_EQ(Layers(p, "b"), kSceneB);
  }
}

}  // namespace
}  // namespace vorlane

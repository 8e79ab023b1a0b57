#include "scene/layer_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

Tile TileAt(const std::string& name, const std::string& scene, int depth) {
  Tile t;
  t.name = name;
  t.scene = scene;
  t.depth = depth;
  return t;
}

// Scene "a" has layers 1000000 and 5 with a tile each; scene "b" has the
// same values with its own tiles.
Project TwoScenes() {
  Project p;
  p.uid = 20;
  p.scenes.resize(2);
  p.scenes[0].name = "a";
  p.scenes[1].name = "b";
  p.layers = {{"layer_1", 1000000, "a"},
              {"layer_2", 1000000, "b"},
              {"layer_3", 5, "a"},
              {"layer_4", 5, "b"}};
  p.tiles = {TileAt("ta_back", "a", 1000000), TileAt("ta_5", "a", 5),
             TileAt("tb_back", "b", 1000000), TileAt("tb_5", "b", 5)};
  return p;
}

std::vector<std::string> LayerNames(const Project& p) {
  std::vector<std::string> names;
  for (const auto& l : p.layers) names.push_back(l.name);
  return names;
}

std::vector<std::string> TilesAtDepth(const Project& p, const std::string& scene, int depth) {
  std::vector<std::string> names;
  for (const auto& t : p.tiles)
    if (t.scene == scene && t.depth == depth) names.push_back(t.name);
  return names;
}

TEST(LayerValues, TheSceneLayersInListOrder) {
  const Project p = TwoScenes();
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{1000000, 5}));
  EXPECT_EQ(LayerValues(p, "nowhere"), std::vector<int>{});
  EXPECT_EQ(LayerValue("  -12 deep"), -12);
  EXPECT_EQ(LayerValue("front"), 0);
}

TEST(AddSceneLayer, AppendsANewValueAndRefusesOneTheSceneHas) {
  Project p = TwoScenes();
  EXPECT_EQ(AddSceneLayer(p, "a", "7"), "");
  ASSERT_EQ(p.layers.size(), 5u);
  EXPECT_EQ(p.layers.back(), (Layer{"layer_21", 7, "a"}));
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{1000000, 5, 7}));

  EXPECT_EQ(AddSceneLayer(p, "a", "5 "), "Depth already exists");
  EXPECT_EQ(AddSceneLayer(p, "a", "7"), kDepthExists);
  EXPECT_EQ(p.layers.size(), 5u);
  EXPECT_EQ(p.uid, 21);
  // Another scene's values do not count; text that is no number is 0.
  EXPECT_EQ(AddSceneLayer(p, "b", "7"), "");
  EXPECT_EQ(AddSceneLayer(p, "b", "top"), "");
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{1000000, 5, 7, 0}));
  EXPECT_EQ(AddSceneLayer(p, "b", "0"), kDepthExists);
}

TEST(DeleteSceneLayer, TakesTheLayerAndItsTilesOfThatSceneOnly) {
  Project p = TwoScenes();
  DeleteSceneLayer(p, "a", 5);
  EXPECT_EQ(LayerNames(p), (std::vector<std::string>{"layer_1", "layer_2", "layer_4"}));
  EXPECT_EQ(TilesAtDepth(p, "a", 5), std::vector<std::string>{});
  EXPECT_EQ(p.tiles.size(), 3u);
  EXPECT_EQ(TilesAtDepth(p, "b", 5), std::vector<std::string>{"tb_5"});
  // A value the scene has no layer of still takes its stray tiles.
  p.tiles.push_back(TileAt("stray", "a", 77));
  DeleteSceneLayer(p, "a", 77);
  EXPECT_EQ(TilesAtDepth(p, "a", 77), std::vector<std::string>{});
  EXPECT_EQ(LayerNames(p).size(), 3u);
}

TEST(DeleteSceneLayer, TheLastLayerGivesWayToADefaultOne) {
  Project p = TwoScenes();
  DeleteSceneLayer(p, "a", 5);
  p.tiles.push_back(TileAt("ta_back2", "a", 1000000));
  DeleteSceneLayer(p, "a", 1000000);
  // A fresh layer of the default value, without the old layer's tiles.
  EXPECT_EQ(LayerValues(p, "a"), std::vector<int>{1000000});
  EXPECT_EQ(p.layers.back().name, "layer_21");
  EXPECT_EQ(TilesAtDepth(p, "a", 1000000), std::vector<std::string>{});
  EXPECT_EQ(TilesAtDepth(p, "b", 1000000), std::vector<std::string>{"tb_back"});
  // Every layer of that value goes, should a scene have two.
  p.layers.push_back({"layer_dup", 1000000, "a"});
  DeleteSceneLayer(p, "a", 1000000);
  EXPECT_EQ(LayerValues(p, "a"), std::vector<int>{1000000});
  EXPECT_EQ(p.layers.back().name, "layer_22");
}

TEST(ChangeSceneLayer, MovesTheLayerAndItsTilesToTheNewDepth) {
  Project p = TwoScenes();
  EXPECT_TRUE(ChangeSceneLayer(p, "a", 5, "-3"));
  EXPECT_EQ(LayerValues(p, "a"), (std::vector{1000000, -3}));
  EXPECT_EQ(p.layers[2].name, "layer_3");  // the same layer, renumbered
  EXPECT_EQ(TilesAtDepth(p, "a", -3), std::vector<std::string>{"ta_5"});
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{1000000, 5}));
  EXPECT_EQ(TilesAtDepth(p, "b", 5), std::vector<std::string>{"tb_5"});
  // No layer of that value: nothing changes.
  const Project before = p;
  EXPECT_FALSE(ChangeSceneLayer(p, "a", 5, "9"));
  EXPECT_EQ(LayerNames(p), LayerNames(before));
  EXPECT_EQ(TilesAtDepth(p, "a", 9), std::vector<std::string>{});
}

TEST(ChangeSceneLayer, OntoAnotherLayersDepthMergesTheTwo) {
  Project p = TwoScenes();
  EXPECT_TRUE(ChangeSceneLayer(p, "a", 1000000, "5"));
  // layer_1 took 5 and layer_3, later in the list, went.
  EXPECT_EQ(LayerNames(p), (std::vector<std::string>{"layer_1", "layer_2", "layer_4"}));
  EXPECT_EQ(LayerValues(p, "a"), std::vector<int>{5});
  EXPECT_EQ(TilesAtDepth(p, "a", 5), (std::vector<std::string>{"ta_back", "ta_5"}));
  EXPECT_EQ(LayerValues(p, "b"), (std::vector{1000000, 5}));
  EXPECT_EQ(TilesAtDepth(p, "b", 1000000), std::vector<std::string>{"tb_back"});

  // The other way round the earlier layer stays as well.
  Project q = TwoScenes();
  EXPECT_TRUE(ChangeSceneLayer(q, "a", 5, "1000000"));
  EXPECT_EQ(LayerNames(q), (std::vector<std::string>{"layer_1", "layer_2", "layer_4"}));
  EXPECT_EQ(TilesAtDepth(q, "a", 1000000), (std::vector<std::string>{"ta_back", "ta_5"}));
}

TEST(ChangeSceneLayer, KeepingTheSameValueChangesNothing) {
  Project p = TwoScenes();
  EXPECT_TRUE(ChangeSceneLayer(p, "a", 5, "5"));
  EXPECT_EQ(LayerNames(p), LayerNames(TwoScenes()));
  EXPECT_EQ(TilesAtDepth(p, "a", 5), std::vector<std::string>{"ta_5"});
}

}  // namespace
}  // namespace vorlane
